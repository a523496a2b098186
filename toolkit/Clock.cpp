#include "toolkit/Clock.h"

#include <ctime>

QDateTime SystemClock::now() const
{
    // Dropping the milliseconds keeps the instant, so an hour that the autumn change repeats
    // still tells its first pass from its second.
    const QDateTime current = QDateTime::currentDateTime();
    return current.addMSecs(-current.time().msec());
}

qint64 SystemClock::elapsedMs() const
{
    // The boot clock goes on through a suspend, where the monotonic clock stands still.
    timespec t{};
    clock_gettime(CLOCK_BOOTTIME, &t);
    return qint64(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
}

int SystemClock::msIntoSecond() const
{
    return QTime::currentTime().msec();
}
