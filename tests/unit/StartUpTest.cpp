#include "AlarmHarness.h"
#include "sound/ToneCatalogue.h"

#include <gtest/gtest.h>

namespace {
QDateTime at(int y, int mo, int d, int h = 12, int mi = 0, int s = 0)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s));
}
} // namespace

TEST(LoadMonths, SelectsTodayInTheThreeLists)
{
    AlarmHarness h(at(2026, 12, 7));
    h.alarm.LoadMonths();
    const auto &[days, months, years] = h.alarm.Combo2;

    ASSERT_EQ(days.items.size(), 31);
    EXPECT_EQ(days.items.first(), QStringLiteral("1"));
    EXPECT_EQ(days.items.last(), QStringLiteral("31"));
    EXPECT_EQ(days.selectedText(), QStringLiteral("7"));

    ASSERT_EQ(months.items.size(), 12);
    EXPECT_EQ(months.items.first(), QStringLiteral("January"));
    EXPECT_EQ(months.selectedText(), QStringLiteral("December"));

    ASSERT_EQ(years.items.size(), 2079 - 2026 + 1);
    EXPECT_EQ(years.items.first(), QStringLiteral("2026"));
    EXPECT_EQ(years.items.last(), QStringLiteral("2079"));
    EXPECT_EQ(years.listIndex, 0);
}

TEST(LoadMonths, LastDayOfTheYearAndALeapDay)
{
    AlarmHarness yearEnd(at(2026, 12, 31, 23, 59, 59));
    yearEnd.alarm.LoadMonths();
    EXPECT_EQ(yearEnd.alarm.Combo2[1].listIndex, 11);
    EXPECT_EQ(yearEnd.alarm.Combo2[0].listIndex, 30);

    AlarmHarness leap(at(2028, 2, 29));
    leap.alarm.LoadMonths();
    EXPECT_EQ(leap.alarm.Combo2[0].listIndex, 28);
    EXPECT_EQ(leap.alarm.Combo2[0].items.size(), 31); // 31 days whatever the month
    EXPECT_EQ(leap.alarm.Combo2[1].selectedText(), QStringLiteral("February"));
}

TEST(LoadMonths, TheYearListKeepsWorkingAtAndAfterItsLastYear)
{
    AlarmHarness last(at(2079, 6, 1));
    last.alarm.LoadMonths();
    EXPECT_EQ(last.alarm.Combo2[2].items, QStringList{QStringLiteral("2079")});
    EXPECT_EQ(last.alarm.Combo2[2].listIndex, 0);

    AlarmHarness after(at(2080, 1, 1));
    after.alarm.LoadMonths();
    EXPECT_EQ(after.alarm.Combo2[2].items, QStringList{QStringLiteral("2080")});
    EXPECT_EQ(after.alarm.Combo2[2].selectedText(), QStringLiteral("2080"));
}

TEST(LoadMonths, MonthNamesInTheUsersLanguage)
{
    AlarmHarness h(at(2026, 3, 9), QLocale(QLocale::German, QLocale::Germany));
    h.alarm.Form_Load();
    EXPECT_EQ(h.alarm.Combo2[1].selectedText(), QStringLiteral("März"));
    EXPECT_EQ(h.alarm.Combo2[1].items[11], QStringLiteral("Dezember"));
    EXPECT_EQ(h.alarm.Label16.text, QStringLiteral("09 März 2026"));
}

TEST(FormLoad, SetsTheDefaultsShowsTodayAndTheWindow)
{
    AlarmHarness h(at(2026, 12, 7, 9, 5, 7));
    EXPECT_EQ(h.alarm.Label16.text, QStringLiteral("Date"));
    EXPECT_EQ(h.alarm.state.alarm.toneIndex, 0);

    h.alarm.Form_Load();
    EXPECT_EQ(h.alarm.state.alarm.reminderText, QStringLiteral("Click to write a Reminder message")); // no blanks
    EXPECT_EQ(h.alarm.Label7.text, QStringLiteral(" Click to write a Reminder message "));
    EXPECT_EQ(h.alarm.state.alarm.toneIndex, 4);
    EXPECT_EQ(h.alarm.Label16.text, QStringLiteral("07 December 2026"));
    EXPECT_TRUE(h.window.visible);
    EXPECT_EQ(h.window.state, WindowState::Normal);
    // The clock digits wait for the first tick.
    EXPECT_EQ(h.alarm.Label2[0].text, QStringLiteral("23"));
    EXPECT_EQ(h.alarm.state.alarmArmed, FlagFalse);
    EXPECT_EQ(h.alarm.state.alarm.durationSeconds, 0);
    EXPECT_EQ(h.alarm.state.alarm.targetDateTime, 0.0);
}

TEST(FormLoad, TheWindowIsDrawnFromAnUnsetDurationAlarm)
{
    AlarmHarness h(at(2026, 12, 7));
    h.alarm.Form_Load();
    const AlarmMain &a = h.alarm;
    ASSERT_EQ(a.state.alarm.mode, AlarmMode::Duration);

    // The duration's boxes and markers live, the time of day's not.
    EXPECT_TRUE(a.Label4.enabled);
    EXPECT_FALSE(a.Label3.enabled);
    EXPECT_FALSE(a.Label1.enabled);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(a.Label9[i].enabled, i % 2 == 0) << i;
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(a.Text2[i].enabled) << i;
        EXPECT_FALSE(a.Text1[i].enabled) << i;
    }
    // The counters' words stand without blanks until a first Stop.
    EXPECT_EQ(a.Label10.text + u'|' + a.Label11.text + u'|' + a.Label6[2].text, QStringLiteral(" 0 |Passed|Remaining"));
    EXPECT_EQ(a.Text2[0].text + a.Text2[1].text + a.Text2[2].text, QStringLiteral("0010"));
    for (const TextBox &t : a.Text1)
        EXPECT_EQ(t.text, QStringLiteral("0"));
    EXPECT_EQ(a.Label8.text, QStringLiteral(" 0 "));
    EXPECT_FALSE(a.Label8.visible);
    EXPECT_EQ(a.Label7.foreColor, Colors::White);
    EXPECT_EQ(a.Label7.backColor, Colors::Black);

    EXPECT_EQ(a.Timer1.interval, 500);
    EXPECT_EQ(a.Timer2.interval, 500);
    EXPECT_EQ(a.Timer3.interval, 0);
    EXPECT_EQ(a.Timer4.interval, 1000);
    for (int i = 0; i < int(a.Label12.size()); ++i) {
        EXPECT_EQ(a.Label12[i].bold, i == 4) << i;
        EXPECT_EQ(a.Label12[i].text, ToneCatalogue::caption(i)) << i;
    }
}

TEST(FormLoad, TooltipsAndCaptionsAreSpelledAsTheUserSeesThem)
{
    AlarmHarness h(at(2026, 12, 7));
    const AlarmMain &a = h.alarm;
    const std::pair<const Control *, const char *> tips[] = {
        {&a.Orr, "Toggle between Duration AND Time Set"},
        {&a.OK, "Press after setting alarm criteria"},
        {&a.Stopp, "Stop Alarm Sound"},
        {&a.Label10, "Time set in seconds"},
        {&a.Label11, "Seconds elapsed since the alarm started"},
        {&a.Label6[2], "Seconds reamining to activate the Alarm"},
        {&a.Label8, "Date & Time set to Alarm"},
        {&a.Label7, "This is your Reminder Text"},
        {&a.ImgHide, "Hide this screen"},
        {&a.Label19, "Hide"},
        {&a.Image5, "Hide"},
        {&a.Label20, "Exit"},
        {&a.Exitz, "Exit"},
        {&a.Picture1, "Exit"},
        {&a.Image1[0], "Info about Meridane products"},
        {&a.Image1[1], "Info about Meridane products"},
        {&a.Image2, "Info about Meridane products"},
        {&a.Image4, "Info about Meridane products"},
    };
    for (const auto &[control, tip] : tips)
        EXPECT_EQ(control->tooltip, QString::fromUtf8(tip));
    for (const Label &tone : a.Label12)
        EXPECT_EQ(tone.tooltip, QStringLiteral("Select Alarm Sound"));

    EXPECT_EQ(a.Exitz.text, QStringLiteral("Exit "));
    EXPECT_EQ(a.Label2[5].text + a.Label2[4].text + a.Label2[3].text, QStringLiteral("Hr:min:sec"));
    EXPECT_EQ(a.MenuVisible.text, QStringLiteral("Show/ Hide Alarm Screen"));
    EXPECT_EQ(a.ExitAlarm.text, QStringLiteral("Close the Alarm Program"));
    EXPECT_TRUE(a.MenuVisible.bold);
}

TEST(LiveClock, ShowsTwoDigitTimeAndRollsTheDateAtMidnight)
{
    AlarmHarness h(at(2026, 12, 7, 9, 5, 7));
    h.alarm.Form_Load();
    h.alarm.Timer2_Timer();
    EXPECT_EQ(h.alarm.Label2[0].text, QStringLiteral("09"));
    EXPECT_EQ(h.alarm.Label2[1].text, QStringLiteral("05"));
    EXPECT_EQ(h.alarm.Label2[2].text, QStringLiteral("07"));

    h.clock.setWall(at(2026, 12, 31, 23, 59, 59));
    h.alarm.Timer2_Timer();
    EXPECT_EQ(h.alarm.Label16.text, QStringLiteral("31 December 2026"));
    EXPECT_EQ(h.alarm.Label2[0].text + h.alarm.Label2[1].text + h.alarm.Label2[2].text, QStringLiteral("235959"));

    h.clock.advance(1);
    h.alarm.Timer2_Timer();
    EXPECT_EQ(h.alarm.Label16.text, QStringLiteral("01 January 2027"));
    EXPECT_EQ(h.alarm.Label2[0].text + h.alarm.Label2[1].text + h.alarm.Label2[2].text, QStringLiteral("000000"));
    // The date lists keep the day they were set to at start-up.
    EXPECT_EQ(h.alarm.Combo2[0].selectedText(), QStringLiteral("7"));
    EXPECT_EQ(h.alarm.Combo2[1].selectedText(), QStringLiteral("December"));
}
