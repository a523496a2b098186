#include "RealAlarmWindow.h"
#include "WaveBuilder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QApplication>
#include <QMessageBox>
#include <QProcess>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

namespace {
QString output(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(5000);
    return QString::fromUtf8(p.readAllStandardOutput());
}
} // namespace

RealAlarmWindow::RealAlarmWindow()
{
    start();
    // Clicks wait until the window manager has taken, framed and placed the window.
    EXPECT_TRUE(runEventsUntil(10000, [&] { return wmState(&window) == QStringLiteral("Normal"); }))
        << "the window manager did not take the window: WM_STATE \"" << qPrintable(wmState(&window)) << "\", viewable "
        << viewable(&window) << ", Qt visible " << window.isVisible();
    // The tray icon is made once the session bus has answered.
    EXPECT_TRUE(runEventsUntil(5000, [&] { return notifyArea.trayIcon() != nullptr; })) << "no tray icon was made";
    runEventsUntil(100);
}

namespace {
// Where the X server has a top-level window now: Qt's own idea can lag behind a reparenting
// window manager's moves.
QPoint screenOrigin(const QWidget *window)
{
    const QString info = output(QStringLiteral("xwininfo"), {QStringLiteral("-id"), QString::number(window->winId())});
    const auto number = [&](const char *key) {
        return info.section(QString::fromLatin1(key), 1, 1).section(u'\n', 0, 0).trimmed().toInt();
    };
    return {number("Absolute upper-left X:"), number("Absolute upper-left Y:")};
}
} // namespace

bool runEventsUntil(int ms, const std::function<bool()> &done)
{
    // Waits in an event loop and looks every 20 ms, rather than spinning on processEvents():
    // several desktops run side by side, and some questions start a process (xprop).
    QElapsedTimer timer;
    timer.start();
    bool met = done && done();
    if (met)
        return true;
    QEventLoop loop;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, &loop, [&] {
        met = done && done();
        if (met || timer.elapsed() >= ms)
            loop.quit();
    });
    look.start(20);
    loop.exec();
    return met || !done;
}

std::optional<bool> iconShown(RealAlarmWindow &w)
{
    std::optional<bool> shown;
    w.notifyArea.askIconShown([&](bool answer) { shown = answer; });
    runEventsUntil(1000, [&] { return shown.has_value(); });
    return shown;
}

QString screenshotPath(const char *name)
{
    // Run by hand, a test keeps its pictures in the build folder too, never where it was started.
    const QString dir = qEnvironmentVariable("SCREENSHOTS", QStringLiteral(CHIMEWELL_SCREENSHOTS));
    QDir().mkpath(dir);
    return dir + u'/' + QString::fromLatin1(name);
}

void clickWithMouse(QWidget *widget, int button)
{
    const QWidget *top = widget->window();
    const QPoint centre = screenOrigin(top) + widget->mapTo(top, widget->rect().center());
    QProcess::execute(QStringLiteral("xdotool"),
                      {QStringLiteral("mousemove"), QString::number(centre.x()), QString::number(centre.y()),
                       QStringLiteral("click"), QString::number(button)});
}

void xdotool(const QStringList &args)
{
    QProcess::execute(QStringLiteral("xdotool"), args);
}

QString wmState(const QWidget *window)
{
    const QString text = output(QStringLiteral("xprop"),
                                {QStringLiteral("-id"), QString::number(window->winId()), QStringLiteral("WM_STATE")});
    const qsizetype at = text.indexOf(QStringLiteral("window state: "));
    return at < 0 ? QString() : text.mid(at + 14).section(u'\n', 0, 0).trimmed();
}

bool viewable(const QWidget *window)
{
    return output(QStringLiteral("xwininfo"), {QStringLiteral("-id"), QString::number(window->winId())})
        .contains(QStringLiteral("Map State: IsViewable"));
}

bool armByRealInput(RealAlarmWindow &w, int seconds)
{
    QWidget *box = w.widget("Text2(2)");
    clickWithMouse(box);
    runEventsUntil(200, [&] { return box->hasFocus(); });
    xdotool({QStringLiteral("key"), QStringLiteral("ctrl+a")});
    xdotool({QStringLiteral("type"), QString::number(seconds)});
    runEventsUntil(200);
    bool answered = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *summary = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!summary || answered)
            return;
        answered = true;
        xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), QString::number(summary->winId())});
        xdotool({QStringLiteral("key"), QStringLiteral("Return")});
    });
    poll.start(100);
    clickWithMouse(w.widget("OK"));
    return runEventsUntil(5000,
                          [&] { return w.alarm.state.alarmArmed == FlagTrue && !QApplication::activeModalWidget(); });
}

namespace {
QByteArray readOutput(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

double soundSeconds(const QString &path)
{
    return double(loudFrames(readOutput(path)).count) / 44100;
}

double lastSoundAt(const QString &path)
{
    const LoudFrames loud = loudFrames(readOutput(path));
    return loud.last < 0 ? -1 : double(loud.last) / 44100;
}
