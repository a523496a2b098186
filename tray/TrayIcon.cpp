// Members of AlarmMain (alarm/AlarmMain.h), kept with the area they belong to.
// The notification-area icon: added at arming, blinking every second, removed at exit.
#include "alarm/AlarmMain.h"

#include "toolkit/WindowHost.h"
#include "tray/NotifyArea.h"

void AlarmMain::RewriteTrayRecord()
{
    TrayIconRecord &r = state.trayIcon;
    r.cbSize = TrayIconRecord::Size;
    r.hWnd = m_services.window.handle();
    r.uID = 1;
    r.uFlags = TrayIconRecord::Message | TrayIconRecord::Icon | TrayIconRecord::Tip;
    r.uCallbackMessage = TrayIconRecord::MouseMove;
    r.hIcon = static_cast<int>(m_services.window.icon());
    r.szTip = state.trayTipText.left(TrayIconRecord::TipLength).leftJustified(TrayIconRecord::TipLength, u' ');
}

void AlarmMain::AddTrayIcon()
{
    RewriteTrayRecord();
    m_services.notifyArea.notify(NotifyArea::Add, state.trayIcon);
}

void AlarmMain::BlinkTrayIcon()
{
    m_services.window.setIcon(state.trayBlinkPhase == FlagFalse ? WindowIcon::BlinkCyan : WindowIcon::BlinkRed);
    RewriteTrayRecord();
    m_services.notifyArea.notify(NotifyArea::Modify, state.trayIcon);
    state.trayBlinkPhase = state.trayBlinkPhase == FlagFalse ? FlagTrue : FlagFalse;
}

void AlarmMain::RemoveTrayIcon()
{
    m_services.notifyArea.notify(NotifyArea::Delete, state.trayIcon);
}

void AlarmMain::Timer4_Timer()
{
    BlinkTrayIcon();
}
