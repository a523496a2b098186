// An alarm armed a few seconds ahead, on a desktop with a real tray and the disk audio driver:
// the icon docks and blinks, the ring is heard and flashes, and a real click on Stop ends it;
// keys typed into a window the ring brought back press nothing.
#include "RealAlarmWindow.h"
#include "toolkit/front/ControlBinder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QSystemTrayIcon>
#include <gtest/gtest.h>

namespace {

QImage grabTray(QSystemTrayIcon *icon)
{
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, icon->geometry().x(), icon->geometry().y(), icon->geometry().width(), icon->geometry().height())
        .toImage();
}

} // namespace

TEST(RingingOnTheDesktop, DocksBlinksRingsAndStopsOnAClick)
{
    const QString audioOut = qEnvironmentVariable("AUDIO_OUT");
    ASSERT_FALSE(audioOut.isEmpty()) << "run under with-desktop.sh";
    auto w = std::make_unique<RealAlarmWindow>();
    runEventsUntil(300);

    ASSERT_TRUE(armByRealInput(*w, 3)) << "typing 3 and answering the summary Yes did not arm";

    QSystemTrayIcon *icon = w->notifyArea.trayIcon();
    ASSERT_NE(icon, nullptr);
    // Docked means placed in the tray panel along the bottom edge, not just given a size.
    const int panelTop = QGuiApplication::primaryScreen()->geometry().height() - 40;
    ASSERT_TRUE(runEventsUntil(5000, [&] { return icon->geometry().width() > 0 && icon->geometry().y() >= panelTop; }))
        << "the icon did not dock";
    runEventsUntil(200);
    EXPECT_EQ(iconShown(*w), true);
    EXPECT_EQ(icon->toolTip(), QStringLiteral("Alarm Setting duration : 3 sec\nRight Click to check status."));

    // The icon changes every half second: over 1.6 s, sampled ten times a second, it shows two faces.
    QList<QImage> faces;
    QElapsedTimer watching;
    watching.start();
    while (watching.elapsed() < 1600 && faces.size() < 2) {
        const QImage face = grabTray(icon);
        if (!faces.contains(face)) {
            face.save(screenshotPath(qPrintable(QStringLiteral("tray-blink-%1.png").arg(faces.size() + 1))));
            faces << face;
        }
        runEventsUntil(100);
    }
    EXPECT_EQ(faces.size(), 2) << "the tray icon did not blink";

    // The ring: the reminder's colours alternate at every tick.
    auto *reminder = w->widget<QLabel>("Label7");
    const auto back = [&] { return reminder->palette().color(QPalette::Window); };
    ASSERT_TRUE(runEventsUntil(5000, [&] { return back() == Qt::white; })) << "the alarm did not ring";
    QElapsedTimer sinceRing;
    sinceRing.start();
    w->window.grab().save(screenshotPath("ringing.png"));
    ASSERT_TRUE(runEventsUntil(1000, [&] { return back() == Qt::black; }));
    ASSERT_TRUE(runEventsUntil(1000, [&] { return back() == Qt::white; }));
    EXPECT_TRUE(w->window.isVisible());

    clickWithMouse(w->widget("Stopp"));
    ASSERT_TRUE(runEventsUntil(2000, [&] { return w->alarm.state.alarmArmed == FlagFalse; })) << "Stop was not clicked";
    const double stoppedAfter = sinceRing.elapsed() / 1000.0;
    EXPECT_EQ(w->widget<QLabel>("Label11")->text(), QStringLiteral(" Passed "));
    EXPECT_EQ(w->widget<QLabel>("Label6(2)")->text(), QStringLiteral(" Remaining "));
    runEventsUntil(1500);
    const QColor afterStop = back();
    runEventsUntil(1000);
    EXPECT_EQ(back(), afterStop) << "the reminder still flashes after Stop";

    w.reset(); // closes the sound device, so the output is complete
    const double lastSound = lastSoundAt(audioOut);
    ASSERT_GT(lastSound, 0) << "nothing was heard";
    // The device opened at the first ring; the tones stop with the click (a 0.15 s tone at most after it).
    EXPECT_GT(lastSound, stoppedAfter - 0.7);
    EXPECT_LT(lastSound, stoppedAfter + 0.3);
}

TEST(RingingOnTheDesktop, KeysLandingInAWindowTheRingShowedPressNothing)
{
    auto w = std::make_unique<RealAlarmWindow>();
    ASSERT_TRUE(armByRealInput(*w, 2)) << "typing 2 and answering the summary Yes did not arm";
    clickWithMouse(w->widget("ImgHide"));
    ASSERT_TRUE(runEventsUntil(2000, [&] { return !viewable(&w->window); })) << "Hide did not hide";
    w->widget("OK")->setFocus(); // where a key would open the summary again
    ASSERT_EQ(w->window.focusWidget(), w->widget("OK"));
    ASSERT_TRUE(runEventsUntil(4000, [&] { return viewable(&w->window); })) << "the ring did not show the window";
    // As a Wayland compositor does with every window that appears: the keyboard goes to it.
    xdotool({QStringLiteral("windowactivate"), QStringLiteral("--sync"), QString::number(w->window.winId())});
    ASSERT_TRUE(runEventsUntil(2000, [&] { return QApplication::activeWindow() == &w->window; }));
    EXPECT_EQ(QApplication::focusWidget(), &w->window) << "a control holds the focus";
    const auto armedAt = w->alarm.state.armedAtElapsedMs;
    // A box would hold the keys' handler in its own loop: closed from there, and remembered.
    bool boxOpened = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (QWidget *box = QApplication::activeModalWidget()) {
            boxOpened = true;
            box->close();
        }
    });
    watch.start(50);
    xdotool({QStringLiteral("key"), QStringLiteral("Return"), QStringLiteral("space"), QStringLiteral("KP_Enter")});
    runEventsUntil(800);
    EXPECT_FALSE(boxOpened) << "a key opened a box";
    EXPECT_EQ(w->alarm.state.armedAtElapsedMs, armedAt) << "the keys armed the alarm again";
    EXPECT_TRUE(viewable(&w->window)) << "a key hid the ringing window";
    EXPECT_EQ(w->alarm.state.alarmArmed, FlagTrue) << "a key stopped the ring";
    xdotool({QStringLiteral("key"), QStringLiteral("Tab")});
    EXPECT_TRUE(runEventsUntil(1000, [&] {
        QWidget *focus = QApplication::focusWidget();
        return focus && focus != &w->window && w->window.isAncestorOf(focus);
    })) << "Tab did not lead to a control";
    clickWithMouse(w->widget("Stopp"));
    EXPECT_TRUE(runEventsUntil(2000, [&] { return w->alarm.state.alarmArmed == FlagFalse; })) << "Stop was not clicked";
}

// A timer set to tick first sooner than its interval (a date alarm's countdown, put in step with
// the wall clock's half seconds) keeps that first tick through other renders, then goes on at
// its interval.
TEST(RingingOnTheDesktop, ATimersFirstTickComesAtItsOwnDelayThenAtItsInterval)
{
    Dispatcher dispatcher([](const QString &) {});
    ControlBinder binder;
    Timer control;
    QTimer timer;
    int ticks = 0;
    binder.setDispatcher(&dispatcher, [&binder] { binder.render(); });
    binder.bindTimer(&timer, &control, Dispatcher::Kind::Tick, [&ticks] { ++ticks; });
    control.setInterval(500, 40);
    binder.render();
    EXPECT_EQ(timer.interval(), 40);
    binder.render(); // another handler's render
    EXPECT_EQ(timer.interval(), 40) << "a render put the first tick off to a whole interval";
    ASSERT_TRUE(runEventsUntil(2000, [&] { return ticks == 1; }));
    EXPECT_EQ(timer.interval(), 500);
    EXPECT_TRUE(timer.isActive());
}
