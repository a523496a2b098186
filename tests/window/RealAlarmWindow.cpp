#include "RealAlarmWindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
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

void xdotool(const QStringList &args)
{
    QProcess::execute(QStringLiteral("xdotool"), args);
}

namespace {
constexpr int Threshold = 200; // well above the noise of silence, well below any tone
QByteArray readOutput(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

double soundSeconds(const QString &path)
{
    const QByteArray raw = readOutput(path);
    const auto *s = reinterpret_cast<const qint16 *>(raw.constData());
    qsizetype loud = 0;
    for (qsizetype i = 0; i < raw.size() / 2; ++i)
        loud += std::abs(s[i]) > Threshold;
    return double(loud) / 2 / 44100;
}

double lastSoundAt(const QString &path)
{
    const QByteArray raw = readOutput(path);
    const auto *s = reinterpret_cast<const qint16 *>(raw.constData());
    for (qsizetype i = raw.size() / 2 - 1; i >= 0; --i)
        if (std::abs(s[i]) > Threshold)
            return double(i / 2) / 44100;
    return -1;
}
