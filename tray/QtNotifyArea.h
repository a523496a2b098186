#pragma once

#include "toolkit/WindowHost.h"
#include "tray/NotifyArea.h"

#include <QIcon>
#include <QObject>
#include <functional>
#include <memory>

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

    bool notify(Command command, const TrayIconRecord &record) override;
    bool iconShown() const override;

    // The icon while it is added; for tests that look at it.
    QSystemTrayIcon *trayIcon() const { return m_icon.get(); }

private:
    void show(const TrayIconRecord &record);

    IconSource m_icons;
    MouseMessages m_mouseMessages;
    std::unique_ptr<QSystemTrayIcon> m_icon;
    quintptr m_window = 0;
    quint32 m_id = 0;
    int m_shownIcon = -1;
};
