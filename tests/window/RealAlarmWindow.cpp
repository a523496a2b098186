#include "RealAlarmWindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QWidget>

bool runEventsUntil(int ms, const std::function<bool()> &done)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        if (done && done())
            return true;
    }
    return !done;
}

QString screenshotPath(const char *name)
{
    const QString dir = qEnvironmentVariable("SCREENSHOTS", QStringLiteral("."));
    QDir().mkpath(dir);
    return dir + u'/' + QString::fromLatin1(name);
}

void clickWithMouse(QWidget *widget, int button)
{
    const QPoint centre = widget->mapToGlobal(widget->rect().center());
    QProcess::execute(QStringLiteral("xdotool"),
                      {QStringLiteral("mousemove"), QString::number(centre.x()), QString::number(centre.y()),
                       QStringLiteral("click"), QString::number(button)});
}
