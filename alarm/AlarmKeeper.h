#pragma once

#include "alarm/Alarm.h"

#include <functional>

// Where the armed alarm outlives the program: an end the user did not choose (a crash, a kill,
// a logout) leaves it for the next start to take up. Nothing here waits for the storage.
class AlarmKeeper
{
public:
    virtual ~AlarmKeeper() = default;
    // Keeps this alarm, in place of what was kept.
    virtual void keep(const Alarm &alarm) = 0;
    // Keeps nothing any more.
    virtual void forget() = 0;
    // Hands what an earlier run kept, if anything, to restore on the window thread.
    virtual void recall(std::function<void(const Alarm &kept)> restore) = 0;
};
