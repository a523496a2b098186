#pragma once

#include "toolkit/Controls.h"
#include "toolkit/WindowHost.h"
#include "tray/NotifyArea.h"

#include <QElapsedTimer>
#include <QIcon>
#include <QObject>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QDBusMessage;
class QMenu;
class QSystemTrayIcon;

// The notification area over QSystemTrayIcon. An icon added while the desktop has no
// notification area docks as soon as one appears, and again after the tray host restarts.
class QtNotifyArea : public QObject, public NotifyArea
{
    Q_OBJECT

public:
    using IconSource = std::function<QIcon(WindowIcon)>;
    // Receives the number of the mouse message for each mouse event over the icon.
    using MouseMessages = std::function<void(int message)>;

    explicit QtNotifyArea(IconSource icons);
    ~QtNotifyArea() override;

    void setMouseMessages(MouseMessages sink);

    // A StatusNotifierItem host draws the icon's menu itself and has no double-click: there the
    // icon carries the window's menu (the items, chosen by index) and the host's primary action
    // stands for the double-click. A tray that embeds the icon reports the right button instead.
    using MenuChoice = std::function<void(int index)>;
    void setHostMenu(std::vector<const MenuItem *> items, MenuChoice chosen);

    bool notify(Command command, const TrayIconRecord &record) override;
    void askIconShown(std::function<void(bool)> answer) override;

    // The icon; for tests that look at it or act on it as a host would. Nothing until the
    // session bus and the StatusNotifierItem watcher (if any) have answered.
    QSystemTrayIcon *trayIcon() const { return m_icon.get(); }

private:
    void askWatcher();
    // Asks the watcher whether a host is registered, without waiting (-1: as long as the bus allows).
    void askHost(int timeoutMs, std::function<void(const QDBusMessage &reply)> then);
    void makeIcon(bool statusNotifierItem);
    void attachHostMenu();
    void show(const TrayIconRecord &record);
    void report(int message);
    void activated(int reason);

    IconSource m_icons;
    MouseMessages m_mouseMessages;
    std::unique_ptr<QSystemTrayIcon> m_icon;
    bool m_statusNotifierItem = false;                // the kind of icon Qt made
    static std::optional<bool> s_statusNotifierItems; // the kind, once decided

    std::vector<const MenuItem *> m_hostMenuItems;
    MenuChoice m_hostMenuChoice;
    std::unique_ptr<QMenu> m_hostMenu;
    QElapsedTimer m_sinceActivation;
    bool m_added = false;
    TrayIconRecord m_record; // the icon's, while added
    int m_shownIcon = -1;
};
