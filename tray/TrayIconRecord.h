#pragma once

#include <QString>
#include <QtGlobal>

// The notification-area icon as the program keeps it: the platform's record in its smallest
// form, with a tooltip field of 64 characters. The values are rewritten before each add or
// modify; a delete sends the record as it stands.
struct TrayIconRecord
{
    static constexpr quint32 Size = 88;
    static constexpr int TipLength = 64;
    static constexpr quint32 Message = 1, Icon = 2, Tip = 4;
    static constexpr quint32 MouseMove = 0x200;

    // Written as the platform's record has them; no desktop here reads the size, the flags or
    // the callback message (the icon's events reach the window through NotifyArea instead).
    quint32 cbSize = 0;
    quintptr hWnd = 0;
    quint32 uID = 0;
    quint32 uFlags = 0;
    quint32 uCallbackMessage = 0;
    int hIcon = 0;  // the window's current icon, a WindowIcon as a number
    QString szTip;  // empty until the first rewrite, then exactly TipLength characters

    // What a tooltip shows of szTip: the text up to its terminating NUL (all of it when the
    // text filled the field), with CR LF as a line break.
    QString shownTip() const;
};
