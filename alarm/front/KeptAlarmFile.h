#pragma once

#include "alarm/AlarmKeeper.h"

#include <chrono>
#include <memory>

// The kept alarm as a file in the user's state folder ($XDG_STATE_HOME/<command>/alarm), with
// an autostart entry beside the desktop's ($XDG_CONFIG_HOME/autostart/<desktop id>.desktop) so
// that the next login starts the program to take it up. Both are written whole or not at all,
// on a thread of their own: a home on a storage that stops answering holds only that thread, and
// the program's end for as long as settle is given.
class KeptAlarmFile : public AlarmKeeper
{
public:
    // post runs a function of the window thread's, called there (through the window's dispatcher).
    explicit KeptAlarmFile(std::function<void(std::function<void()>)> post);
    ~KeptAlarmFile() override;

    void keep(const Alarm &alarm) override;
    void forget() override;
    void recall(std::function<void(const Alarm &kept)> restore) override;
    // Waits, at most that long, until what was asked last is on the storage: for a program
    // about to end.
    void settle(std::chrono::milliseconds within);

    struct Shared; // what the writing thread and this object share

private:
    void ask(std::function<void(Shared &)> request);

    std::function<void(std::function<void()>)> m_post;
    std::shared_ptr<Shared> m_shared;
};
