// Setting and arming an alarm with real clicks and keys on a real desktop, answering the real
// summary box; then the icon, the ring on the disk output, and Stop.
#include "RealAlarmWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QScrollArea>
#include <QSystemTrayIcon>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Replaces a text box's text by real typing.
void typeInto(QWidget *box, const QString &text)
{
    clickWithMouse(box);
    runEventsUntil(100);
    xdotool({QStringLiteral("key"), QStringLiteral("ctrl+a")});
    xdotool({QStringLiteral("type"), text});
    runEventsUntil(100);
}

struct Answer
{
    QString text; // what the box said
    bool scrolls = false;
    QRect geometry;
    bool stuck = false; // the key did not close the box
};

// Clicks a widget that opens a message box, and answers the box with a key (or closes it).
Answer clickAndAnswer(QWidget *widget, const QString &key, const char *screenshot = nullptr)
{
    Answer answer;
    bool answered = false;
    QElapsedTimer sinceAnswer;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        if (answered) {
            if (sinceAnswer.elapsed() > 3000) {
                answer.stuck = true;
                box->reject();
            }
            return;
        }
        answered = true;
        sinceAnswer.start();
        answer.text = box->text().remove(QChar(0x200B));
        answer.scrolls = box->findChild<QScrollArea *>(QStringLiteral("messageScroll")) != nullptr;
        answer.geometry = box->frameGeometry();
        if (screenshot)
            box->grab().save(screenshotPath(screenshot));
        if (key.isEmpty()) {
            box->close();
        } else {
            // Without a window manager the keyboard follows the pointer: give the box the focus.
            xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), QString::number(box->winId())});
            xdotool({QStringLiteral("key"), key});
        }
    });
    poll.start(100);
    clickWithMouse(widget);
    runEventsUntil(5000, [&] { return answered && !QApplication::activeModalWidget(); });
    EXPECT_FALSE(answer.stuck) << "the box did not take the key " << key.toStdString();
    return answer;
}

} // namespace

TEST(ArmingOnTheDesktop, AThreeSecondAlarmByRealInputRingsAndStops)
{
    const QString audioOut = qEnvironmentVariable("AUDIO_OUT");
    ASSERT_FALSE(audioOut.isEmpty()) << "run under with-desktop.sh";
    auto w = std::make_unique<RealAlarmWindow>();
    runEventsUntil(500);

    typeInto(w->widget("Text2(2)"), QStringLiteral("3"));
    EXPECT_EQ(w->alarm.Text2[2].text, QStringLiteral("3"));

    const Answer yes = clickAndAnswer(w->widget("OK"), QStringLiteral("Return"), "summary.png");
    EXPECT_TRUE(yes.text.startsWith(QStringLiteral("Your selection is ...\n\nDuration : 3 sec\n"))
                || yes.text.startsWith(QStringLiteral("Your selection is ...\r\n\r\nDuration : 3 sec\r\n")))
        << yes.text.toStdString();
    ASSERT_EQ(w->alarm.state.alarmArmed, FlagTrue);
    EXPECT_EQ(w->widget<QLabel>("Label10")->text(), QStringLiteral(" 3 "));

    QSystemTrayIcon *icon = w->notifyArea.trayIcon();
    ASSERT_NE(icon, nullptr);
    ASSERT_TRUE(runEventsUntil(5000, [&] { return icon->geometry().y() > 700; })) << "the icon did not dock";
    EXPECT_EQ(icon->toolTip(), QStringLiteral("Alarm Setting duration : 3 sec\nRight Click to check status."));

    auto *reminder = w->widget<QLabel>("Label7");
    ASSERT_TRUE(runEventsUntil(6000, [&] { return reminder->palette().color(QPalette::Window) == Qt::white; }))
        << "the alarm did not ring";
    runEventsUntil(1200);
    clickWithMouse(w->widget("Stopp"));
    ASSERT_TRUE(runEventsUntil(2000, [&] { return w->alarm.state.alarmArmed == FlagFalse; }));
    runEventsUntil(1000);
    w.reset();
    EXPECT_GT(soundSeconds(audioOut), 0.2) << "the ring was not heard";
}

TEST(ArmingOnTheDesktop, NoCancelAndClosingTheBoxArmNothing)
{
    auto w = std::make_unique<RealAlarmWindow>();
    runEventsUntil(500);
    typeInto(w->widget("Text2(2)"), QStringLiteral("1"));

    for (const QString &key : {QStringLiteral("n"), QStringLiteral("Escape"), QString()}) {
        const Answer answer = clickAndAnswer(w->widget("OK"), key);
        EXPECT_FALSE(answer.text.isEmpty()) << "no box for " << key.toStdString();
        EXPECT_EQ(w->alarm.state.alarmArmed, FlagFalse) << key.toStdString();
        EXPECT_EQ(w->alarm.Timer3.interval, 0) << key.toStdString();
        EXPECT_EQ(w->widget<QLabel>("Label10")->text(), QStringLiteral(" 1 "));
    }
    runEventsUntil(2500);
    EXPECT_EQ(iconShown(*w), false);
    EXPECT_FALSE(w->notifyArea.trayIcon()->isVisible());
    EXPECT_EQ(w->widget<QLabel>("Label7")->palette().color(QPalette::Window), Qt::black) << "something rang";
}

TEST(ArmingOnTheDesktop, ABadEntryIsRefusedInABoxAndTheWindowStaysUsable)
{
    auto w = std::make_unique<RealAlarmWindow>();
    runEventsUntil(500);
    typeInto(w->widget("Text2(0)"), QStringLiteral("x<b>1</b>"));
    const Answer refusal = clickAndAnswer(w->widget("OK"), QStringLiteral("Return"), "refusal.png");
    EXPECT_EQ(refusal.text, QStringLiteral("The hours of the duration: \"x<b>1</b>\" is not a number."));
    EXPECT_EQ(w->alarm.state.alarmArmed, FlagFalse);

    typeInto(w->widget("Text2(0)"), QStringLiteral("0"));
    const Answer cancelled = clickAndAnswer(w->widget("OK"), QStringLiteral("Escape"));
    EXPECT_TRUE(cancelled.text.contains(QStringLiteral("Duration : 10 sec")));
}

TEST(ArmingOnTheDesktop, ALongReminderIsShownWholeInABoxThatFitsTheScreen)
{
    auto w = std::make_unique<RealAlarmWindow>();
    runEventsUntil(500);
    QString reminder;
    for (int i = 0; i < 120; ++i)
        reminder += QStringLiteral("remember-the-milk-and-the-bread-%1 ").arg(i);
    reminder += QString(300, u'z');
    w->alarm.state.alarm.reminderText = reminder;
    w->alarm.Label7.text = u' ' + reminder + u' ';
    w->window.render();

    const Answer answer = clickAndAnswer(w->widget("OK"), QStringLiteral("Escape"), "long-summary.png");
    EXPECT_TRUE(answer.text.contains(reminder));
    EXPECT_TRUE(answer.scrolls);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.contains(answer.geometry)) << answer.geometry.width() << 'x' << answer.geometry.height();
}

TEST(ArmingOnTheDesktop, ADateAndTimeAlarmAFewSecondsAheadRingsOnItsSecond)
{
    // The date lists hold the start-up day: keep the target on it by not starting just before midnight.
    while (QTime::currentTime() > QTime(23, 59, 45))
        QThread::sleep(1);
    auto w = std::make_unique<RealAlarmWindow>();
    runEventsUntil(500);
    clickWithMouse(w->widget("Orr"));
    ASSERT_TRUE(runEventsUntil(2000, [&] { return w->widget("Text1(0)")->isEnabled(); }));

    const QDateTime target = QDateTime::currentDateTime().addSecs(5);
    typeInto(w->widget("Text1(0)"), QString::number(target.time().hour()));
    typeInto(w->widget("Text1(1)"), QString::number(target.time().minute()));
    typeInto(w->widget("Text1(2)"), QString::number(target.time().second()));

    const Answer yes = clickAndAnswer(w->widget("OK"), QStringLiteral("Return"), "summary-date.png");
    const QString month = QLocale::system().monthName(target.date().month());
    EXPECT_TRUE(yes.text.contains(QStringLiteral("Date & Time :") + target.toString(QStringLiteral("dd ")) + month))
        << yes.text.toStdString();
    ASSERT_EQ(w->alarm.state.alarmArmed, FlagTrue);
    EXPECT_TRUE(w->widget("Label8")->isVisible());

    auto *reminder = w->widget<QLabel>("Label7");
    ASSERT_TRUE(runEventsUntil(10000, [&] { return reminder->palette().color(QPalette::Window) == Qt::white; }));
    const double late =
        QDateTime(target.date(), QTime(target.time().hour(), target.time().minute(), target.time().second()))
            .msecsTo(QDateTime::currentDateTime())
        / 1000.0;
    EXPECT_GE(late, 0.0) << "rang before its second";
    EXPECT_LT(late, 1.0) << "rang after its second";
    clickWithMouse(w->widget("Stopp"));
    runEventsUntil(500);
}
