#pragma once

#include "HeldAnswers.h"
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
    void askIconShown(std::function<void(bool)> answer) override
    {
        answers.give([answer = std::move(answer), shown = icon.has_value() && present] { answer(shown); });
    }

    std::optional<TrayIconRecord> icon; // the icon as the desktop shows it: what the flags let through
    bool present = true;                // a notification area is on the desktop
    HeldAnswers answers;
    QList<Call> calls;
};
