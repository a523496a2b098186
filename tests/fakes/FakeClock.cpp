#include "FakeClock.h"

FakeClock::FakeClock(QDateTime start)
    : m_now(std::move(start))
{
}

void FakeClock::advanceMs(qint64 ms)
{
    m_elapsedMs += ms;
    m_wallMsLeft += ms;
    const qint64 seconds = m_wallMsLeft / 1000;
    m_wallMsLeft -= seconds * 1000;
    m_now = m_now.addSecs(seconds);
}
