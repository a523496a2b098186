#include "tray/front/QtNotifyArea.h"

#include "toolkit/front/QtMenu.h"
#include "toolkit/front/SessionBus.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QMenu>
#include <QStyleHints>
#include <QSystemTrayIcon>
#include <QDBusPendingCallWatcher>

namespace {

const QString Watcher = QStringLiteral("org.kde.StatusNotifierWatcher"); // its bus name and interface

// Asks the watcher whether a host draws StatusNotifierItems, as Qt asks it when it makes its
// first icon (and decides then, once for the process, which kind its icons are).
QDBusMessage hostQuestion()
{
    QDBusMessage get =
        QDBusMessage::createMethodCall(Watcher, QStringLiteral("/StatusNotifierWatcher"),
                                       QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << Watcher << QStringLiteral("IsStatusNotifierHostRegistered");
    return get;
}

bool hostRegistered(const QDBusMessage &reply)
{
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()
        && qvariant_cast<QDBusVariant>(reply.arguments().constFirst()).variant().toBool();
}

} // namespace

// Qt's icon asks the session bus, and the watcher, while it is made, and waits for them as long
// as they do not answer: it is made once the bus is connected and the watcher has answered our
// own question, asked without waiting. Its answer is Qt's too, asked a moment after.
QtNotifyArea::QtNotifyArea(IconSource icons)
    : m_icons(std::move(icons))
{
    SessionBus::whenSettled(this, [this] { askWatcher(); });
}

QtNotifyArea::~QtNotifyArea() = default;

// Qt decides the kind once for the process, at its first icon; so does this, just before it.
std::optional<bool> QtNotifyArea::s_statusNotifierItems;

void QtNotifyArea::askWatcher()
{
    if (!s_statusNotifierItems && !SessionBus::ready()) // no session bus: an XEmbed tray is all there can be
        s_statusNotifierItems = false;
    if (s_statusNotifierItems) {
        makeIcon(*s_statusNotifierItems);
        return;
    }
    askHost(-1, [this](const QDBusMessage &reply) {
        // A watcher that is there but does not answer would hold Qt's question too: ask again.
        if (reply.errorName() != QStringLiteral("org.freedesktop.DBus.Error.NoReply") && !s_statusNotifierItems)
            s_statusNotifierItems = hostRegistered(reply);
        askWatcher();
    });
}

void QtNotifyArea::askHost(int timeoutMs, std::function<void(const QDBusMessage &reply)> then)
{
    auto *asked = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(hostQuestion(), timeoutMs), this);
    connect(asked, &QDBusPendingCallWatcher::finished, this, [then = std::move(then)](QDBusPendingCallWatcher *w) {
        w->deleteLater();
        then(w->reply());
    });
}

void QtNotifyArea::makeIcon(bool statusNotifierItem)
{
    m_statusNotifierItem = statusNotifierItem;
    m_icon = std::make_unique<QSystemTrayIcon>();
    connect(m_icon.get(), &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) { activated(reason); });
    attachHostMenu();
    if (m_added) {
        show(m_record);
        m_icon->show();
    }
}

void QtNotifyArea::setMouseMessages(MouseMessages sink)
{
    m_mouseMessages = std::move(sink);
}

void QtNotifyArea::setHostMenu(std::vector<const MenuItem *> items, MenuChoice chosen)
{
    m_hostMenuItems = std::move(items);
    m_hostMenuChoice = std::move(chosen);
    attachHostMenu();
}

void QtNotifyArea::attachHostMenu()
{
    // Only a host that draws menus gets one: on an embedding tray, Qt would pop it up as well as
    // the window's own menu. Whichever comes last, the icon or the menu's items, attaches it.
    if (!m_icon || !m_statusNotifierItem || !m_hostMenuChoice || m_hostMenu)
        return;
    m_hostMenu = std::make_unique<QMenu>();
    fillMenu(*m_hostMenu, m_hostMenuItems, m_hostMenuChoice);
    m_icon->setContextMenu(m_hostMenu.get());
}

void QtNotifyArea::report(int message)
{
    if (m_mouseMessages)
        m_mouseMessages(message);
}

void QtNotifyArea::activated(int reason)
{
    switch (reason) {
    case QSystemTrayIcon::DoubleClick: report(LeftButtonDoubleClick); break;
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
    case QSystemTrayIcon::MiddleClick: report(MiddleButtonDown); break;
    default: break;
    }
}

bool QtNotifyArea::notify(Command command, const TrayIconRecord &record)
{
    const bool same = m_added && record.hWnd == m_record.hWnd && record.uID == m_record.uID;
    switch (command) {
    case Add:
        if (same)
            return false;
        m_added = true;
        m_record = record;
        m_shownIcon = -1;
        // Shown even without a notification area: Qt docks it when a tray host appears. An icon
        // not made yet (the bus not answering) shows once it is.
        if (m_icon) {
            show(record);
            m_icon->show();
        }
        return true;
    case Modify:
        if (!same)
            return false;
        m_record = record;
        if (m_icon)
            show(record);
        return true;
    case Delete:
        if (!same)
            return false;
        if (m_icon)
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

void QtNotifyArea::askIconShown(std::function<void(bool)> answer)
{
    if (!m_added || !m_icon)
        return answer(false);
    if (!m_statusNotifierItem)
        return answer(QSystemTrayIcon::isSystemTrayAvailable());
    // A StatusNotifierItem shows only while a host draws it. Qt's own question is content with
    // the watcher, and without one falls back to asking about an XEmbed tray, which cannot show
    // this icon. Some watchers drop a gone host without a signal: asked afresh each time.
    askHost(500, [answer = std::move(answer)](const QDBusMessage &reply) { answer(hostRegistered(reply)); });
}
