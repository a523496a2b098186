#pragma once

#include "alarm/AlarmKeeper.h"
#include "toolkit/SuspendHold.h"

#include <optional>

// What the program keeps for a later start, as a test sees it; recall hands over at once.
class FakeAlarmKeeper : public AlarmKeeper
{
public:
    void keep(const Alarm &alarm) override { kept = alarm; }
    void forget() override { kept.reset(); }
    void recall(std::function<void(const Alarm &)> restore) override
    {
        if (kept)
            restore(*kept);
    }

    std::optional<Alarm> kept;
};

class FakeSuspendHold : public SuspendHold
{
public:
    void hold(const QString &reason) override { held = reason; }
    void release() override { held.reset(); }

    std::optional<QString> held; // the reason of the hold taken
};
