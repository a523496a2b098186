#pragma once

#include "toolkit/Clock.h"

// A clock that stands still until a test moves it: both clocks together, or the wall clock alone.
class FakeClock : public Clock
{
public:
    explicit FakeClock(QDateTime start);

    QDateTime now() const override { return m_now; }
    qint64 elapsedMs() const override { return m_elapsedMs; }
    int msIntoSecond() const override { return m_now.time().msec(); }

    // Real time passes: both clocks move on.
    void advance(qint64 seconds) { advanceMs(seconds * 1000); }
    void advanceMs(qint64 ms);
    // The wall clock alone is set (by hand, a time service, a daylight-saving change seen as a
    // local reading); no real time passes.
    void setWall(const QDateTime &moment) { m_now = moment; }
    void jumpWall(qint64 seconds) { m_now = m_now.addSecs(seconds); }

private:
    QDateTime m_now;
    qint64 m_elapsedMs = 1'000'000;
    qint64 m_wallMsLeft = 0; // real milliseconds not yet shown by the whole-second wall clock
};
