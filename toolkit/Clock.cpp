#include "toolkit/Clock.h"

QDateTime SystemClock::now() const
{
    const QDateTime current = QDateTime::currentDateTime();
    return QDateTime(current.date(), QTime(current.time().hour(), current.time().minute(), current.time().second()));
}
