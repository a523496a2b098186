#include "toolkit/front/SessionBus.h"

#include <QDBusConnection>
#include <QDBusMessage>

void flushSessionBus()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    const QString dbus = QStringLiteral("org.freedesktop.DBus");
    bus.call(QDBusMessage::createMethodCall(dbus, QStringLiteral("/org/freedesktop/DBus"), dbus, QStringLiteral("GetId")),
             QDBus::Block, 500);
}
