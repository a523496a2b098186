#pragma once

#include "tray/NotifyArea.h"

#include <QList>
#include <optional>

// A notification area that keeps the icon as a record and logs every call with its result.
class FakeNotifyArea : public NotifyArea
{
public:
    struct Call
    {
        Command command;
        TrayIconRecord record;
        bool succeeded;
    };

    bool notify(Command command, const TrayIconRecord &record) override;
    // Answered at once, unless a test holds the answers back to give them itself.
    void askIconShown(std::function<void(bool)> answer) override;
    void answerHeldQuestions();

    std::optional<TrayIconRecord> icon; // the icon as the desktop shows it: what the flags let through
    bool present = true;                // a notification area is on the desktop
    bool holdAnswers = false;
    QList<std::function<void(bool)>> heldQuestions;
    QList<Call> calls;
};
