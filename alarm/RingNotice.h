#pragma once

#include <QString>

// The desktop's notification of a ring: what a user sees when the window is out of sight or
// the sound is muted. It stays until the ring ends or the user acts on it.
class RingNotice
{
public:
    virtual ~RingNotice() = default;
    // Posts the ring's notification with this text (the reminder, or when the alarm was due, and
    // how late it rings if it is); never waits.
    virtual void post(const QString &text) = 0;
    // Takes it back, if it is up; never waits.
    virtual void withdraw() = 0;
    // Tells of an alarm that fell due while nothing ran, too long ago to ring: a notification
    // of its own, which stays until the user dismisses it; never waits.
    virtual void tellMissed(const QString &reminder, const QString &due) = 0;
};
