#pragma once

#include "toolkit/Dialogs.h"

#include <QList>
#include <QStringList>
#include <deque>
#include <functional>

// Boxes that answer from a script set before the action, and remember what they showed.
class ScriptedDialogs : public Dialogs
{
public:
    struct Shown
    {
        QString text;
        int style;
    };

    int messageBox(const QString &text, int style) override;
    std::optional<QString> inputBox(const QString &prompt) override;
    std::optional<QString> openFile(const QString &folder, const QString &filterLabel, const QString &pattern) override;

    // Answers, taken in order; a box with no answer left gets Cancel (or OK) / nothing.
    std::deque<int> messageAnswers;
    std::deque<std::optional<QString>> inputAnswers;
    std::deque<std::optional<QString>> fileAnswers;
    std::optional<DialogError> fileError;

    // Runs while a box is "open", as Qt's event loop would run other events then.
    std::function<void()> whileOpen;

    QList<Shown> messages;
    QStringList prompts;
    QStringList fileFolders;
};
