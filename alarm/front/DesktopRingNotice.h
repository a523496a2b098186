#pragma once

#include "alarm/RingNotice.h"

#include <QObject>
#include <QStringList>
#include <functional>

class QDBusMessage;
class QDBusPendingCallWatcher;

// The ring's notification through the freedesktop notification service on the session bus
// (GNOME Shell, KDE Plasma, xfce4-notifyd, mako, dunst). Every call is asynchronous: a daemon
// that is missing, slow or dead changes nothing else, and no tick or click waits for it.
class DesktopRingNotice : public QObject, public RingNotice
{
    Q_OBJECT

public:
    using Act = std::function<void()>;
    // Gets the activation token of the user's click, where the daemon sent one (Wayland).
    using Open = std::function<void(const QString &activationToken)>;
    // stop and snooze: the notification's "Stop" and "Snooze 10 minutes" (SnoozeSeconds); open: a click on the
    // notification itself.
    DesktopRingNotice(Act stop, Act snooze, Open open);

    void post(const QString &reminder) override;
    void withdraw() override;
    void tellMissed(const QString &reminder, const QString &due) override;

private Q_SLOTS:
    // Each with the signal's message, to tell who sent it.
    void actionInvoked(uint id, const QString &action, const QDBusMessage &signal);
    void activationToken(uint id, const QString &token, const QDBusMessage &signal);
    void closed(uint id, uint reason, const QDBusMessage &signal);

private:
    void askDaemon(unsigned thisPost, const QString &reminder);
    // text: what the body says, the reminder and, where needed, how to stop the ring;
    // answerClick: whether the program answers a click on the notification itself.
    void send(unsigned thisPost, const QString &text, bool answerClick);
    QVariantMap hints(int urgency) const;
    // Posts a notification in the program's name (replacing the one numbered replaces, if any);
    // the text is shown as typed.
    void notify(uint replaces, const QString &summary, const QString &text, const QStringList &actions, int urgency,
                std::function<void(QDBusPendingCallWatcher &)> done = {});
    void listen();
    // The signal is about the notification that is up, and comes from the daemon that showed it.
    bool aboutOurs(uint id, const QDBusMessage &signal) const;
    void close(uint id);
    // Calls a method of the service; done (if any) gets the reply or the error.
    void call(const QString &method, const QVariantList &arguments,
              std::function<void(QDBusPendingCallWatcher &)> done = {});

    Act m_stop;
    Act m_snooze;
    Open m_open;
    bool m_listening = false;
    // Counts posts and withdrawals: a reply to a post that is no longer the latest (withdrawn
    // meanwhile) is closed at once.
    unsigned m_generation = 0;
    uint m_id = 0; // the daemon's number for the notification that is up; 0 for none
    // The daemon's own name on the bus (its unique name), which answered the post: anyone on the
    // bus can send a signal in the service's name and path, but only it sends from this name.
    QString m_daemon;
    QString m_token; // the activation token sent for it, just before an action
};
