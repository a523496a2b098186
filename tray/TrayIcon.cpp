#include "tray/TrayIcon.h"

#include "toolkit/WindowHost.h"
#include "tray/NotifyArea.h"

TrayIcon::TrayIcon(NotifyArea &area, WindowHost &window)
    : m_area(area)
    , m_window(window)
{
}

void TrayIcon::rewriteRecord()
{
    m_record.hWnd = m_window.handle();
    m_record.uID = 1;
    m_record.uFlags = TrayIconRecord::Message | TrayIconRecord::Icon | TrayIconRecord::Tip;
    m_record.hIcon = static_cast<int>(m_window.icon());
    m_record.szTip = tipText.left(TrayIconRecord::TipLength).leftJustified(TrayIconRecord::TipLength, u' ');
}

void TrayIcon::show()
{
    rewriteRecord();
    m_area.notify(NotifyArea::Add, m_record);
}

void TrayIcon::blink()
{
    m_window.setIcon(blinkPhase == FlagFalse ? WindowIcon::BlinkCyan : WindowIcon::BlinkRed);
    rewriteRecord();
    m_area.notify(NotifyArea::Modify, m_record);
    blinkPhase = blinkPhase == FlagFalse ? FlagTrue : FlagFalse;
}

void TrayIcon::remove()
{
    m_area.notify(NotifyArea::Delete, m_record);
}
