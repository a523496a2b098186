#include "ScriptedDialogs.h"

int ScriptedDialogs::messageBox(const QString &text, int style)
{
    messages.append({text, style});
    if (whileOpen)
        whileOpen();
    if (messageAnswers.empty())
        return (style & 0x0F) == MsgBox::YesNoCancel ? MsgBox::Cancel : MsgBox::Ok;
    const int answer = messageAnswers.front();
    messageAnswers.pop_front();
    return answer;
}

std::optional<QString> ScriptedDialogs::inputBox(const QString &prompt)
{
    prompts.append(prompt);
    if (whileOpen)
        whileOpen();
    if (inputAnswers.empty())
        return std::nullopt;
    std::optional<QString> answer = std::move(inputAnswers.front());
    inputAnswers.pop_front();
    return answer;
}

std::optional<QString> ScriptedDialogs::openFile(const QString &folder, const QString &, const QString &)
{
    fileFolders.append(folder);
    if (fileError)
        throw *fileError;
    if (whileOpen)
        whileOpen();
    if (fileAnswers.empty())
        return std::nullopt;
    std::optional<QString> answer = std::move(fileAnswers.front());
    fileAnswers.pop_front();
    return answer;
}
