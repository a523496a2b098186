#pragma once

#include "toolkit/Clock.h"

// A clock that stands still until a test moves it.
class FakeClock : public Clock
{
public:
    explicit FakeClock(QDateTime start);

    QDateTime now() const override { return m_now; }
    void set(const QDateTime &moment) { m_now = moment; }
    void advance(qint64 seconds) { m_now = m_now.addSecs(seconds); }

private:
    QDateTime m_now;
};
