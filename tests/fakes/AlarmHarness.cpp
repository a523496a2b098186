#include "AlarmHarness.h"

AlarmHarness::AlarmHarness(QDateTime start, QLocale locale)
    : clock(std::move(start))
    , alarm({clock, dialogs, window, audio, atm, std::move(locale)})
{
}
