// Choosing a tone, hiding, and the tray icon's double-click and menu, by real input on a
// desktop with a real tray.
#include "RealAlarmWindow.h"
#include "toolkit/Numbers.h"
#include "toolkit/front/ActivationToken.h"

#include "tray/front/QtNotifyArea.h"

#include <QApplication>
#include <QDBusConnection>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QSystemTrayIcon>
#include <QTimer>
#include <gtest/gtest.h>
#include <malloc.h>

namespace {

void clickAt(const QPoint &p, int button = 1, int repeat = 1)
{
    xdotool({QStringLiteral("mousemove"), QString::number(p.x()), QString::number(p.y()), QStringLiteral("click"),
             QStringLiteral("--repeat"), QString::number(repeat), QStringLiteral("--delay"), QStringLiteral("80"),
             QString::number(button)});
}

// The text of the box a click opens; the box is then closed with Return.
QString boxAfterClick(QWidget *widget)
{
    QString text;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !text.isEmpty())
            return;
        text = box->text();
        xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), QString::number(box->winId())});
        xdotool({QStringLiteral("key"), QStringLiteral("Return")});
    });
    poll.start(100);
    clickWithMouse(widget);
    runEventsUntil(4000, [&] { return !text.isEmpty() && !QApplication::activeModalWidget(); });
    return text;
}

QSystemTrayIcon *dockedIcon(RealAlarmWindow &w)
{
    QSystemTrayIcon *icon = w.notifyArea.trayIcon();
    if (!icon->isVisible())
        return nullptr;
    const bool docked = runEventsUntil(5000, [&] { return icon->geometry().y() > 700; });
    runEventsUntil(300);
    return docked ? icon : nullptr;
}

// trayer shrinks its panel to 2 pixels when it holds no icon.
bool trayIsEmpty()
{
    return QProcess::execute(QStringLiteral("sh"),
                             {QStringLiteral("-c"),
                              QStringLiteral("xdotool getwindowgeometry --shell "
                                             "$(xdotool search --classname panel | head -n1) "
                                             "| grep -qx 'WIDTH=2'")})
        == 0;
}

} // namespace

TEST(TonesOnTheDesktop, AClickedToneIsAloneBoldAndIsHeard)
{
    auto w = std::make_unique<RealAlarmWindow>();
    runEventsUntil(500);
    clickWithMouse(w->widget("Label12(1)"));
    ASSERT_TRUE(runEventsUntil(2000, [&] { return w->widget("Label12(1)")->font().bold(); }));
    for (int i = 0; i < ToneCatalogue::Count; ++i)
        EXPECT_EQ(w->widget(qPrintable(QStringLiteral("Label12(%1)").arg(i)))->font().bold(), i == 1) << i;
    EXPECT_EQ(w->alarm.state.alarm.toneIndex, 1);
    runEventsUntil(1000);
    w.reset();
    EXPECT_NEAR(soundSeconds(qEnvironmentVariable("AUDIO_OUT")), 0.745, 0.1) << "the preview was not heard whole";
}

TEST(HidingOnTheDesktop, RefusedBeforeArmingThenByTheIconBackAndForthAndBackMinimizedAtTheRing)
{
    auto w = std::make_unique<RealAlarmWindow>();
    runEventsUntil(500);
    EXPECT_EQ(boxAfterClick(w->widget("Label19")), QStringLiteral("Hiding without time set is not allowed."));
    EXPECT_TRUE(w->window.isVisible());

    ASSERT_TRUE(armByRealInput(*w, 12));
    QElapsedTimer sinceArmed;
    sinceArmed.start();

    QSystemTrayIcon *icon = dockedIcon(*w);
    ASSERT_NE(icon, nullptr) << "the icon did not dock";
    const QPoint iconCentre = icon->geometry().center();
    const auto state = [&] { return wmState(&w->window); };
    const auto hidden = [&] {
        return state() != QStringLiteral("Normal") && state() != QStringLiteral("Iconic") && !viewable(&w->window);
    };

    // The window manager's truth: hidden is withdrawn and not on screen; shown is Normal.
    clickAt(iconCentre, 1, 2);
    ASSERT_TRUE(runEventsUntil(3000, hidden)) << "double-click did not hide: " << qPrintable(state());
    clickAt(iconCentre, 1, 2);
    ASSERT_TRUE(runEventsUntil(3000, [&] { return state() == QStringLiteral("Normal") && viewable(&w->window); }))
        << "double-click did not show: " << qPrintable(state());
    clickAt(iconCentre, 1, 2);
    ASSERT_TRUE(runEventsUntil(3000, hidden)) << "double-click did not hide again: " << qPrintable(state());
    ASSERT_LT(sinceArmed.elapsed(), 11000) << "too slow to finish before the ring: the rest proves nothing";

    // Hidden by the toggle, the ring brings the window back minimized: iconic, not on screen.
    ASSERT_TRUE(runEventsUntil(13000, [&] { return state() == QStringLiteral("Iconic"); }))
        << "the ring did not bring back the window minimized: " << qPrintable(state());
    EXPECT_FALSE(viewable(&w->window));
    EXPECT_LE(w->alarm.state.counters.remaining.value_or(1), 0) << "it came back before the ring";
}

TEST(HidingOnTheDesktop, HiddenByRequestTheRingBringsTheWindowBackOnScreenAndStopEndsIt)
{
    auto w = std::make_unique<RealAlarmWindow>();
    runEventsUntil(500);
    ASSERT_TRUE(armByRealInput(*w, 4));
    ASSERT_NE(dockedIcon(*w), nullptr) << "the icon did not dock";
    clickWithMouse(w->widget("ImgHide"));
    ASSERT_TRUE(runEventsUntil(2000, [&] {
        return !viewable(&w->window) && wmState(&w->window) != QStringLiteral("Normal");
    })) << "Hide did not hide";
    ASSERT_TRUE(
        runEventsUntil(6000, [&] { return wmState(&w->window) == QStringLiteral("Normal") && viewable(&w->window); }))
        << "the ring did not bring the window back on screen: " << qPrintable(wmState(&w->window));
    w->window.grab().save(screenshotPath("back-at-ring.png"));
    clickWithMouse(w->widget("Stopp"));
    EXPECT_TRUE(runEventsUntil(2000, [&] { return w->alarm.state.alarmArmed == FlagFalse; })) << "Stop did not stop";
    EXPECT_EQ(w->alarm.Timer3.interval, 0) << "the countdown still runs after Stop";
}

TEST(MenuOnTheDesktop, ARightClickOpensTheMenuWhoseFirstRowToggles)
{
    auto w = std::make_unique<RealAlarmWindow>();
    runEventsUntil(500);
    w->window.run(Dispatcher::Kind::UserEvent, [&] {
        w->alarm.trayIcon.tipText = QStringLiteral("tip") + QChar(0);
        w->alarm.trayIcon.show();
    });
    QSystemTrayIcon *icon = dockedIcon(*w);
    ASSERT_NE(icon, nullptr);

    QStringList rows;
    QString boldRow;
    int menusSeen = 0;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu || !rows.isEmpty())
            return;
        ++menusSeen;
        for (QAction *a : menu->actions()) {
            rows << (a->isSeparator() ? QStringLiteral("-") : a->text());
            if (a->font().bold() && menu->defaultAction() == a)
                boldRow = a->text();
        }
        menu->grab().save(screenshotPath("tray-menu.png"));
        const QRect first = menu->actionGeometry(menu->actions().first());
        clickAt(menu->mapToGlobal(first.center()));
    });
    poll.start(100);
    clickAt(icon->geometry().center(), 3);
    ASSERT_TRUE(runEventsUntil(3000, [&] { return !w->window.isVisible(); })) << "the menu did not toggle";
    EXPECT_EQ(rows,
              (QStringList{QStringLiteral("Show/ Hide Alarm Screen"), QStringLiteral("-"),
                           QStringLiteral("Close the Alarm Program")}));
    EXPECT_EQ(boldRow, QStringLiteral("Show/ Hide Alarm Screen"));
    runEventsUntil(500);
    EXPECT_EQ(menusSeen, 1);
}

TEST(MenuOnTheDesktop, TheMenuOpenedWhileAFilePlaysHoldsNeitherThePlayNorTheTicks)
{
    auto w = std::make_unique<RealAlarmWindow>();
    runEventsUntil(500);
    // A right click on the icon while an own file plays (its handler waits in the play's loop);
    // the play ends 0.6 s later. The menu is closed by force after 3 s, should it hold the play.
    bool played = false;
    QTimer::singleShot(100, [&] {
        w->window.run(Dispatcher::Kind::UrgentEvent, [&] {
            w->alarm.Form_MouseMove(0, 0, float(int(NotifyArea::RightButtonDown) * w->host.twipsPerPixelX()), 0);
        });
    });
    QTimer::singleShot(600, [&] { played = true; });
    QTimer::singleShot(3000, [&] {
        if (QWidget *menu = QApplication::activePopupWidget())
            menu->close();
    });
    QElapsedTimer playing;
    playing.start();
    w->dispatcher.run(Dispatcher::Kind::Tick, [&] { w->dispatcher.waitWhilePlaying([&] { return played; }); });
    EXPECT_LT(playing.elapsed(), 1500) << "the menu held the play until it closed";
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr) << "no menu";
    const int ticks = w->alarm.Label2[2].text.toInt(); // the clock's seconds go on behind the menu
    EXPECT_TRUE(runEventsUntil(1500, [&] { return w->alarm.Label2[2].text.toInt() != ticks; }));
    menu->close();
}

TEST(KeyboardOnTheDesktop, TabReachesTheCaptionsAndSpaceOrEnterClicksThem)
{
    auto w = std::make_unique<RealAlarmWindow>();
    runEventsUntil(500);
    w->window.activateWindow();
    w->widget("Label12(0)")->setFocus();
    runEventsUntil(200);
    xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), QString::number(w->window.winId())});
    xdotool({QStringLiteral("key"), QStringLiteral("Tab"), QStringLiteral("space")});
    ASSERT_TRUE(runEventsUntil(2000, [&] { return w->alarm.state.alarm.toneIndex == 1; }))
        << "Tab then Space did not choose the next tone";
    xdotool({QStringLiteral("key"), QStringLiteral("Tab"), QStringLiteral("Return")});
    ASSERT_TRUE(runEventsUntil(2000, [&] { return w->alarm.state.alarm.toneIndex == 2; }))
        << "Enter did not choose the tone";
    w->window.grab().save(screenshotPath("keyboard-focus.png"));

    // Enter on OK arms (the box answered by its own default button, Yes).
    w->widget("OK")->setFocus();
    runEventsUntil(200);
    QTimer yes;
    QObject::connect(&yes, &QTimer::timeout, [] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
            box->done(QMessageBox::Yes);
    });
    yes.start(100);
    xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), QString::number(w->window.winId())});
    runEventsUntil(200);
    ASSERT_TRUE(w->widget("OK")->hasFocus());
    xdotool({QStringLiteral("key"), QStringLiteral("Return")});
    EXPECT_TRUE(runEventsUntil(3000, [&] { return w->alarm.state.alarmArmed == FlagTrue; }))
        << "Enter on OK did not arm";

    // A screen reader's names: the caption, or the tooltip of a picture, and the tooltip besides.
    EXPECT_EQ(w->widget("Stopp")->accessibleName(), QStringLiteral("Stop Alarm Sound"));
    EXPECT_EQ(w->widget("ImgHide")->accessibleName(), QStringLiteral("Hide this screen"));
    EXPECT_EQ(w->widget("Label12(4)")->accessibleName(), QStringLiteral("[5] Leonardo Vinci Restore"));
    EXPECT_EQ(w->widget("Label12(4)")->accessibleDescription(), QStringLiteral("Select Alarm Sound"));
    EXPECT_EQ(w->widget("Text2(2)")->accessibleName(), QStringLiteral("Duration seconds"));
}

// Last: once the application's event loop has ended, no modal box can run in this process.
TEST(ClosingOnTheDesktop, ClosingTheWindowEndsTheEventLoopAndTheIconGoes)
{
    auto w = std::make_unique<RealAlarmWindow>();
    w->window.run(Dispatcher::Kind::UserEvent, [&] {
        w->alarm.trayIcon.tipText = QStringLiteral("tip") + QChar(0);
        w->alarm.trayIcon.show();
    });
    ASSERT_NE(dockedIcon(*w), nullptr);
    QTimer::singleShot(200, &w->window, [&] { w->window.close(); });
    QTimer::singleShot(5000, qApp, [] { qApp->exit(7); }); // guard: the close did not quit
    EXPECT_EQ(qApp->exec(), 0);
    w.reset(); // the program's end: the terminate handler removes the icon
    EXPECT_TRUE(runEventsUntil(3000, trayIsEmpty)) << "the tray still holds an icon";
}

namespace {
// A StatusNotifierItem watcher that says a host is there.
class FakeWatcher : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)

public:
    bool hostRegistered() const { return true; }
};
} // namespace

// A host that comes after the first icon was made (on this desktop: for an XEmbed tray) finds Qt
// making XEmbed icons still; the icon is handled as the kind Qt made, or no menu would open.
TEST(TrayKindOnTheDesktop, AHostThatComesAfterQtDecidedChangesNothing)
{
    ASSERT_EQ(qgetenv("DESKTOP_TRAY"), QByteArray("xembed"));
    {
        QtNotifyArea first([](WindowIcon) { return QIcon(); });
        ASSERT_TRUE(runEventsUntil(5000, [&] { return first.trayIcon() != nullptr; }));
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    FakeWatcher watcher;
    ASSERT_TRUE(
        bus.registerObject(QStringLiteral("/StatusNotifierWatcher"), &watcher, QDBusConnection::ExportAllProperties));
    ASSERT_TRUE(bus.registerService(QStringLiteral("org.kde.StatusNotifierWatcher")));

    QtNotifyArea area([](WindowIcon) { return QIcon(); });
    std::vector<int> messages;
    area.setMouseMessages([&](int message) { messages.push_back(message); });
    const MenuItem item;
    area.setHostMenu({&item}, [](int) {});
    ASSERT_TRUE(runEventsUntil(5000, [&] { return area.trayIcon() != nullptr; }));
    EXPECT_EQ(area.trayIcon()->contextMenu(), nullptr) << "a host's menu on an XEmbed icon";
    emit area.trayIcon()->activated(QSystemTrayIcon::Context);
    EXPECT_EQ(messages, std::vector<int>{NotifyArea::RightButtonDown}) << "the right button went unreported";

    bus.unregisterService(QStringLiteral("org.kde.StatusNotifierWatcher"));
    bus.unregisterObject(QStringLiteral("/StatusNotifierWatcher"));
}

// Every click on the notification and every second start brings a token of the user's act,
// each different: a program that runs for weeks must not keep them all, nor take one of any size.
TEST(ActivationTokens, OnlyTheLatestIsKeptAndNothingBeyondATokensSize)
{
    const auto heapInUse = [] { return mallinfo2().uordblks; };
    const std::size_t before = heapInUse();
    QString token;
    for (int i = 0; i < 2000; ++i) {
        token = QStringLiteral("%1-").arg(i) + QString(1000, u'x');
        useActivationToken(token);
    }
    EXPECT_EQ(qEnvironmentVariable("XDG_ACTIVATION_TOKEN"), token);
    EXPECT_LT(heapInUse() - before, std::size_t(100 * 1024)) << "the tokens given before were kept";

    useActivationToken(QString(1024 * 1024, u'y'));
    EXPECT_TRUE(qEnvironmentVariable("XDG_ACTIVATION_TOKEN") == token) << "a megabyte was taken for a token";
}

#include "TrayTest.moc"
