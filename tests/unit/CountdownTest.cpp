#include "AlarmHarness.h"
#include "WaveBuilder.h"
#include "sound/ToneCatalogue.h"
#include "toolkit/Numbers.h"

#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <vector>
#include <gtest/gtest.h>

namespace {

struct Countdown : testing::Test
{
    Countdown() { h.alarm.Form_Load(); }

    QString counters() const
    {
        return h.alarm.Label10.text + u'|' + h.alarm.Label11.text + u'|' + h.alarm.Label6[2].text;
    }

    AlarmHarness h{QDateTime(QDate(2026, 12, 7), QTime(9, 0, 0))};
};

} // namespace

TEST_F(Countdown, DurationCountsDownAndRingsAtTheFirstDueTick)
{
    h.armDuration(5);
    QStringList seen;
    while (h.audio.tones.isEmpty() && h.halfSeconds < 40) {
        h.halfSecond();
        seen << counters();
    }
    const QStringList expected = {" 5 |0| 5 ", " 5 |1| 4 ", " 5 |1| 4 ", " 5 |2| 3 ", " 5 |2| 3 ",
                                  " 5 |3| 2 ", " 5 |3| 2 ", " 5 |4| 1 ", " 5 |4| 1 ", " 5 |5| 0 "};
    EXPECT_EQ(seen, expected);
    ASSERT_EQ(h.audio.tones.size(), 1);
    EXPECT_EQ(h.audio.tones.last(), tone(104)); // the start-up tone, "[5] ..."
    EXPECT_EQ(h.alarm.Label7.backColor, Colors::White);
    EXPECT_EQ(h.alarm.Label7.foreColor, Colors::Black);
}

TEST_F(Countdown, RingingRepeatsEveryTickUntilStop)
{
    h.armDuration(1);
    h.halfSecond();
    h.halfSecond(); // passed 1: rings
    ASSERT_EQ(h.audio.tones.size(), 1);
    h.window.hide();

    QList<ColorValue> backs;
    QStringList remaining;
    for (int i = 0; i < 6; ++i) {
        h.halfSecond();
        backs << h.alarm.Label7.backColor;
        remaining << h.alarm.Label6[2].text;
        EXPECT_TRUE(h.window.visible) << "tick " << i;
        h.window.hide();
    }
    EXPECT_EQ(h.audio.tones.size(), 7); // restarted at every tick
    EXPECT_EQ(backs,
              (QList<ColorValue>{Colors::Black, Colors::White, Colors::Black, Colors::White, Colors::Black,
                                 Colors::White}));
    EXPECT_EQ(remaining, (QStringList{" 0 ", " -1 ", " -1 ", " -2 ", " -2 ", " -3 "}));
    EXPECT_EQ(h.alarm.state.alarmArmed, FlagTrue);
    EXPECT_EQ(h.alarm.Timer3.interval, 500);

    h.alarm.Stopp_Click();
    EXPECT_EQ(counters(), QStringLiteral("0| Passed | Remaining "));
    EXPECT_EQ(h.alarm.Timer1.interval, 0);
    EXPECT_EQ(h.alarm.Timer3.interval, 0);
    EXPECT_EQ(h.alarm.state.alarmArmed, FlagFalse);
    EXPECT_FALSE(h.audio.sounding);
    // The reminder keeps the colours of the last flash.
    EXPECT_EQ(h.alarm.Label7.backColor, Colors::White);

    const int tones = h.audio.tones.size();
    for (int i = 0; i < 10; ++i)
        h.halfSecond();
    EXPECT_EQ(h.audio.tones.size(), tones);
}

TEST_F(Countdown, RemainingIsTheSecondsSetLessThePassed)
{
    h.alarm.state.alarmArmed = FlagTrue;
    h.alarm.state.counters.set = 10;
    h.alarm.state.counters.passed = 3;
    h.alarm.Timer3_Timer();
    EXPECT_EQ(h.alarm.Label6[2].text, QStringLiteral(" 7 "));
    EXPECT_TRUE(h.audio.tones.isEmpty());

    h.armDuration(-3); // a negative duration arms unchanged and is due at once
    h.alarm.Timer3_Timer();
    EXPECT_EQ(h.alarm.Label6[2].text, QStringLiteral(" -3 "));
    EXPECT_EQ(h.audio.tones.size(), 1);
}

TEST_F(Countdown, SnoozeStopsTheRingAndRingsTheSameReminderAndToneTenMinutesOn)
{
    h.alarm.state.alarm.toneIndex = 2;
    h.alarm.state.alarm.reminderText = QStringLiteral("Tea");
    h.armDateTime(h.clock.now().addSecs(2)); // a date alarm snoozes as a duration
    while (h.audio.tones.isEmpty() && h.halfSeconds < 20)
        h.halfSecond();
    ASSERT_TRUE(h.ringNotice.up);
    const qsizetype boxes = h.dialogs.messages.size();
    const int stops = h.audio.stops;

    h.alarm.SnoozeRing();
    EXPECT_EQ(h.audio.stops, stops + 1);
    EXPECT_FALSE(h.ringNotice.up);
    EXPECT_EQ(h.dialogs.messages.size(), boxes) << "a summary was shown";
    EXPECT_EQ(h.alarm.state.alarmArmed, FlagTrue);
    EXPECT_EQ(h.alarm.state.alarm.mode, AlarmMode::Duration);
    EXPECT_TRUE(h.alarm.Label4.enabled && !h.alarm.Label3.enabled) << "the window does not show the duration mode";
    EXPECT_EQ(h.alarm.Text2[0].text + u':' + h.alarm.Text2[1].text + u':' + h.alarm.Text2[2].text,
              QStringLiteral("0:10:0"));
    EXPECT_EQ(h.alarm.Label10.text + u'|' + h.alarm.Label11.text, QStringLiteral(" 600 |0"));
    EXPECT_EQ(h.alarm.Label7.text, QStringLiteral(" Tea "));

    const qsizetype rung = h.audio.tones.size();
    for (int i = 0; i < 2 * 599; ++i)
        h.halfSecond();
    EXPECT_EQ(h.audio.tones.size(), rung) << "rang again before ten minutes";
    h.halfSecond();
    h.halfSecond();
    ASSERT_GT(h.audio.tones.size(), rung) << "did not ring again ten minutes on";
    EXPECT_EQ(h.audio.tones.last(), h.audio.tones.first()) << "another tone";
    EXPECT_EQ(h.ringNotice.posted.last(), QStringLiteral("Tea"));
}

TEST_F(Countdown, StopWithNothingArmedResetsTheSameWay)
{
    h.alarm.Stopp_Click();
    EXPECT_EQ(counters(), QStringLiteral("0| Passed | Remaining "));
    EXPECT_EQ(h.alarm.Timer1.interval, 0);
    EXPECT_EQ(h.audio.stops, 1);
    EXPECT_EQ(h.alarm.Label7.backColor, Colors::Black);
}

TEST_F(Countdown, DateAndTimeRingsWhenTheClockReachesTheTarget)
{
    const QDateTime target = h.clock.now().addSecs(10);
    // The summary stays open 4 seconds: the seconds set count from the answer, as the passed do.
    h.dialogs.whileOpen = [&] {
        h.dialogs.whileOpen = nullptr;
        for (int i = 0; i < 8; ++i)
            h.halfSecond();
    };
    h.armDateTime(target);
    EXPECT_EQ(h.alarm.Label10.text, QStringLiteral(" 6 "));
    while (h.audio.tones.isEmpty() && h.halfSeconds < 40)
        h.halfSecond();
    EXPECT_EQ(h.clock.now(), target);
    EXPECT_EQ(h.alarm.Label6[2].text, QStringLiteral(" 0 "));
    EXPECT_TRUE(h.window.visible);
}

TEST_F(Countdown, ADeclinedAlarmNeverRingsThoughItsTimerRuns)
{
    h.armDateTime(h.clock.now().addSecs(2));
    h.alarm.state.alarmArmed = FlagFalse; // the next confirmation was declined
    h.alarm.state.counters.passed = 0;
    for (int i = 0; i < 20; ++i)
        h.halfSecond();
    EXPECT_EQ(h.alarm.Timer3.interval, 500);
    EXPECT_TRUE(h.audio.tones.isEmpty());
    EXPECT_EQ(h.alarm.Label11.text, QStringLiteral("0"));

    h.alarm.state.alarm.mode = AlarmMode::Duration; // with a remaining count already at 0
    h.alarm.state.counters.remaining = 0;
    h.alarm.Timer3_Timer();
    EXPECT_TRUE(h.audio.tones.isEmpty());
}

TEST_F(Countdown, RingShowsAHiddenWindowWithoutChangingItsState)
{
    // Hidden by the icon's toggle (minimized), then by the Hide request (normal): the ring shows
    // each as it was hidden. The real window manager's side is the window tests'.
    h.window.visible = true;
    h.armDuration(2);
    h.click([&] { h.alarm.ToggleAlarmWindow(); });
    ASSERT_FALSE(h.window.visible);
    ASSERT_EQ(h.window.state, WindowState::Minimized);
    while (!h.window.visible && h.halfSeconds < 10)
        h.halfSecond();
    EXPECT_TRUE(h.window.visible) << "the ring did not show the window";
    EXPECT_EQ(h.window.state, WindowState::Minimized) << "the ring changed the toggle's minimized state";
    EXPECT_EQ(h.halfSeconds, 4) << "shown before its time";

    h.click([&] { h.alarm.Stopp_Click(); });
    h.click([&] { h.alarm.ToggleAlarmWindow(); }); // shown but out of sight: onto the screen
    ASSERT_TRUE(h.window.visible);
    ASSERT_EQ(h.window.state, WindowState::Normal);
    h.armDuration(1);
    h.click([&] { h.alarm.ImgHide_Click(); });
    ASSERT_FALSE(h.window.visible) << "Hide refused with an alarm armed";
    for (int i = 0; i < 4 && !h.window.visible; ++i)
        h.halfSecond();
    EXPECT_TRUE(h.window.visible);
    EXPECT_EQ(h.window.state, WindowState::Normal);
}

TEST_F(Countdown, TheOwnFilePlaysToItsEndAndGivesWayToTheDefaultToneWhenGone)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("mine ä.wav"));
    const QByteArray mine = sineWave(0.3);
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(mine);
    }
    h.alarm.state.alarm.toneIndex = 7;
    h.alarm.state.alarm.userWavePath = path;
    h.armDuration(0);
    h.alarm.Timer3_Timer();
    ASSERT_EQ(h.audio.files.size(), 1);
    EXPECT_EQ(h.audio.files.first(), mine);
    EXPECT_TRUE(h.audio.tones.isEmpty());
    EXPECT_EQ(h.alarm.Label7.backColor, Colors::White);

    QFile::remove(path);
    h.alarm.Timer3_Timer();
    ASSERT_EQ(h.audio.tones.size(), 1);
    EXPECT_EQ(h.audio.tones.last(), tone(104));
    EXPECT_EQ(h.alarm.Label7.backColor, Colors::Black);
    EXPECT_TRUE(h.window.visible);

    // Back, but on a storage that stopped answering: after a second the default tone rings.
    ASSERT_TRUE(writeFile(dir, QStringLiteral("mine ä.wav"), mine) == path);
    h.audio.fileOpensNever = true;
    qint64 waited = 0;
    h.waitWhilePlaying = [&](const std::function<bool()> &done) {
        for (; !done() && waited < 5000; waited += 10)
            h.clock.advanceMs(10);
    };
    const int stopsBefore = h.audio.stops;
    h.alarm.Timer3_Timer();
    EXPECT_EQ(waited, 1000) << "the ring waited this long for a file that does not open";
    EXPECT_GT(h.audio.stops, stopsBefore) << "the file given up on was not stopped";
    ASSERT_EQ(h.audio.tones.size(), 2);
    EXPECT_EQ(h.audio.tones.last(), tone(104));

    h.alarm.Stopp_Click(); // the fallback tone stops with the alarm
    EXPECT_FALSE(h.audio.sounding);
}

TEST_F(Countdown, AFailingStepIsSkippedAndTheTickGoesOn)
{
    h.armDuration(5);
    h.halfSecond();
    EXPECT_EQ(h.alarm.Label6[2].text, QStringLiteral(" 5 "));

    // A tone that cannot be found: the ring step fails, the window still comes up.
    h.alarm.state.alarm.toneIndex = 9;
    h.alarm.state.counters.set = 0;
    h.window.visible = false;
    h.alarm.Timer3_Timer();
    EXPECT_EQ(h.alarm.Label6[2].text, QStringLiteral(" 0 "));
    EXPECT_TRUE(h.audio.tones.isEmpty());
    EXPECT_TRUE(h.window.visible);
}

TEST_F(Countdown, PassedSecondsCountFromTheMomentOfArming)
{
    h.clock.advance(30);
    h.armDuration(100);
    h.clock.advance(42);
    h.alarm.Timer1_Timer();
    EXPECT_EQ(h.alarm.Label11.text, QStringLiteral("42"));
    h.alarm.state.alarmArmed = FlagFalse;
    h.clock.advance(5);
    h.alarm.Timer1_Timer();
    EXPECT_EQ(h.alarm.Label11.text, QStringLiteral("42"));
}

namespace {

QDateTime berlin(int year, int month, int day, int hour, int minute, int second, int utcOffsetHours)
{
    // An instant, so that an hour the autumn change repeats tells its two passes apart.
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second), Qt::OffsetFromUTC, utcOffsetHours * 3600)
        .toLocalTime();
}

} // namespace

TEST(RealSeconds, ADurationRingsAfterItsRealSecondsWhateverTheWallClockDoes)
{
    struct Case
    {
        const char *name;
        QDateTime start;
        std::function<void(FakeClock &)> afterTwoSeconds;
    };
    const Case cases[] = {
        {"clocks go forward in spring", berlin(2026, 3, 29, 1, 59, 55, 1), nullptr},
        {"clocks go back in autumn", berlin(2026, 10, 25, 2, 59, 55, 2), nullptr},
        {"clock set back an hour by hand", berlin(2026, 12, 7, 9, 0, 0, 1), [](FakeClock &c) { c.jumpWall(-3600); }},
        {"clock set a day ahead by a time service", berlin(2026, 12, 7, 9, 0, 0, 1),
         [](FakeClock &c) { c.jumpWall(86400); }},
    };
    for (const Case &c : cases) {
        AlarmHarness h{c.start};
        h.alarm.Form_Load();
        h.armDuration(12);
        QStringList passed;
        while (h.audio.tones.isEmpty() && h.halfSeconds < 60) {
            h.halfSecond();
            if (h.halfSeconds == 4 && c.afterTwoSeconds)
                c.afterTwoSeconds(h.clock);
            passed << h.alarm.Label11.text;
        }
        EXPECT_EQ(h.halfSeconds, 24) << c.name << ": rang after " << h.halfSeconds / 2.0 << " s";
        EXPECT_EQ(h.alarm.Label6[2].text, QStringLiteral(" 0 ")) << c.name;
        EXPECT_EQ(passed.first(), QStringLiteral("0")) << c.name;
        EXPECT_EQ(passed.last(), QStringLiteral("12")) << c.name;
    }
}

TEST(RealSeconds, TheDateTotalIsTheRealSecondsToTheTargetAcrossAChange)
{
    struct Case
    {
        const char *name;
        QDateTime now;
        QDateTime target; // its wall reading is what is typed
        int total;
    };
    const Case cases[] = {
        {"spring: an hour skipped", berlin(2026, 3, 29, 1, 50, 0, 1), berlin(2026, 3, 29, 3, 10, 0, 2), 20 * 60},
        {"autumn: an hour twice", berlin(2026, 10, 25, 2, 50, 0, 2), berlin(2026, 10, 25, 3, 10, 0, 1), 80 * 60},
        {"autumn: the repeated hour means its first pass", berlin(2026, 10, 25, 1, 59, 0, 2),
         berlin(2026, 10, 25, 2, 30, 0, 2), 31 * 60},
        {"autumn: in the second pass, its second pass", berlin(2026, 10, 25, 2, 10, 0, 1),
         berlin(2026, 10, 25, 2, 30, 0, 1), 20 * 60},
    };
    for (const Case &c : cases) {
        AlarmHarness h{c.now};
        h.alarm.Form_Load();
        h.armDateTime(c.target);
        EXPECT_EQ(h.alarm.Label10.text, u' ' + QString::number(c.total) + u' ') << c.name;
        while (h.audio.tones.isEmpty() && h.halfSeconds < 2 * c.total + 10)
            h.halfSecond();
        EXPECT_EQ(h.halfSeconds, 2 * c.total) << c.name;
        EXPECT_EQ(h.clock.now(), c.target) << c.name;
        EXPECT_EQ(h.alarm.Label6[2].text, QStringLiteral(" 0 ")) << c.name;
    }
}

TEST(RealSeconds, ADateAlarmsRemainingIsTheWallClocksSecondsToItsTargetAndItRingsWhenThatReachesZero)
{
    struct Case
    {
        const char *name;
        QDateTime start;
        int ahead;                  // seconds from the answer to the target
        int jumpAtHalfSecond, jump; // the wall clock set by hand, or not (0)
    };
    const Case cases[] = {
        {"clock set back an hour", berlin(2026, 12, 7, 9, 0, 0, 1), 20, 6, -3600},
        {"clock set forward past the target", berlin(2026, 12, 7, 9, 0, 0, 1), 600, 6, 3600},
        {"across the spring change", berlin(2026, 3, 29, 1, 59, 50, 1), 30, 0, 0},
        {"across the autumn change", berlin(2026, 10, 25, 2, 59, 50, 2), 30, 0, 0},
    };
    for (const Case &c : cases) {
        AlarmHarness h{c.start};
        h.alarm.Form_Load();
        h.armDateTime(h.clock.now().addSecs(c.ahead));
        int dueAt = -1, rangAt = -1;
        while (rangAt < 0 && h.halfSeconds < 2 * 3600 * 2 + 4 * c.ahead) {
            if (c.jump && h.halfSeconds == c.jumpAtHalfSecond)
                h.clock.jumpWall(c.jump);
            h.halfSecond();
            const qint64 toGo = h.alarm.state.alarm.targetMoment - h.clock.now().toSecsSinceEpoch();
            if (!h.audio.tones.isEmpty())
                rangAt = h.halfSeconds;
            else
                ASSERT_EQ(h.alarm.state.counters.remaining, toGo) << c.name << " at " << h.halfSeconds;
            if (dueAt < 0 && toGo <= 0)
                dueAt = h.halfSeconds;
            if (c.jump < 0 && h.halfSeconds == 2 * c.ahead) {
                EXPECT_GT(h.alarm.state.counters.remaining.value_or(0), 3500) << c.name;
            }
        }
        EXPECT_GE(dueAt, 0) << c.name;
        EXPECT_EQ(rangAt, dueAt) << c.name << ": rang at half-second " << rangAt << ", due at " << dueAt;
    }
}

TEST(RealSeconds, ADateAlarmRingsWhenTheWallClockReachesItAndASuspendCountsAsTimePassed)
{
    AlarmHarness ahead{berlin(2026, 12, 7, 9, 0, 0, 1)};
    ahead.alarm.Form_Load();
    ahead.armDateTime(ahead.clock.now().addSecs(600));
    ahead.halfSecond();
    ahead.clock.jumpWall(3600); // set forward past the target
    ahead.halfSecond();
    EXPECT_EQ(ahead.audio.tones.size(), 1);

    AlarmHarness back{berlin(2026, 12, 7, 9, 0, 0, 1)};
    back.alarm.Form_Load();
    back.armDateTime(back.clock.now().addSecs(10));
    back.clock.jumpWall(-7200); // set two hours back: the wall clock reaches 09:00:10 again later
    for (int i = 0; i < 30; ++i)
        back.halfSecond();
    EXPECT_TRUE(back.audio.tones.isEmpty());
    EXPECT_EQ(back.alarm.Label11.text, QStringLiteral("-7185")) << "passed by the wall clock";
    EXPECT_EQ(back.alarm.Label6[2].text, QStringLiteral(" 7195 ")) << "remaining by the wall clock";
    back.clock.jumpWall(7200 - 5); // and now it does
    back.halfSecond();
    EXPECT_EQ(back.audio.tones.size(), 1);

    for (const bool dateMode : {false, true}) {
        AlarmHarness asleep{berlin(2026, 12, 7, 9, 0, 0, 1)};
        asleep.alarm.Form_Load();
        if (dateMode)
            asleep.armDateTime(asleep.clock.now().addSecs(600));
        else
            asleep.armDuration(600);
        asleep.halfSecond();
        asleep.clock.advance(3600); // the machine sleeps an hour and wakes
        asleep.halfSecond();
        EXPECT_EQ(asleep.audio.tones.size(), 1) << (dateMode ? "date" : "duration");
        EXPECT_EQ(asleep.alarm.Label11.text, QStringLiteral("3601"));
    }
}

TEST_F(Countdown, TheReminderIsAnnouncedOnceWhenTheRingingStarts)
{
    h.alarm.state.alarm.reminderText = QStringLiteral("Tea is ready");
    h.alarm.Label7.text = QStringLiteral(" Tea is ready ");
    h.armDuration(1);
    for (int i = 0; i < 12; ++i)
        h.halfSecond();
    EXPECT_GT(h.audio.tones.size(), 5);
    EXPECT_EQ(h.window.announcements, QStringList{QStringLiteral("Tea is ready")});

    h.alarm.Stopp_Click();
    h.armDuration(0);
    h.alarm.Timer3_Timer();
    EXPECT_EQ(h.window.announcements.size(), 2) << "a new ringing is announced again";
}

TEST_F(Countdown, TheRingAsksForAttentionOnceAndNeverTakesTheKeyboard)
{
    using Showing = WindowHost::Showing;
    for (int alarm = 0; alarm < 2; ++alarm) {
        h.window.showings.clear();
        h.armDuration(1);
        for (int i = 0; i < 8; ++i)
            h.halfSecond();
        EXPECT_EQ(h.window.showings,
                  (QList<Showing>{Showing::Alert, Showing::Reveal, Showing::Reveal, Showing::Reveal, Showing::Reveal,
                                  Showing::Reveal, Showing::Reveal}))
            << "alarm " << alarm;
        h.click([&] { h.alarm.Stopp_Click(); });
    }
    h.window.showings.clear();
    h.click([&] { h.alarm.ToggleAlarmWindow(); });
    h.click([&] { h.alarm.ToggleAlarmWindow(); });
    EXPECT_EQ(h.window.showings, QList<Showing>{Showing::Activate}) << "a show the user asked for takes the focus";
}

TEST_F(Countdown, TheRingPostsOneNotificationAndEveryWayItEndsWithdrawsIt)
{
    const std::vector<std::pair<const char *, std::function<void()>>> ends{
        {"Stop", [&] { h.click([&] { h.alarm.Stopp_Click(); }); }},
        {"the mode toggle", [&] { h.click([&] { h.alarm.Orr_Click(); }); }},
        {"a new arming", [&] { h.armDuration(30); }},
        {"Exit", [&] { h.click([&] { h.alarm.Exitz_Click(); }); }},
        {"the program's end", [&] { h.alarm.Form_Terminate(); }},
    };
    h.alarm.state.alarm.reminderText = QStringLiteral("<b>Tea</b> & cake");
    for (const auto &[name, end] : ends) {
        h.ringNotice.posted.clear();
        h.armDuration(2);
        for (int i = 0; i < 3; ++i)
            h.halfSecond();
        EXPECT_TRUE(h.ringNotice.posted.isEmpty()) << "posted before the ring, " << name;
        for (int i = 0; i < 8; ++i)
            h.halfSecond();
        EXPECT_EQ(h.ringNotice.posted, QStringList{QStringLiteral("<b>Tea</b> & cake")}) << "once, as typed, " << name;
        EXPECT_TRUE(h.ringNotice.up);
        end();
        EXPECT_FALSE(h.ringNotice.up) << "still up after " << name;
        h.click([&] { h.alarm.Stopp_Click(); });
    }
}

TEST_F(Countdown, WithNoReminderWrittenTheNotificationSaysWhenTheAlarmWasDue)
{
    h.armDuration(5); // at 09:00:00
    for (int i = 0; i < 12 && h.ringNotice.posted.isEmpty(); ++i)
        h.halfSecond();
    EXPECT_EQ(h.ringNotice.posted, QStringList{QStringLiteral("Alarm at 09:00:05")});
    h.click([&] { h.alarm.Stopp_Click(); });

    h.ringNotice.posted.clear();
    h.armDateTime(QDateTime(QDate(2026, 12, 7), QTime(9, 0, 20)));
    for (int i = 0; i < 60 && h.ringNotice.posted.isEmpty(); ++i)
        h.halfSecond();
    EXPECT_EQ(h.ringNotice.posted, QStringList{QStringLiteral("Alarm at 09:00:20")});
}

TEST(RingingBehindBoxes, AnAlarmDueWhileABoxIsOpenRingsAtItsTimeAndTheBoxKeepsItsWork)
{
    struct Case
    {
        const char *name;
        std::function<void(AlarmHarness &)> open; // opens the box, as the user does
    };
    const Case cases[] = {
        {"the reminder's input box",
         [](AlarmHarness &h) {
             h.dialogs.inputAnswers = {QStringLiteral("typed while it rang")};
             h.click([&] { h.alarm.Label7_Click(); });
             EXPECT_EQ(h.alarm.state.alarm.reminderText, QStringLiteral("typed while it rang"));
         }},
        {"the icon's pop-up menu",
         [](AlarmHarness &h) {
             h.click([&] { h.alarm.Form_MouseMove(0, 0, float(NotifyArea::RightButtonDown * 15), 0); });
             EXPECT_EQ(h.window.menus.size(), 1);
             h.dialogs.whileOpen(); // the menu stays up while the ticks go on
         }},
        {"a second summary",
         [](AlarmHarness &h) {
             h.alarm.Text2[2].text = QStringLiteral("40");
             h.click([&] { h.alarm.OK_Click(); }); // closed unanswered
             EXPECT_EQ(h.alarm.Label10.text, QStringLiteral(" 3 "));
         }},
        {"the file dialog", [](AlarmHarness &h) { h.click([&] { h.alarm.Label12_Click(ToneCatalogue::OwnFile); }); }},
        {"an error box",
         [](AlarmHarness &h) {
             h.alarm.Text2[2].text = QStringLiteral("x");
             h.click([&] { h.alarm.OK_Click(); });
         }},
    };
    for (const Case &c : cases) {
        AlarmHarness h{QDateTime(QDate(2026, 12, 7), QTime(9, 0, 0))};
        h.alarm.Form_Load();
        h.armDuration(3);
        int firstRing = 0;
        const auto behindTheBox = [&] {
            for (int i = 0; i < 10; ++i) {
                h.halfSecond();
                if (!firstRing && !h.audio.tones.isEmpty())
                    firstRing = h.halfSeconds;
            }
        };
        h.dialogs.whileOpen = behindTheBox;
        c.open(h);
        EXPECT_EQ(firstRing, 6) << c.name << ": first rang after " << firstRing / 2.0 << " s";
        EXPECT_GE(h.audio.tones.size(), 4) << c.name << ": did not ring on behind the box";
        EXPECT_EQ(h.alarm.Label11.text, QStringLiteral("5")) << c.name;
        EXPECT_TRUE(h.window.visible) << c.name;
    }
}
