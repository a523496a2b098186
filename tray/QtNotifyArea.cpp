#include "tray/QtNotifyArea.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QMenu>
#include <QSystemTrayIcon>

QtNotifyArea::QtNotifyArea(IconSource icons)
    : m_icons(std::move(icons))
{
}

QtNotifyArea::~QtNotifyArea() = default;

void QtNotifyArea::setMouseMessages(MouseMessages sink)
{
    m_mouseMessages = std::move(sink);
}

void QtNotifyArea::setHostMenu(MenuItems items, MenuChoice chosen)
{
    m_menuItems = std::move(items);
    m_menuChoice = std::move(chosen);
}

bool QtNotifyArea::statusNotifierHostPresent()
{
    // The same question Qt asks before it registers the icon with such a host.
    QDBusInterface watcher(QStringLiteral("org.kde.StatusNotifierWatcher"), QStringLiteral("/StatusNotifierWatcher"),
                           QStringLiteral("org.kde.StatusNotifierWatcher"), QDBusConnection::sessionBus());
    return watcher.isValid() && watcher.property("IsStatusNotifierHostRegistered").toBool();
}

void QtNotifyArea::report(int message)
{
    if (m_mouseMessages)
        m_mouseMessages(message);
}

bool QtNotifyArea::notify(Command command, const TrayIconRecord &record)
{
    const bool same = m_icon && record.hWnd == m_window && record.uID == m_id;
    switch (command) {
    case Add:
        if (same)
            return false;
        m_icon = std::make_unique<QSystemTrayIcon>();
        m_window = record.hWnd;
        m_id = record.uID;
        m_shownIcon = -1;
        m_hostDrawsMenu = m_menuItems && statusNotifierHostPresent();
        if (m_hostDrawsMenu) {
            m_hostMenu = std::make_unique<QMenu>();
            const std::vector<const MenuItem *> items = m_menuItems();
            for (std::size_t i = 0; i < items.size(); ++i) {
                if (items[i]->text == QStringLiteral("-")) {
                    m_hostMenu->addSeparator();
                    continue;
                }
                QAction *action = m_hostMenu->addAction(items[i]->text);
                if (items[i]->bold)
                    m_hostMenu->setDefaultAction(action);
                connect(action, &QAction::triggered, this, [this, i] { m_menuChoice(int(i)); });
            }
            m_icon->setContextMenu(m_hostMenu.get());
        }
        connect(m_icon.get(), &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
            switch (reason) {
            case QSystemTrayIcon::DoubleClick: report(LeftButtonDoubleClick); break;
            case QSystemTrayIcon::Context: report(RightButtonDown); break;
            case QSystemTrayIcon::Trigger: report(m_hostDrawsMenu ? LeftButtonDoubleClick : LeftButtonDown); break;
            case QSystemTrayIcon::MiddleClick: report(MiddleButtonDown); break;
            case QSystemTrayIcon::Unknown: break;
            }
        });
        show(record);
        // Shown even without a notification area: Qt docks it when a tray host appears.
        m_icon->show();
        return true;
    case Modify:
        if (!same)
            return false;
        show(record);
        return true;
    case Delete:
        if (!same)
            return false;
        m_icon->hide();
        m_icon.reset();
        m_hostMenu.reset();
        return true;
    }
    return false;
}

void QtNotifyArea::show(const TrayIconRecord &record)
{
    if ((record.uFlags & TrayIconRecord::Icon) && record.hIcon != m_shownIcon) {
        m_icon->setIcon(m_icons(static_cast<WindowIcon>(record.hIcon)));
        m_shownIcon = record.hIcon;
    }
    if (record.uFlags & TrayIconRecord::Tip) {
        const QString tip = record.shownTip();
        if (m_icon->toolTip() != tip)
            m_icon->setToolTip(tip);
    }
}

bool QtNotifyArea::iconShown() const
{
    return m_icon && QSystemTrayIcon::isSystemTrayAvailable();
}
