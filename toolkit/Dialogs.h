#pragma once

#include <QString>
#include <optional>

// Message box styles and results as the alarm's handlers use them.
namespace MsgBox {
constexpr int OkOnly = 0;
constexpr int YesNoCancel = 3;
constexpr int Critical = 16;
constexpr int Information = 64;

constexpr int Ok = 1;
constexpr int Cancel = 2;
constexpr int Yes = 6;
constexpr int No = 7;
} // namespace MsgBox

// A file dialog that could not be set up or shown: its number and description.
struct DialogError
{
    int number = 0;
    QString description;
};

// Modal boxes. The message and input boxes show the application's title; the file dialog its own.
class Dialogs
{
public:
    virtual ~Dialogs() = default;
    // Shows text with the style's icon and buttons; returns the result code of the button.
    // Closing the box counts as Cancel where there is one, else as OK.
    virtual int messageBox(const QString &text, int style) = 0;
    // The text typed and OK, or nothing on Cancel.
    virtual std::optional<QString> inputBox(const QString &prompt) = 0;
    // The full path of the file chosen, or nothing on Cancel. Throws DialogError when the dialog
    // cannot be shown (the desktop's never fails so; the scripted one in the tests can).
    virtual std::optional<QString> openFile(const QString &folder, const QString &filterLabel,
                                            const QString &pattern) = 0;
};
