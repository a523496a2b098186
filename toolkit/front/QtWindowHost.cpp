#include "toolkit/front/QtWindowHost.h"

#include "toolkit/front/QtMenu.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

QtWindowHost::QtWindowHost(QWidget *window, IconSource icons)
    : m_window(window)
    , m_icons(std::move(icons))
{
}

void QtWindowHost::show(Showing how)
{
    // Mapped without activation, the window manager leaves the focus where it is (Qt gives the
    // window a user time of 0).
    m_window->setAttribute(Qt::WA_ShowWithoutActivating, how != Showing::Activate);
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
}

void QtWindowHost::hide()
{
    m_window->hide();
}

bool QtWindowHost::isVisible() const
{
    return m_window->isVisible();
}

int QtWindowHost::windowState() const
{
    return (m_window->windowState() & Qt::WindowMinimized) ? 1 : 0;
}

void QtWindowHost::setWindowState(int state)
{
    const Qt::WindowStates current = m_window->windowState();
    m_window->setWindowState(state == 1 ? (current | Qt::WindowMinimized) : (current & ~Qt::WindowMinimized));
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

int QtWindowHost::popupMenu(const std::vector<const MenuItem *> &items)
{
    QMenu menu;
    menu.setObjectName(QStringLiteral("MenuPopup"));
    const std::vector<QAction *> actions = fillMenu(menu, items);
    QAction *chosen = menu.exec(QCursor::pos());
    for (std::size_t i = 0; i < actions.size(); ++i)
        if (actions[i] == chosen)
            return int(i);
    return -1;
}

void QtWindowHost::endProgram()
{
    // Ends at once, as the exit commands promise: no close, unload or terminate handler runs.
    // What the handlers asked of the window system first (the icon's removal among it) still
    // sits in the connection's buffer: send it, or the tray keeps the icon until the process is gone.
    if (QGuiApplication::instance())
        QGuiApplication::sync();
    std::fflush(nullptr);
    std::_Exit(0);
}
