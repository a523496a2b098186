#include "alarm/front/DesktopRingNotice.h"

#include "alarm/Alarm.h"

#include "toolkit/AppInfo.h"
#include "toolkit/front/ActivationToken.h"
#include "toolkit/front/Pictures.h"
#include "toolkit/front/SessionBus.h"

#include <QCoreApplication>
#include <QDBusArgument>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDir>
#include <QFileInfo>
#include <QImage>

#include <limits>

namespace {

const QString Service = QStringLiteral("org.freedesktop.Notifications"); // also its interface
const QString Path = QStringLiteral("/org/freedesktop/Notifications");
const QString StopAction = QStringLiteral("stop");
const QString SnoozeAction = QStringLiteral("snooze");
const QString OpenAction = QStringLiteral("default"); // the click on the notification itself
const QString StopHint = QStringLiteral("To stop the alarm, press Stop in its window.");

QString desktopId()
{
    return QString::fromLatin1(AppInfo::DesktopId);
}

// Where the daemon finds no icon of ours in the icon theme (the program run from its build
// folder, or installed where the desktop does not look), it shows a missing-image mark or none:
// the picture goes along then. Asked of the program's own install tree only, which is where the
// program itself was just read from, and once.
bool iconInstalled()
{
    static const bool installed = [] {
        const QString share = QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share"));
        QStringList dataDirs = qEnvironmentVariable("XDG_DATA_DIRS").split(u':', Qt::SkipEmptyParts);
        if (dataDirs.isEmpty())
            dataDirs = {QStringLiteral("/usr/local/share"), QStringLiteral("/usr/share")};
        for (QString &dir : dataDirs)
            dir = QDir::cleanPath(dir);
        return dataDirs.contains(share)
            && QFileInfo::exists(share + QStringLiteral("/icons/hicolor/32x32/apps/") + desktopId()
                                 + QStringLiteral(".png"));
    }();
    return installed;
}

// The picture as the notification's image-data hint (iiibiiay): width, height, row length,
// alpha, bits per sample, samples per pixel, then the pixels.
QVariant iconPixels()
{
    const QImage icon =
        pngPicture(QStringLiteral(":/pictures/app-icon-32.png")).toImage().convertToFormat(QImage::Format_RGBA8888);
    QDBusArgument image;
    image.beginStructure();
    image << icon.width() << icon.height() << int(icon.bytesPerLine()) << true << 8 << 4
          << QByteArray(reinterpret_cast<const char *>(icon.constBits()), int(icon.sizeInBytes()));
    image.endStructure();
    return QVariant::fromValue(image);
}

} // namespace

DesktopRingNotice::DesktopRingNotice(Act stop, Act snooze, Open open)
    : m_stop(std::move(stop))
    , m_snooze(std::move(snooze))
    , m_open(std::move(open))
{
}

void DesktopRingNotice::post(const QString &reminder)
{
    const unsigned thisPost = ++m_generation;
    // A bus still connecting is not waited for: the notification follows once it answers, if
    // the ring is still on.
    SessionBus::whenSettled(this, [this, thisPost, reminder] {
        if (thisPost != m_generation || !SessionBus::ready())
            return;
        askDaemon(thisPost, reminder);
    });
}

// What the daemon is decides what the notification offers: one that shows no buttons gets the
// way to stop the ring in the text instead, and GNOME Shell is left the click on the
// notification itself. It brings the program's window forward with the focus only when no
// action of the program's answers that click (43 hands the program no token to take the focus
// with).
void DesktopRingNotice::askDaemon(unsigned thisPost, const QString &reminder)
{
    call(QStringLiteral("GetServerInformation"), {}, [this, thisPost, reminder](QDBusPendingCallWatcher &server) {
        const QDBusPendingReply<QString> name = server;
        const bool raisesTheApp = name.isValid() && name.value() == QStringLiteral("gnome-shell");
        call(QStringLiteral("GetCapabilities"), {},
             [this, thisPost, reminder, raisesTheApp](QDBusPendingCallWatcher &answer) {
                 const QDBusPendingReply<QStringList> capabilities = answer;
                 const bool buttons =
                     !capabilities.isValid() || capabilities.value().contains(QStringLiteral("actions"));
                 if (thisPost == m_generation)
                     send(thisPost, buttons ? reminder : reminder + u'\n' + StopHint, !raisesTheApp);
             });
    });
}

void DesktopRingNotice::send(unsigned thisPost, const QString &text, bool answerClick)
{
    listen();
    QStringList actions{StopAction, QStringLiteral("Stop"), SnoozeAction,
                        QStringLiteral("Snooze %1 minutes").arg(SnoozeSeconds / 60)};
    if (answerClick)
        actions = QStringList{OpenAction, QStringLiteral("Show")} + actions;
    constexpr int Critical = 2; // it stays until acted on
    notify(m_id, QString::fromLatin1(AppInfo::Title), text, actions, Critical,
           [this, thisPost](QDBusPendingCallWatcher &answer) {
               const QDBusPendingReply<uint> id = answer;
               if (!id.isValid())
                   return;
               if (thisPost == m_generation) {
                   m_id = id.value();
                   m_daemon = id.reply().service();
               } else {
                   close(id.value()); // the ring ended while the daemon answered
               }
           });
}

void DesktopRingNotice::notify(uint replaces, const QString &summary, const QString &text, const QStringList &actions,
                               int urgency, std::function<void(QDBusPendingCallWatcher &)> done)
{
    constexpr int NeverExpires = 0;
    // Shown as typed: daemons read markup in the text, also some that do not say so (dunst).
    call(QStringLiteral("Notify"),
         {QString::fromLatin1(AppInfo::Title), replaces, desktopId(), summary, text.toHtmlEscaped(), actions,
          hints(urgency), NeverExpires},
         std::move(done));
}

QVariantMap DesktopRingNotice::hints(int urgency) const
{
    QVariantMap hints{
        {QStringLiteral("desktop-entry"), desktopId()},
        {QStringLiteral("urgency"), QVariant::fromValue(uchar(urgency))},
        {QStringLiteral("suppress-sound"), true}, // the alarm sounds already, or is over
    };
    if (!iconInstalled())
        hints.insert(QStringLiteral("image-data"), iconPixels());
    return hints;
}

void DesktopRingNotice::tellMissed(const QString &reminder, const QString &due)
{
    // Its own notification, never replaced or withdrawn by a ring's: it stays until dismissed.
    SessionBus::whenSettled(this, [this, reminder, due] {
        if (!SessionBus::ready())
            return;
        constexpr int Normal = 1;
        notify(0, QStringLiteral("Missed: ") + reminder, QStringLiteral("Due ") + due, {}, Normal);
    });
}

void DesktopRingNotice::withdraw()
{
    ++m_generation;
    if (m_id != 0)
        close(m_id);
    m_id = 0;
    m_daemon.clear();
    m_token.clear();
}

void DesktopRingNotice::close(uint id)
{
    call(QStringLiteral("CloseNotification"), {id});
}

void DesktopRingNotice::call(const QString &method, const QVariantList &arguments,
                             std::function<void(QDBusPendingCallWatcher &)> done)
{
    QDBusMessage message = QDBusMessage::createMethodCall(Service, Path, Service, method);
    message.setArguments(arguments);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!done) {
        bus.send(message);
        return;
    }
    // No time limit: a daemon that answers late still gives the number of a notification it
    // shows, and one posted for a ring that has ended meanwhile is closed at once.
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(message, std::numeric_limits<int>::max()), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [done = std::move(done)](QDBusPendingCallWatcher *w) {
        done(*w);
        w->deleteLater();
    });
}

// Listens from the first ring only: a program that never rings never asks for the service.
void DesktopRingNotice::listen()
{
    if (m_listening)
        return;
    m_listening = true;
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.connect(QString(), Path, Service, QStringLiteral("ActionInvoked"), this,
                SLOT(actionInvoked(uint, QString, QDBusMessage)));
    bus.connect(QString(), Path, Service, QStringLiteral("ActivationToken"), this,
                SLOT(activationToken(uint, QString, QDBusMessage)));
    bus.connect(QString(), Path, Service, QStringLiteral("NotificationClosed"), this,
                SLOT(closed(uint, uint, QDBusMessage)));
    // A daemon that leaves the bus (ended, or replaced by another) takes its notifications along.
    auto *daemon = new QDBusServiceWatcher(Service, bus, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(daemon, &QDBusServiceWatcher::serviceOwnerChanged, this, [this](const QString &, const QString &old) {
        if (!m_daemon.isEmpty() && old == m_daemon) {
            m_id = 0;
            m_daemon.clear();
        }
    });
}

bool DesktopRingNotice::aboutOurs(uint id, const QDBusMessage &signal) const
{
    return id != 0 && id == m_id && signal.service() == m_daemon;
}

void DesktopRingNotice::actionInvoked(uint id, const QString &action, const QDBusMessage &signal)
{
    if (!aboutOurs(id, signal))
        return;
    if (action == StopAction && m_stop)
        m_stop();
    else if (action == SnoozeAction && m_snooze)
        m_snooze();
    else if (action == OpenAction && m_open)
        m_open(m_token);
}

void DesktopRingNotice::activationToken(uint id, const QString &token, const QDBusMessage &signal)
{
    // Sent just before the action: on Wayland, only a token from the user's own act lets the
    // window take the focus.
    if (aboutOurs(id, signal) && isActivationToken(token))
        m_token = token;
}

void DesktopRingNotice::closed(uint id, uint reason, const QDBusMessage &signal)
{
    // Dismissed by the user or the daemon: the ring goes on, and is not posted again. Dismissed
    // by the user (some daemons, xfce4-notifyd among them, close it at a click on its body and
    // send no action), the window is shown as the notification's own click shows it: the ring
    // must not go on with nothing on screen to stop it.
    if (!aboutOurs(id, signal))
        return;
    m_id = 0;
    m_daemon.clear();
    constexpr uint DismissedByTheUser = 2;
    if (reason == DismissedByTheUser && m_open)
        m_open(m_token);
}
