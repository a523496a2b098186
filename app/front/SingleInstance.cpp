#include "app/front/SingleInstance.h"

#include "toolkit/AppInfo.h"
#include "toolkit/front/ProgramEnd.h"
#include "toolkit/front/SessionBus.h"

#include <QDBusConnection>
#include <QDBusMessage>

#include <chrono>

namespace {

using namespace std::chrono_literals;

// A bus whose daemon has not answered by then is stopped or hung: the window does not wait for it.
constexpr auto DaemonWait = 600ms;
// A daemon that answers settles the claim in milliseconds, or in two seconds when the program
// holding the name does not answer its hand-over; this is only a bound.
constexpr auto ClaimWait = 5s;

QString busName()
{
    return QString::fromLatin1(AppInfo::DesktopId);
}

// The object path the desktop derives from the name: org.example.Name → /org/example/Name.
QString objectPath()
{
    return u'/' + busName().replace(u'.', u'/');
}

// What lets the running program's window take the focus: the token of the user's act that
// started this one (Wayland), or its startup id (X11).
QVariantMap platformData()
{
    QVariantMap data;
    if (qEnvironmentVariableIsSet("XDG_ACTIVATION_TOKEN"))
        data.insert(QStringLiteral("activation-token"), qEnvironmentVariable("XDG_ACTIVATION_TOKEN"));
    if (qEnvironmentVariableIsSet("DESKTOP_STARTUP_ID"))
        data.insert(QStringLiteral("desktop-startup-id"), qEnvironmentVariable("DESKTOP_STARTUP_ID"));
    return data;
}

// Asks the bus for the name; true when it is ours. Queued, the name comes to this program when
// the one holding it ends.
bool requestName(QDBusConnection &bus, bool queue)
{
    const QString dbus = QStringLiteral("org.freedesktop.DBus");
    QDBusMessage request = QDBusMessage::createMethodCall(dbus, QStringLiteral("/org/freedesktop/DBus"), dbus,
                                                          QStringLiteral("RequestName"));
    constexpr uint DoNotQueue = 4;
    request << busName() << uint(queue ? 0 : DoNotQueue);
    const QDBusMessage reply = bus.call(request);
    constexpr uint PrimaryOwner = 1, AlreadyOwner = 4;
    const uint result = reply.arguments().value(0).toUInt();
    return reply.type() == QDBusMessage::ReplyMessage && (result == PrimaryOwner || result == AlreadyOwner);
}

} // namespace

SingleInstance::SingleInstance()
{
    SessionBus::connect([this](QDBusConnection &bus) { claim(bus); });
    // An ending program will not show its window again: a start meanwhile is refused at once
    // and gets the name, rather than waiting on this one.
    atProgramEnd([this] {
        if (SessionBus::ready()) {
            QDBusConnection bus = QDBusConnection::sessionBus();
            release(bus);
        }
    });
}

void SingleInstance::claim(QDBusConnection &bus)
{
    // Ready to answer before the name is ours, so that a start right after finds us answering.
    if (!bus.isConnected() || !bus.registerObject(objectPath(), this, QDBusConnection::ExportScriptableSlots)
        || requestName(bus, false)) {
        decide(Verdict::First);
        return;
    }
    {
        std::lock_guard lock(m_mutex);
        if (m_gaveUp) { // this program's window shows already: it stays, and takes the name later
            requestName(bus, true);
            return;
        }
    }
    QDBusMessage activate =
        QDBusMessage::createMethodCall(busName(), objectPath(), QStringLiteral("org.freedesktop.Application"),
                                       QStringLiteral("Activate"));
    activate << platformData();
    // The running program answers from its event loop, also behind a box. One that does not
    // answer in time still lives (hung): not worth a second program. One that refuses is ending
    // (its window already gone): this start runs as the first, and the name follows.
    const QDBusMessage reply = bus.call(activate, QDBus::Block, 2000);
    if (reply.type() == QDBusMessage::ReplyMessage) {
        decide(Verdict::HandedOver);
        return;
    }
    // No answer comes as well from a program that ended with the call unread: then the name is
    // free, where a hung program still holds it.
    const bool noAnswer = reply.errorName() == QStringLiteral("org.freedesktop.DBus.Error.NoReply");
    if (noAnswer && !requestName(bus, false)) {
        decide(Verdict::HandedOver);
        return;
    }
    if (!noAnswer)
        requestName(bus, true);
    decide(Verdict::First);
}

void SingleInstance::decide(Verdict verdict)
{
    std::lock_guard lock(m_mutex);
    m_verdict = verdict;
    m_decided.notify_all();
}

bool SingleInstance::handedOver()
{
    const bool answers = SessionBus::answers(DaemonWait);
    std::unique_lock lock(m_mutex);
    if (!answers || !m_decided.wait_for(lock, ClaimWait, [this] { return m_verdict != Verdict::Pending; }))
        m_gaveUp = true;
    return m_verdict == Verdict::HandedOver;
}

void SingleInstance::release(QDBusConnection &bus)
{
    bus.unregisterObject(objectPath());
    const QString dbus = QStringLiteral("org.freedesktop.DBus");
    QDBusMessage request = QDBusMessage::createMethodCall(dbus, QStringLiteral("/org/freedesktop/DBus"), dbus,
                                                          QStringLiteral("ReleaseName"));
    request << busName();
    bus.send(request); // its answer is not awaited: the program's end sends it out
}

void SingleInstance::Activate(const QVariantMap &platformData)
{
    // GNOME's launcher (43) gives its token as the startup id only; on Wayland it is the same
    // token the compositor honours.
    QString token = platformData.value(QStringLiteral("activation-token")).toString();
    if (token.isEmpty())
        token = platformData.value(QStringLiteral("desktop-startup-id")).toString();
    if (m_show)
        m_show(token);
}
