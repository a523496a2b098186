// The floor for the performance comparison: the least a Qt 6 Widgets program doing the alarm
// window's everyday work costs. A window of 40 labels, four timers (three at the tick, one at
// a second) updating a few of them, and a tray icon whose picture changes every second.
#include "toolkit/AppInfo.h"
#include "toolkit/Controls.h"

#include <QApplication>
#include <QDateTime>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>

namespace {
QIcon square(const QColor &colour)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(colour);
    return QIcon(pixmap);
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(AppInfo::WindowWidth, AppInfo::WindowHeight);
    auto *grid = new QGridLayout(&window);
    QList<QLabel *> labels;
    for (int i = 0; i < 40; ++i) {
        labels << new QLabel(QStringLiteral("Label %1").arg(i));
        grid->addWidget(labels.last(), i / 4, i % 4);
    }

    int passed = 0;
    QTimer clock, counter, remaining, blink;
    QObject::connect(&clock, &QTimer::timeout,
                     [&] { labels[0]->setText(QTime::currentTime().toString(QStringLiteral("HH:mm:ss"))); });
    QObject::connect(&counter, &QTimer::timeout, [&] { labels[1]->setText(QString::number(++passed / 2)); });
    QObject::connect(&remaining, &QTimer::timeout, [&] { labels[2]->setText(QString::number(3600 - passed / 2)); });

    // The window first: start-up is timed to it, and costs no more than showing it.
    window.show();
    const QIcon icons[] = {square(Qt::red), square(Qt::cyan)};
    QSystemTrayIcon tray(icons[0]);
    tray.setToolTip(QStringLiteral("floor"));
    tray.show();
    int phase = 0;
    QObject::connect(&blink, &QTimer::timeout, [&] {
        phase ^= 1;
        tray.setIcon(icons[phase]);
        window.setWindowIcon(icons[phase]);
    });
    clock.start(TickMs);
    counter.start(TickMs);
    remaining.start(TickMs);
    blink.start(1000);
    return app.exec();
}
