#include "tray/front/QtNotifyArea.h"

#include "toolkit/front/QtMenu.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QMenu>
#include <QStyleHints>
#include <QSystemTrayIcon>
#include <QtWidgets/private/qsystemtrayicon_p.h>

namespace {

// Qt decides once, as it makes its first icon, whether icons are StatusNotifierItems (its own
// question to the bus) or embedded in an XEmbed tray; asking the bus again could get another
// answer, from a host that came or went in between. Qt's choice is read from the icon it made.
// (Qt does not export the private class's type information, which the sanitizers' check of the
// cast would need.)
__attribute__((no_sanitize("vptr"))) bool madeAsStatusNotifierItem(QSystemTrayIcon &icon)
{
    return static_cast<QSystemTrayIconPrivate *>(QObjectPrivate::get(&icon))->qpa_sys != nullptr;
}

} // namespace

// The icon is made with the window, not at the first arming: Qt's question to the session bus
// comes at start-up then, and no arming waits on the bus.
QtNotifyArea::QtNotifyArea(IconSource icons)
    : m_icons(std::move(icons))
    , m_icon(std::make_unique<QSystemTrayIcon>())
    , m_statusNotifierItem(madeAsStatusNotifierItem(*m_icon))
{
    connect(m_icon.get(), &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) { activated(reason); });
}

QtNotifyArea::~QtNotifyArea() = default;

void QtNotifyArea::setMouseMessages(MouseMessages sink)
{
    m_mouseMessages = std::move(sink);
}

void QtNotifyArea::setHostMenu(std::vector<const MenuItem *> items, MenuChoice chosen)
{
    // Only a host that draws menus gets one: on an embedding tray, Qt would pop it up as well as
    // the window's own menu.
    if (!m_statusNotifierItem)
        return;
    m_hostMenu = std::make_unique<QMenu>();
    fillMenu(*m_hostMenu, items, chosen);
    m_icon->setContextMenu(m_hostMenu.get());
}

bool QtNotifyArea::statusNotifierHostPresent()
{
    // Given half a second at most.
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    const QString watcher = QStringLiteral("org.kde.StatusNotifierWatcher"); // its bus name and interface
    QDBusMessage get = QDBusMessage::createMethodCall(watcher,
                                                      QStringLiteral("/StatusNotifierWatcher"),
                                                      QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << watcher << QStringLiteral("IsStatusNotifierHostRegistered");
    const QDBusMessage reply = bus.call(get, QDBus::Block, 500);
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()
        && qvariant_cast<QDBusVariant>(reply.arguments().constFirst()).variant().toBool();
}

void QtNotifyArea::report(int message)
{
    if (m_mouseMessages)
        m_mouseMessages(message);
}

void QtNotifyArea::activated(int reason)
{
    switch (reason) {
    case QSystemTrayIcon::DoubleClick:
        report(LeftButtonDoubleClick);
        break;
    case QSystemTrayIcon::Context:
        // A host that draws the menu has shown it already.
        if (!m_statusNotifierItem)
            report(RightButtonDown);
        break;
    case QSystemTrayIcon::Trigger:
        if (!m_statusNotifierItem) {
            report(LeftButtonDown);
            break;
        }
        // The host's primary action stands for the double-click. Some hosts (KDE Plasma) activate
        // the item at every click: the second of a double-click must not toggle the window back.
        if (m_sinceActivation.isValid()
            && m_sinceActivation.elapsed() < QGuiApplication::styleHints()->mouseDoubleClickInterval())
            break;
        m_sinceActivation.start();
        report(LeftButtonDoubleClick);
        break;
    case QSystemTrayIcon::MiddleClick:
        report(MiddleButtonDown);
        break;
    default:
        break;
    }
}

bool QtNotifyArea::notify(Command command, const TrayIconRecord &record)
{
    const bool same = m_added && record.hWnd == m_window && record.uID == m_id;
    switch (command) {
    case Add:
        if (same)
            return false;
        m_added = true;
        m_window = record.hWnd;
        m_id = record.uID;
        m_shownIcon = -1;
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
        m_added = false;
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
    if (!m_added)
        return false;
    // A StatusNotifierItem shows only while a host draws it; Qt's own question is content with
    // the watcher, and without one falls back to asking about an XEmbed tray, which cannot show
    // this icon.
    return m_statusNotifierItem ? statusNotifierHostPresent() : QSystemTrayIcon::isSystemTrayAvailable();
}
