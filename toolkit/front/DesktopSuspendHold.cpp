#include "toolkit/front/DesktopSuspendHold.h"

#include "toolkit/AppInfo.h"
#include "toolkit/front/SessionBus.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusUnixFileDescriptor>
#include <QThread>

namespace {

// A method's answer that has not come by then is not coming soon: the next way is tried.
constexpr int CallWaitMs = 3000;
constexpr uint SuspendFlag = 4; // the session manager's and the portal's "suspend"

QDBusMessage callOn(QDBusConnection bus, const QString &service, const QString &path, const QString &interface,
                    const QString &method, const QVariantList &arguments)
{
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, interface, method);
    call.setArguments(arguments);
    return bus.call(call, QDBus::Block, CallWaitMs);
}

bool answered(const QDBusMessage &reply)
{
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty();
}

} // namespace

// Lives on its own thread; every member runs there.
class DesktopSuspendHold::Worker : public QObject
{
    Q_OBJECT

public:
    explicit Worker(std::function<void()> woken)
        : m_woken(std::move(woken))
    {
    }
    ~Worker() override { letGo(); }

    void take(const QString &reason)
    {
        letGo();
        listenForWake();
        const QStringList names = sessionNames();
        const QString program = QString::fromLatin1(AppInfo::Title);
        const QString gnome = QStringLiteral("org.gnome.SessionManager");
        if (names.contains(gnome)
            && holdByCookie(gnome, QStringLiteral("/org/gnome/SessionManager"), gnome, QStringLiteral("Uninhibit"),
                            {program, uint(0), reason, SuspendFlag}))
            return;
        if (names.contains(QStringLiteral("org.freedesktop.portal.Desktop")) && holdByPortal(reason))
            return;
        const QString power = QStringLiteral("org.freedesktop.PowerManagement");
        if (names.contains(power)
            && holdByCookie(power, QStringLiteral("/org/freedesktop/PowerManagement/Inhibit"),
                            power + QStringLiteral(".Inhibit"), QStringLiteral("UnInhibit"), {program, reason}))
            return;
        holdByLogind(program, reason);
    }

    void letGo()
    {
        if (m_letGo)
            std::exchange(m_letGo, {})();
    }

private Q_SLOTS:
    void prepareForSleep(bool sleeping)
    {
        if (!sleeping && m_letGo)
            QMetaObject::invokeMethod(QCoreApplication::instance(), m_woken, Qt::QueuedConnection);
    }

private:
    static QStringList sessionNames()
    {
        if (!SessionBus::ready())
            return {};
        const QDBusMessage reply = callOn(QDBusConnection::sessionBus(), QStringLiteral("org.freedesktop.DBus"),
                                          QStringLiteral("/org/freedesktop/DBus"),
                                          QStringLiteral("org.freedesktop.DBus"), QStringLiteral("ListNames"), {});
        return answered(reply) ? reply.arguments().constFirst().toStringList() : QStringList();
    }

    // The session manager and PowerManagement: a number for the lock, given back to end it.
    bool holdByCookie(const QString &service, const QString &path, const QString &interface, const QString &end,
                      const QVariantList &arguments)
    {
        const QDBusMessage reply =
            callOn(QDBusConnection::sessionBus(), service, path, interface, QStringLiteral("Inhibit"), arguments);
        if (!answered(reply))
            return false;
        const uint cookie = reply.arguments().constFirst().toUInt();
        m_letGo = [=] { callOn(QDBusConnection::sessionBus(), service, path, interface, end, {cookie}); };
        return true;
    }

    bool holdByPortal(const QString &reason)
    {
        const QDBusMessage reply =
            callOn(QDBusConnection::sessionBus(), QStringLiteral("org.freedesktop.portal.Desktop"),
                   QStringLiteral("/org/freedesktop/portal/desktop"), QStringLiteral("org.freedesktop.portal.Inhibit"),
                   QStringLiteral("Inhibit"),
                   {QString(), SuspendFlag, QVariantMap{{QStringLiteral("reason"), reason}}});
        if (!answered(reply))
            return false;
        // The lock lasts as long as its request: closing the request ends it.
        const QString request = qvariant_cast<QDBusObjectPath>(reply.arguments().constFirst()).path();
        m_letGo = [=] {
            callOn(QDBusConnection::sessionBus(), QStringLiteral("org.freedesktop.portal.Desktop"), request,
                   QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Close"), {});
        };
        return true;
    }

    void holdByLogind(const QString &program, const QString &reason)
    {
        const QDBusMessage reply =
            callOn(QDBusConnection::systemBus(), QStringLiteral("org.freedesktop.login1"),
                   QStringLiteral("/org/freedesktop/login1"), QStringLiteral("org.freedesktop.login1.Manager"),
                   QStringLiteral("Inhibit"), {QStringLiteral("idle"), program, reason, QStringLiteral("block")});
        if (!answered(reply))
            return;
        // Held while the descriptor is open: the copy in the function, until it is let go.
        const auto lock = qvariant_cast<QDBusUnixFileDescriptor>(reply.arguments().constFirst());
        m_letGo = [lock] {};
    }

    // Only logind's own signal counts: Qt delivers it from the name's owner alone.
    void listenForWake()
    {
        if (m_listening)
            return;
        m_listening =
            QDBusConnection::systemBus().connect(QStringLiteral("org.freedesktop.login1"),
                                                 QStringLiteral("/org/freedesktop/login1"),
                                                 QStringLiteral("org.freedesktop.login1.Manager"),
                                                 QStringLiteral("PrepareForSleep"), this, SLOT(prepareForSleep(bool)));
    }

    std::function<void()> m_woken;
    std::function<void()> m_letGo; // ends the hold taken; none while none is
    bool m_listening = false;
};

DesktopSuspendHold::DesktopSuspendHold(std::function<void()> woken)
    : m_woken(std::move(woken))
{
}

DesktopSuspendHold::~DesktopSuspendHold()
{
    if (!m_worker)
        return;
    QThread *thread = m_worker->thread();
    m_worker->deleteLater(); // its hold goes with it
    thread->quit();
    // A thread a hung bus holds is left to the process's end rather than waited for.
    if (thread->wait(QDeadlineTimer(500)))
        delete thread;
}

void DesktopSuspendHold::hold(const QString &reason)
{
    if (!m_worker) {
        auto *thread = new QThread;
        thread->setObjectName(QStringLiteral("suspend hold"));
        m_worker = new Worker(m_woken);
        m_worker->moveToThread(thread);
        thread->start();
    }
    QMetaObject::invokeMethod(
        m_worker, [worker = m_worker, reason] { worker->take(reason); }, Qt::QueuedConnection);
}

void DesktopSuspendHold::release()
{
    if (m_worker)
        QMetaObject::invokeMethod(
            m_worker, [worker = m_worker] { worker->letGo(); }, Qt::QueuedConnection);
}

#include "DesktopSuspendHold.moc"
