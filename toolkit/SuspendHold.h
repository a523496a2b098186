#pragma once

#include <QString>

// Holds off the desktop's automatic suspend (an idle machine going to sleep), so a timer set
// to wake the user is not slept through. A suspend the user asks for still goes ahead.
// Nothing here waits for the desktop's answer.
class SuspendHold
{
public:
    virtual ~SuspendHold() = default;
    // Holds it off, for the reason the desktop may show; in place of a hold already taken.
    virtual void hold(const QString &reason) = 0;
    // Lets it happen again.
    virtual void release() = 0;
};
