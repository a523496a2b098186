#include "tray/QtNotifyArea.h"

#include <QSystemTrayIcon>

namespace {
// The mouse messages the icon reports, as the window's mouse-move decoding knows them.
constexpr int LeftButtonDown = 0x201;
constexpr int LeftButtonDoubleClick = 0x203;
constexpr int RightButtonDown = 0x204;
constexpr int MiddleButtonDown = 0x207;
} // namespace

QtNotifyArea::QtNotifyArea(IconSource icons)
    : m_icons(std::move(icons))
{
}

QtNotifyArea::~QtNotifyArea() = default;

void QtNotifyArea::setMouseMessages(MouseMessages sink)
{
    m_mouseMessages = std::move(sink);
}

bool QtNotifyArea::notify(Command command, const TrayIconRecord &record)
{
    const bool same = m_icon && record.hWnd == m_window && record.uID == m_id;
    switch (command) {
    case Add:
        if (same)
            return false;
        m_icon = std::make_unique<QSystemTrayIcon>();
        m_window = record.hWnd;
        m_id = record.uID;
        m_shownIcon = -1;
        connect(m_icon.get(), &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
            if (!m_mouseMessages)
                return;
            switch (reason) {
            case QSystemTrayIcon::DoubleClick: m_mouseMessages(LeftButtonDoubleClick); break;
            case QSystemTrayIcon::Context: m_mouseMessages(RightButtonDown); break;
            case QSystemTrayIcon::Trigger: m_mouseMessages(LeftButtonDown); break;
            case QSystemTrayIcon::MiddleClick: m_mouseMessages(MiddleButtonDown); break;
            case QSystemTrayIcon::Unknown: break;
            }
        });
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
        m_icon.reset();
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
    return m_icon && QSystemTrayIcon::isSystemTrayAvailable();
}
