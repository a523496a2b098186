// Hiding and showing the window, the icon's blink, mouse events and menu, and leaving the
// program.
#include "alarm/AlarmMain.h"

#include "toolkit/Dialogs.h"
#include "toolkit/UserError.h"
#include "toolkit/WindowHost.h"
#include "tray/NotifyArea.h"

#include <cmath>
#include <limits>

void AlarmMain::Form_MouseMove(int /*Button*/, int /*Shift*/, float X, float /*Y*/)
{
    // The icon's events arrive with the mouse message's number in place of x, in twips.
    const double code = std::nearbyint(X / m_services.window.twipsPerPixelX());
    if (!(code >= std::numeric_limits<qint32>::min() && code <= std::numeric_limits<qint32>::max()))
        throw OverflowError(QStringLiteral("The mouse position is out of range."));
    switch (static_cast<qint32>(code)) {
    case NotifyArea::LeftButtonDoubleClick: ToggleAlarmWindow(); break;
    case NotifyArea::RightButtonDown:
        m_services.window.popupMenu(PopupItems()); // its choice comes as PopupItem_Click
        break;
    default: break;
    }
}

void AlarmMain::PopupItem_Click(int index)
{
    // The separator, or nothing chosen, does nothing.
    const std::vector<const MenuItem *> items = PopupItems();
    const MenuItem *chosen = index >= 0 && index < int(items.size()) ? items[size_t(index)] : nullptr;
    if (chosen == &MenuVisible)
        MenuVisible_Click();
    else if (chosen == &ExitAlarm)
        ExitAlarm_Click();
}

void AlarmMain::ToggleAlarmWindow()
{
    // The state goes with the new visibility: minimized when hidden, normal when shown. It is set
    // while the window is unmapped, because a state changed just after mapping can be lost.
    // A minimized window is shown but out of sight (the ring brings it back so): the toggle puts
    // it on the screen instead of hiding it again, or the icon could never show a ringing window.
    // The state is the window's own, read each time: the window manager and the user minimize
    // and restore it without telling us.
    WindowHost &window = m_services.window;
    if (window.isVisible() && window.windowState() != WindowState::Minimized) {
        window.hide();
        window.setWindowState(WindowState::Minimized);
    } else {
        ShowAlarmWindow();
    }
}

void AlarmMain::ShowAlarmWindow()
{
    m_services.window.setWindowState(WindowState::Normal);
    m_services.window.show(WindowHost::Showing::Activate);
}

void AlarmMain::ImgHide_Click()
{
    const bool unset = state.alarm.durationSeconds == 0 && state.alarm.targetDateTime == 0;
    const bool passed = state.alarm.mode == AlarmMode::DateTime && IsPast(state.alarm.targetMoment);
    if (unset || passed) {
        m_services.dialogs.messageBox(QStringLiteral("Hiding without time set is not allowed."),
                                      MsgBox::Critical | MsgBox::OkOnly);
        return;
    }
    // Only the icon can bring a hidden window back: without one it stays. The tray host may take
    // a moment to answer; clicks meanwhile ask nothing more, so one click gives one box at most.
    if (m_askingIconShown)
        return;
    m_askingIconShown = true;
    m_services.notifyArea.askIconShown([this](bool shown) {
        Answered([this, shown] {
            m_askingIconShown = false;
            if (!m_services.window.isVisible()) // hidden meanwhile, by the icon or the menu
                return;
            if (shown) {
                m_services.window.hide();
                return;
            }
            m_services.dialogs.messageBox(QStringLiteral("The window cannot be hidden now: there is no icon in the "
                                                         "notification area to bring it back."),
                                          MsgBox::Critical | MsgBox::OkOnly);
        });
    });
}

void AlarmMain::Label19_Click()
{
    ImgHide_Click();
}

void AlarmMain::Image5_Click()
{
    ImgHide_Click();
}

void AlarmMain::MenuVisible_Click()
{
    ToggleAlarmWindow();
}

void AlarmMain::Timer4_Timer()
{
    trayIcon.blink();
}

void AlarmMain::Exitz_Click()
{
    // The user ends the program: the alarm goes with it, also at the next start.
    Form_Unload();
    trayIcon.remove();
    EndRing();
    m_services.window.endProgram();
}

void AlarmMain::Label20_Click()
{
    Exitz_Click();
}

void AlarmMain::Picture1_Click()
{
    Exitz_Click();
}

void AlarmMain::ExitAlarm_Click()
{
    Exitz_Click();
}

void AlarmMain::Form_Terminate()
{
    trayIcon.remove();
    EndRing();
}
