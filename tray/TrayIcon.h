#pragma once

#include "toolkit/Controls.h"
#include "tray/TrayIconRecord.h"

class NotifyArea;
class WindowHost;

// The notification-area icon: its record, its tooltip and its blink phase. It shows the
// window's current picture, so a blink changes the window's icon and then the icon's.
class TrayIcon
{
public:
    TrayIcon(NotifyArea &area, WindowHost &window);

    // The tooltip as arming writes it: its lines joined by CR LF, a NUL at its end.
    QString tipText;
    Flag16 blinkPhase = FlagFalse;
    const TrayIconRecord &record() const { return m_record; }

    void show();   // adds the icon, its record written afresh
    void blink();  // the next blink picture, and the tooltip as it stands now
    void remove(); // deletes the icon; the record goes as it stands

private:
    void rewriteRecord();

    NotifyArea &m_area;
    WindowHost &m_window;
    TrayIconRecord m_record;
};
