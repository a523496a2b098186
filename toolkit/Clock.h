#pragma once

#include <QDateTime>

// Two clocks: the local wall clock, which daylight saving, a time-zone change or a hand can move
// either way, and real time passing, which only goes forward (a suspend counts as time passed).
class Clock
{
public:
    virtual ~Clock() = default;
    // The local date and time, to the second.
    virtual QDateTime now() const = 0;
    // Milliseconds of real time since some fixed origin.
    virtual qint64 elapsedMs() const = 0;
    // How far the wall clock is into its current second, in milliseconds.
    virtual int msIntoSecond() const = 0;
};

class SystemClock : public Clock
{
public:
    QDateTime now() const override;
    qint64 elapsedMs() const override;
    int msIntoSecond() const override;
};
