#pragma once

#include <QString>
#include <QtGlobal>

// The notification-area icon's record as the platform's call takes it, with a tooltip field of
// 64 characters. The flags say which of the picture and the tooltip a notification area takes
// from it; the window and the id name the icon.
struct TrayIconRecord
{
    static constexpr int TipLength = 64;
    static constexpr quint32 Message = 1, Icon = 2, Tip = 4;

    quintptr hWnd = 0;
    quint32 uID = 0;
    quint32 uFlags = 0;
    int hIcon = 0; // the window's current icon, a WindowIcon as a number
    QString szTip; // empty until the first rewrite, then exactly TipLength characters

    // What a tooltip shows of szTip: the text up to its terminating NUL (all of it when the
    // text filled the field), with CR LF as a line break.
    QString shownTip() const;
};
