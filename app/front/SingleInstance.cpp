#include "app/front/SingleInstance.h"

#include "toolkit/AppInfo.h"

#include <QDBusConnection>
#include <QDBusMessage>

namespace {

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

} // namespace

SingleInstance::SingleInstance()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    // Ready to answer before the name is ours, so that a start right after finds us answering.
    if (!bus.isConnected() || !bus.registerObject(objectPath(), this, QDBusConnection::ExportScriptableSlots))
        return;
    if (bus.registerService(busName()))
        return;
    QDBusMessage activate = QDBusMessage::createMethodCall(busName(), objectPath(),
                                                           QStringLiteral("org.freedesktop.Application"),
                                                           QStringLiteral("Activate"));
    activate << platformData();
    // The running program answers from its event loop, also behind a box. One that does not
    // answer in time still lives (hung, or busy ending): not worth a second program. One that
    // has gone meanwhile leaves the name to this one.
    const QDBusMessage reply = bus.call(activate, QDBus::Block, 2000);
    const bool answered = reply.type() == QDBusMessage::ReplyMessage
        || reply.errorName() == QStringLiteral("org.freedesktop.DBus.Error.NoReply");
    m_handedOver = answered || !bus.registerService(busName());
}

void SingleInstance::Activate(const QVariantMap &platformData)
{
    if (m_show)
        m_show(platformData.value(QStringLiteral("activation-token")).toString());
}
