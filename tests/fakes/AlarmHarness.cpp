#include "AlarmHarness.h"

AlarmHarness::AlarmHarness(QDateTime start, QLocale locale)
    : clock(std::move(start))
    , alarm({clock, dialogs, window, std::move(locale)})
{
}
