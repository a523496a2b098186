#include "toolkit/front/QtWindowHost.h"

#include "toolkit/front/QtMenu.h"
#include "toolkit/front/ProgramEnd.h"

#include <QAccessible>
#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QtGui/qguiapplication_platform.h>
#include <QMenu>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#if QT_CONFIG(xcb)
#include <xcb/xcb.h>
#endif

namespace {

// Qt writes the state a window is to be mapped in (its WM_HINTS) only when it changes the state
// itself. After the window manager or the user restored a window that Qt had minimized, the hint
// still says minimized, and the next show would map it so: it is written again from the state
// Qt reports, which follows the window manager.
void mapInCurrentState([[maybe_unused]] const QWidget &window)
{
#if QT_CONFIG(xcb)
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !window.testAttribute(Qt::WA_WState_Created))
        return;
    xcb_connection_t *connection = x11->connection();
    const auto id = static_cast<xcb_window_t>(window.winId());
    constexpr std::uint32_t fields = 9, stateHint = 1u << 1, normal = 1, iconic = 3;
    std::array<std::uint32_t, fields> hints{};
    const xcb_get_property_cookie_t asked =
        xcb_get_property(connection, 0, id, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 0, fields);
    if (xcb_get_property_reply_t *reply = xcb_get_property_reply(connection, asked, nullptr)) {
        const auto length = std::min<std::size_t>(std::size_t(xcb_get_property_value_length(reply)), sizeof hints);
        std::memcpy(hints.data(), xcb_get_property_value(reply), length);
        std::free(reply);
    }
    hints[0] |= stateHint;
    hints[2] = (window.windowState() & Qt::WindowMinimized) ? iconic : normal;
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 32, fields,
                        hints.data());
#endif
}

} // namespace

QtWindowHost::QtWindowHost(QWidget *window, IconSource icons)
    : m_window(window)
    , m_icons(std::move(icons))
{
}

void QtWindowHost::show(Showing how)
{
    const bool appears = !m_window->isVisible() || (m_window->windowState() & Qt::WindowMinimized);
    if (how != Showing::Activate && appears)
        parkFocus();
    if (!m_window->isVisible())
        mapInCurrentState(*m_window);
    // Mapped without activation, the window manager leaves the focus where it is (Qt gives the
    // window a user time of 0). The attribute reaches the native window only when that is
    // created; a window mapped again (hidden, then shown by the ring) takes it from the window
    // handle's property, or a manager that focuses windows as they map would focus it.
    const bool withoutActivating = how != Showing::Activate;
    m_window->setAttribute(Qt::WA_ShowWithoutActivating, withoutActivating);
    if (QWindow *native = m_window->windowHandle())
        native->setProperty("_q_showWithoutActivating", withoutActivating);
    // QWidget::show keeps the window state, so a minimized window stays minimized.
    m_window->show();
    // A window manager may take a raise for a request to activate (openbox does), so the ring
    // asks for attention instead: the task list marks the window.
    if (how == Showing::Alert)
        QApplication::alert(m_window);
    if (how != Showing::Activate)
        return;
    m_window->raise();
    if (!(m_window->windowState() & Qt::WindowMinimized))
        m_window->activateWindow();
    unparkFocus();
}

// A window the user did not ask for may still get the keyboard (on Wayland the compositor
// focuses every new window): the window itself holds the focus then, so keys typed into it,
// meant for another program, press nothing. Tab still leads to every control.
void QtWindowHost::parkFocus()
{
    if (m_window->focusWidget() != m_window)
        m_parkedFocus = m_window->focusWidget();
    m_window->setFocus(Qt::OtherFocusReason);
}

void QtWindowHost::unparkFocus()
{
    if (m_window->focusWidget() == m_window && m_parkedFocus)
        m_parkedFocus->setFocus(Qt::OtherFocusReason);
    m_parkedFocus.clear();
}

void QtWindowHost::hide()
{
    m_window->hide();
}

bool QtWindowHost::isVisible() const
{
    return m_window->isVisible();
}

WindowState QtWindowHost::windowState() const
{
    return (m_window->windowState() & Qt::WindowMinimized) ? WindowState::Minimized : WindowState::Normal;
}

void QtWindowHost::announce(const QString &text)
{
    QObject *source = m_window;
    for (QLabel *label : m_window->findChildren<QLabel *>())
        if (label->text().trimmed() == text)
            source = label;
    QAccessibleEvent alert(source, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

void QtWindowHost::setWindowState(WindowState state)
{
    const Qt::WindowStates current = m_window->windowState();
    m_window->setWindowState(state == WindowState::Minimized ? (current | Qt::WindowMinimized)
                                                             : (current & ~Qt::WindowMinimized));
}

quintptr QtWindowHost::handle() const
{
    return static_cast<quintptr>(m_window->winId());
}

WindowIcon QtWindowHost::icon() const
{
    return m_icon;
}

void QtWindowHost::setIcon(WindowIcon icon)
{
    m_icon = icon;
    if (m_icons)
        m_window->setWindowIcon(m_icons(icon));
}

double QtWindowHost::twipsPerPixelX() const
{
    const QScreen *screen = m_window->screen() ? m_window->screen() : QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
    return 1440.0 / (dpi > 0 ? dpi : 96.0);
}

void QtWindowHost::popupMenu(const std::vector<const MenuItem *> &items)
{
    // Not exec(): a menu's own event loop would sit on top of an own file's play and hold the
    // ring's ticks until the menu closed.
    auto *menu = new QMenu;
    menu->setObjectName(QStringLiteral("MenuPopup"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    fillMenu(*menu, items, m_menuChoice);
    menu->popup(QCursor::pos());
}

void QtWindowHost::endProgram()
{
    // Ends at once, as the exit commands promise: no close, unload or terminate handler runs.
    // What the handlers asked of the window system first (the icon's removal among it) still
    // sits in the connection's buffer: send it, or the tray keeps the icon until the process is gone.
    if (QGuiApplication::instance())
        QGuiApplication::sync();
    finishProgram();
    std::fflush(nullptr);
    std::_Exit(0);
}
