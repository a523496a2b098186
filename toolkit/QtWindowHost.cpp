#include "toolkit/QtWindowHost.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

QtWindowHost::QtWindowHost(QWidget *window, IconSource icons)
    : m_window(window)
    , m_icons(std::move(icons))
{
}

void QtWindowHost::show()
{
    // QWidget::show keeps the window state, so a minimized window stays minimized.
    m_window->show();
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

void QtWindowHost::endProgram()
{
    // Ends at once, as the exit commands promise: no close, unload or terminate handler runs.
    std::fflush(nullptr);
    std::_Exit(0);
}
