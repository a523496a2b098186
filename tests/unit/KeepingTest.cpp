#include "AlarmHarness.h"

#include <gtest/gtest.h>

TEST(Resumption, CountsOnRingsLateForAQuarterHourThenIsMissed)
{
    Alarm duration;
    duration.armedAtMoment = 1000;
    duration.durationSeconds = 60; // due at 1060, on the wall clock
    EXPECT_EQ(resumption(duration, 1059).kind, Resumption::Counting);
    EXPECT_EQ(resumption(duration, 1060).kind, Resumption::Counting) << "its own second is not late";
    EXPECT_EQ(resumption(duration, 1061).kind, Resumption::RingsLate);
    EXPECT_EQ(resumption(duration, 1060 + 900).lateSeconds, 900);
    EXPECT_EQ(resumption(duration, 1060 + 900).kind, Resumption::RingsLate);
    EXPECT_EQ(resumption(duration, 1060 + 901).kind, Resumption::Missed);

    Alarm date = duration;
    date.mode = AlarmMode::DateTime;
    date.targetMoment = 5000; // a date alarm is due at its target, whatever its seconds say
    EXPECT_EQ(resumption(date, 4000).kind, Resumption::Counting);
    EXPECT_EQ(resumption(date, 5000 + 901).kind, Resumption::Missed);
}

TEST(Resumption, LatenessIsToldInSecondsMinutesOrHours)
{
    const qint64 due = QDateTime(QDate(2026, 12, 10), QTime(15, 4, 10)).toSecsSinceEpoch();
    EXPECT_EQ(lateText(due, 42), QStringLiteral("due 15:04:10, 42 seconds ago"));
    EXPECT_EQ(lateText(due, 42 * 60 + 59), QStringLiteral("due 15:04:10, 42 minutes ago"));
    EXPECT_EQ(lateText(due, 3 * 3600), QStringLiteral("due 15:04:10, 3 hours ago"));
}

namespace {

struct Keeping : testing::Test
{
    Keeping() { h.alarm.Form_Load(); }
    void ringNow()
    {
        for (int i = 0; i < 4 && h.audio.tones.isEmpty(); ++i)
            h.halfSecond();
    }

    AlarmHarness h{QDateTime(QDate(2026, 12, 10), QTime(15, 0, 0))};
};

} // namespace

TEST_F(Keeping, TheArmedAlarmIsKeptAndSuspendHeldExactlyWhileArmed)
{
    h.alarm.state.alarm.reminderText = QStringLiteral("Tea");
    h.armDuration(250);
    ASSERT_TRUE(h.keeper.kept);
    EXPECT_EQ(*h.keeper.kept, h.alarm.state.alarm);
    EXPECT_EQ(h.suspendHold.held, QStringLiteral("Alarm at 15:04:10: Tea"));

    // A declined attempt leaves the armed alarm, and what is kept, as they were.
    h.dialogs.messageAnswers = {MsgBox::No};
    h.alarm.Text2[2].text = QStringLiteral("9");
    h.click([&] { h.alarm.OK_Click(); });
    EXPECT_EQ(h.keeper.kept->durationSeconds, 250);

    // A tone or reminder changed while armed is what rings, and so what is kept.
    h.click([&] { h.alarm.Label12_Click(2); });
    h.dialogs.inputAnswers = {QStringLiteral("Tea now")};
    h.click([&] { h.alarm.Label7_Click(); });
    EXPECT_EQ(h.keeper.kept->toneIndex, 2);
    EXPECT_EQ(h.suspendHold.held, QStringLiteral("Alarm at 15:04:10: Tea now"));

    h.alarm.Form_Terminate(); // a signal's end keeps it
    EXPECT_TRUE(h.keeper.kept);
    h.click([&] { h.alarm.Stopp_Click(); });
    EXPECT_FALSE(h.keeper.kept);
    EXPECT_FALSE(h.suspendHold.held);

    h.armDuration(5);
    h.click([&] { h.alarm.Exitz_Click(); });
    EXPECT_FALSE(h.keeper.kept) << "an Exit kept the alarm";
}

TEST_F(Keeping, ARestoredAlarmCountsOnAndRingsAtItsOwnSecond)
{
    Alarm kept;
    kept.durationSeconds = 90;
    kept.armedAtMoment = h.clock.now().toSecsSinceEpoch() - 30;
    kept.toneIndex = 2;
    kept.reminderText = QStringLiteral("Tea");
    h.alarm.RestoreAlarm(kept);
    EXPECT_EQ(h.alarm.state.alarmArmed, FlagTrue);
    EXPECT_EQ(h.alarm.Text2[0].text + u':' + h.alarm.Text2[1].text + u':' + h.alarm.Text2[2].text,
              QStringLiteral("0:1:30"));
    EXPECT_TRUE(h.alarm.Label12[2].bold);
    EXPECT_EQ(h.alarm.Label7.text, QStringLiteral(" Tea "));
    EXPECT_EQ(h.suspendHold.held, QStringLiteral("Alarm at 15:01:00: Tea"));
    h.halfSecond();
    EXPECT_EQ(h.alarm.Label10.text + u'|' + h.alarm.Label11.text + u'|' + h.alarm.Label6[2].text,
              QStringLiteral(" 90 |30| 60 "));
    while (h.audio.tones.isEmpty() && h.halfSeconds < 200)
        h.halfSecond();
    EXPECT_EQ(h.clock.now().time(), QTime(15, 1, 0));
    EXPECT_EQ(h.ringNotice.posted, QStringList{QStringLiteral("Tea")}) << "an alarm on time was told as late";
}

TEST_F(Keeping, ALateRestoreOrWakeRingsAtOnceAndTellsHowLate)
{
    Alarm kept;
    kept.mode = AlarmMode::DateTime;
    kept.armedAtMoment = h.clock.now().toSecsSinceEpoch() - 3600;
    kept.targetMoment = h.clock.now().toSecsSinceEpoch() - 14 * 60;
    kept.targetDateTime = FloatDates::fromDateTime(QDateTime::fromSecsSinceEpoch(kept.targetMoment));
    h.alarm.RestoreAlarm(kept);
    ringNow();
    ASSERT_FALSE(h.audio.tones.isEmpty());
    EXPECT_EQ(h.ringNotice.posted.last(), QStringLiteral("Alarm at 14:46:00\ndue 14:46:00, 14 minutes ago"));
    EXPECT_EQ(h.alarm.Text1[0].text + u':' + h.alarm.Text1[1].text, QStringLiteral("14:46"));
    h.click([&] { h.alarm.Stopp_Click(); });

    // Asleep with a duration alarm armed: the ticks' timers stood still, the clocks went on.
    h.armDuration(60);
    const qsizetype rung = h.audio.tones.size();
    h.clock.advance(42 * 60);
    h.alarm.Woken();
    EXPECT_GT(h.audio.tones.size(), rung) << "the wake did not ring at once";
    EXPECT_TRUE(h.ringNotice.posted.last().endsWith(QStringLiteral("\ndue 15:01:00, 41 minutes ago")))
        << qPrintable(h.ringNotice.posted.last());
}

TEST_F(Keeping, AnAlarmMissedByMoreThanAQuarterHourIsToldSilentAndForgotten)
{
    Alarm kept;
    kept.durationSeconds = 60;
    kept.armedAtMoment = h.clock.now().toSecsSinceEpoch() - 60 - 901;
    kept.reminderText = QStringLiteral("Tea");
    h.keeper.kept = kept;
    h.alarm.RestoreAlarm(kept);
    EXPECT_EQ(h.alarm.state.alarmArmed, FlagFalse);
    EXPECT_EQ(h.ringNotice.missed, QStringList{QStringLiteral("Tea|10 December 2026, 14:44:59")});
    EXPECT_FALSE(h.keeper.kept);
    ringNow();
    EXPECT_TRUE(h.audio.tones.isEmpty());

    // An alarm armed before what was kept comes back stands.
    h.armDuration(5);
    kept.armedAtMoment = h.clock.now().toSecsSinceEpoch();
    h.alarm.RestoreAlarm(kept);
    EXPECT_EQ(h.alarm.state.alarm.durationSeconds, 5);
}
