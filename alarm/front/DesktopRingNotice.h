#pragma once

#include "alarm/RingNotice.h"

#include <QObject>
#include <QStringList>
#include <functional>

class QDBusPendingCallWatcher;

// The ring's notification through the freedesktop notification service on the session bus
// (GNOME Shell, KDE Plasma, xfce4-notifyd, mako, dunst). Every call is asynchronous: a daemon
// that is missing, slow or dead changes nothing else, and no tick or click waits for it.
class DesktopRingNotice : public QObject, public RingNotice
{
    Q_OBJECT

public:
    using Stop = std::function<void()>;
    // Gets the activation token of the user's click, where the daemon sent one (Wayland).
    using Open = std::function<void(const QString &activationToken)>;
    // stop: the notification's "Stop"; open: a click on the notification itself.
    DesktopRingNotice(Stop stop, Open open);

    void post(const QString &reminder) override;
    void withdraw() override;

private Q_SLOTS:
    void actionInvoked(uint id, const QString &action);
    void activationToken(uint id, const QString &token);
    void closed(uint id, uint reason);

private:
    void listen();
    void close(uint id);
    // Calls a method of the service; done (if any) gets the reply or the error.
    void call(const QString &method, const QVariantList &arguments,
              std::function<void(QDBusPendingCallWatcher &)> done = {});

    Stop m_stop;
    Open m_open;
    bool m_listening = false;
    // Counts posts and withdrawals: a reply to a post that is no longer the latest (withdrawn
    // meanwhile) is closed at once.
    unsigned m_generation = 0;
    uint m_id = 0; // the daemon's number for the notification that is up; 0 for none
    QString m_token; // the activation token sent for it, just before an action
};
