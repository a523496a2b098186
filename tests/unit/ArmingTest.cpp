#include "AlarmHarness.h"

#include <gtest/gtest.h>

namespace {

const QString Question = QStringLiteral("Would you like to go ahead with these selections?");
const QString PastMessage = QStringLiteral("Alarm can not be Activated in PAST Date/Time values");

// Switches to date and time and enters a time of day.
void setTime(AlarmHarness &h, int hour, int minute, int second)
{
    if (h.alarm.state.alarm.mode == AlarmMode::Duration)
        h.alarm.Orr_Click();
    h.alarm.Text1[0].text = QString::number(hour);
    h.alarm.Text1[1].text = QString::number(minute);
    h.alarm.Text1[2].text = QString::number(second);
}

void setDate(AlarmHarness &h, const char *day, int monthIndex, const char *year)
{
    h.alarm.Combo2[0].selectText(QString::fromLatin1(day));
    h.alarm.Combo2[1].listIndex = monthIndex;
    h.alarm.Combo2[2].selectText(QString::fromLatin1(year));
}

struct Arming : testing::Test
{
    Arming() { h.alarm.Form_Load(); }
    void setTime(int hour, int minute, int second) { ::setTime(h, hour, minute, second); }

    AlarmHarness h{QDateTime(QDate(2026, 12, 7), QTime(9, 0, 0))};
};

} // namespace

TEST_F(Arming, TheDefaultDurationAlarmFromOKToStop)
{
    h.dialogs.messageAnswers = {MsgBox::Yes};
    h.click([&] { h.alarm.OK_Click(); });

    ASSERT_EQ(h.dialogs.messages.size(), 1);
    EXPECT_EQ(h.dialogs.messages[0].style, MsgBox::YesNoCancel | MsgBox::Information);
    EXPECT_EQ(h.dialogs.messages[0].text,
              QStringLiteral("Your selection is ...") + CrLf + CrLf + QStringLiteral("Duration : 10 sec") + CrLf
                  + QStringLiteral("Alarm Tone : [5] Leonardo Vinci Restore") + CrLf
                  + QStringLiteral("Message :  Click to write a Reminder message ") + CrLf + CrLf + Question);
    EXPECT_EQ(h.alarm.state.alarm.durationSeconds, 10);
    EXPECT_EQ(h.alarm.Label10.text, QStringLiteral(" 10 "));
    EXPECT_EQ(h.alarm.Label11.text, QStringLiteral("0"));
    EXPECT_EQ(h.alarm.state.alarmArmed, FlagTrue);
    EXPECT_EQ(h.audio.prepares, 1) << "the ring's first sound would wait for the sound to load";
    EXPECT_EQ(h.alarm.state.alarm.armedAtMoment, h.clock.now().toSecsSinceEpoch());
    EXPECT_EQ(h.alarm.Timer3.interval, 500);
    EXPECT_EQ(h.alarm.trayIcon.tipText,
              QStringLiteral("Alarm Setting duration : 10 sec") + CrLf + QStringLiteral("Right Click to check status.")
                  + QChar(0));
    ASSERT_TRUE(h.notifyArea.icon.has_value());
    EXPECT_EQ(h.notifyArea.icon->shownTip(),
              QStringLiteral("Alarm Setting duration : 10 sec\nRight Click to check status."));
    EXPECT_FALSE(h.alarm.Label8.visible);
    EXPECT_TRUE(h.alarm.Label8.text.isEmpty());
    // The placeholder reminder now carries a blank on each side.
    EXPECT_EQ(h.alarm.Label7.text, QStringLiteral(" Click to write a Reminder message "));

    while (h.audio.tones.isEmpty() && h.halfSeconds < 60)
        h.halfSecond();
    EXPECT_EQ(h.clock.now().time(), QTime(9, 0, 10));
    h.click([&] { h.alarm.Stopp_Click(); });
    EXPECT_EQ(h.alarm.state.alarmArmed, FlagFalse);
    EXPECT_TRUE(h.notifyArea.icon.has_value()); // the icon stays after Stop
}

TEST_F(Arming, ADateAndTimeAlarmSetsTheTargetAndRingsOnItsSecond)
{
    h.click([&] { h.alarm.Orr_Click(); });
    EXPECT_EQ(h.alarm.Text1[0].text + u':' + h.alarm.Text1[1].text + u':' + h.alarm.Text1[2].text,
              QStringLiteral("9:0:0"));
    setTime(9, 0, 5);
    h.alarm.state.alarm.reminderText = QStringLiteral("Call <b>Mum</b> & Dad");
    h.dialogs.messageAnswers = {MsgBox::Yes};
    h.click([&] { h.alarm.OK_Click(); });

    ASSERT_EQ(h.dialogs.messages.size(), 1);
    EXPECT_EQ(h.dialogs.messages[0].text,
              QStringLiteral("You Selection is ...") + CrLf + CrLf
                  + QStringLiteral("Date & Time :07 December 2026, 09:00:05") + CrLf
                  + QStringLiteral("Alarm Tone : [5] Leonardo Vinci Restore") + CrLf
                  + QStringLiteral("Message :  Click to write a Reminder message ") + CrLf + CrLf + Question);
    EXPECT_EQ(h.alarm.Label10.text, QStringLiteral(" 5 "));
    EXPECT_EQ(h.alarm.Label7.text, QStringLiteral(" Call <b>Mum</b> & Dad "));
    EXPECT_EQ(h.alarm.trayIcon.tipText,
              QStringLiteral("Alarm Set at: 12/7/26 9:00:05 AM") + CrLf + QStringLiteral("Right Click to check status.")
                  + QChar(0));
    EXPECT_TRUE(h.alarm.Label8.visible);
    EXPECT_EQ(h.alarm.Label8.text, QStringLiteral(" 12/7/26 9:00:05 AM "));

    while (h.audio.tones.isEmpty() && h.halfSeconds < 60)
        h.halfSecond();
    EXPECT_EQ(h.clock.now().time(), QTime(9, 0, 5));
}

// A date alarm's ticks fall just after the wall clock's whole and half seconds, whenever Yes came.
TEST(DateAlarmTicks, FollowTheWallClocksHalfSeconds)
{
    for (const auto &[yesAtMs, firstTick] : {std::pair{300, 205}, {0, 5}, {499, 6}, {500, 5}, {996, 9}}) {
        AlarmHarness h(QDateTime(QDate(2026, 12, 7), QTime(9, 0, 0, yesAtMs)));
        h.alarm.Form_Load();
        h.armDateTime(QDateTime(QDate(2026, 12, 7), QTime(9, 0, 5)));
        ASSERT_EQ(h.alarm.state.alarmArmed, FlagTrue) << yesAtMs;
        EXPECT_EQ(h.alarm.Timer3.firstAfter, firstTick) << yesAtMs;
        EXPECT_EQ(h.alarm.Timer1.firstAfter, firstTick) << yesAtMs << ": the passed seconds out of step";
        h.armDuration(5);
        EXPECT_EQ(h.alarm.Timer3.firstAfter, 0) << "a duration counts from Yes";
    }
}

TEST_F(Arming, NoOrCancelArmsNothingButTheCountersHaveChanged)
{
    h.alarm.Stopp_Click(); // stops Timer1
    for (int answer : {MsgBox::No, MsgBox::Cancel}) {
        h.alarm.Timer1.interval = 0;
        h.dialogs.messageAnswers = {answer};
        h.click([&] { h.alarm.OK_Click(); });
        EXPECT_EQ(h.alarm.state.alarmArmed, FlagFalse);
        EXPECT_EQ(h.audio.prepares, 0);
        EXPECT_EQ(h.alarm.Timer1.interval, 500);
        EXPECT_EQ(h.alarm.Timer3.interval, 0);
        EXPECT_EQ(h.alarm.Label10.text, QStringLiteral(" 10 "));
        EXPECT_EQ(h.alarm.Label11.text, QStringLiteral("0"));
        EXPECT_EQ(h.alarm.state.alarm.durationSeconds, 10);
        EXPECT_FALSE(h.notifyArea.icon.has_value());
        EXPECT_EQ(h.alarm.Label7.text, QStringLiteral(" Click to write a Reminder message "));
    }
}

TEST_F(Arming, ArmingAgainWhileArmedStartsAfresh)
{
    h.dialogs.messageAnswers = {MsgBox::Yes, MsgBox::Yes};
    h.click([&] { h.alarm.OK_Click(); });
    h.clock.advance(4);
    h.alarm.Text2[2].text = QStringLiteral("30");
    h.click([&] { h.alarm.OK_Click(); });
    EXPECT_EQ(h.alarm.state.alarm.armedAtMoment, h.clock.now().toSecsSinceEpoch());
    EXPECT_EQ(h.alarm.Label10.text, QStringLiteral(" 30 "));
    EXPECT_EQ(h.notifyArea.icon->shownTip(),
              QStringLiteral("Alarm Setting duration : 30 sec\nRight Click to check status."));
    const auto &calls = h.notifyArea.calls;
    ASSERT_EQ(calls.size(), 4);
    EXPECT_TRUE(calls[2].succeeded && calls[2].command == NotifyArea::Delete);
    EXPECT_TRUE(calls[3].succeeded && calls[3].command == NotifyArea::Add);
}

TEST_F(Arming, TheToggleClearsTheCriteriaStopsARingAndRefreshesTheTime)
{
    h.dialogs.messageAnswers = {MsgBox::Yes};
    h.alarm.Text2[2].text = QStringLiteral("1");
    h.click([&] { h.alarm.OK_Click(); });
    for (int i = 0; i < 4; ++i)
        h.halfSecond();
    ASSERT_FALSE(h.audio.tones.isEmpty());

    h.clock.advance(61);
    h.alarm.Text2[0].text = QStringLiteral("5");
    h.click([&] { h.alarm.Orr_Click(); });
    EXPECT_EQ(h.alarm.state.alarm.durationSeconds, 0);
    EXPECT_EQ(h.alarm.state.alarm.targetDateTime, 0.0);
    EXPECT_EQ(h.alarm.state.alarmArmed, FlagFalse);
    EXPECT_FALSE(h.audio.sounding);
    EXPECT_EQ(h.alarm.Timer3.interval, 0);
    EXPECT_EQ(h.alarm.Label11.text, QStringLiteral(" Passed "));
    EXPECT_TRUE(h.alarm.Label3.enabled);
    EXPECT_FALSE(h.alarm.Label4.enabled);
    EXPECT_EQ(h.alarm.Text2[0].text + h.alarm.Text2[1].text + h.alarm.Text2[2].text, QStringLiteral("0010"));
    EXPECT_FALSE(h.alarm.Text2[0].enabled);
    EXPECT_TRUE(h.alarm.Text1[0].enabled);
    EXPECT_EQ(h.alarm.Text1[1].text + u':' + h.alarm.Text1[2].text, QStringLiteral("1:3"));

    h.clock.advance(7);
    h.click([&] { h.alarm.Orr_Click(); });
    EXPECT_TRUE(h.alarm.Label4.enabled);
    EXPECT_FALSE(h.alarm.Text1[0].enabled);
    EXPECT_EQ(h.alarm.Text1[1].text + u':' + h.alarm.Text1[2].text, QStringLiteral("1:10"));
    EXPECT_TRUE(h.alarm.Text2[0].enabled);
    EXPECT_EQ(h.alarm.Text2[0].text + h.alarm.Text2[1].text + h.alarm.Text2[2].text, QStringLiteral("0010"));
}

TEST_F(Arming, ATargetOnTheCurrentSecondPassesAndOneSecondEarlierIsRefused)
{
    setTime(9, 0, 0);
    h.dialogs.messageAnswers = {MsgBox::Yes};
    h.click([&] { h.alarm.OK_Click(); });
    ASSERT_EQ(h.dialogs.messages.size(), 1);
    EXPECT_EQ(h.dialogs.messages[0].style, MsgBox::YesNoCancel | MsgBox::Information);
    EXPECT_EQ(h.alarm.state.alarmArmed, FlagTrue);
    EXPECT_EQ(h.alarm.Label10.text, QStringLiteral(" 0 "));

    h.click([&] { h.alarm.Stopp_Click(); });
    h.clock.advance(1);
    h.dialogs.messages.clear();
    h.click([&] { h.alarm.OK_Click(); });
    ASSERT_EQ(h.dialogs.messages.size(), 1);
    EXPECT_EQ(h.dialogs.messages[0].text, PastMessage);
    EXPECT_EQ(h.dialogs.messages[0].style, MsgBox::Critical);
    EXPECT_EQ(h.alarm.state.alarmArmed, FlagFalse);
    EXPECT_EQ(h.alarm.Label10.text, QStringLiteral("0")); // untouched since Stop
    EXPECT_EQ(h.alarm.Timer1.interval, 500);
}

TEST_F(Arming, YesAfterTheTargetPassedIsRefusedAndLeavesTheAlarmUnarmed)
{
    setTime(9, 0, 3);
    h.dialogs.whileOpen = [&] {
        h.clock.advance(10);
        h.dialogs.whileOpen = nullptr;
    };
    h.dialogs.messageAnswers = {MsgBox::Yes};
    h.click([&] { h.alarm.OK_Click(); });
    ASSERT_EQ(h.dialogs.messages.size(), 2);
    EXPECT_EQ(h.dialogs.messages[1].text, PastMessage);
    EXPECT_EQ(h.alarm.state.alarmArmed, FlagFalse);
    EXPECT_EQ(h.alarm.Timer3.interval, 0);
    EXPECT_FALSE(h.alarm.Label8.visible);
    EXPECT_TRUE(h.notifyArea.calls.isEmpty());
    for (int i = 0; i < 10; ++i)
        h.halfSecond();
    EXPECT_TRUE(h.audio.tones.isEmpty());
}

TEST(ArmingRefusals, EntriesThatCannotBeReadAreRefusedWithWhatIsWrong)
{
    struct Case
    {
        const char *name;
        std::function<void(AlarmHarness &)> enter;
        QString message;
    };
    const QString badTime =
        QStringLiteral(" is not a time of day: hours run from 0 to 23, minutes and seconds from 0 to 59.");
    const auto tenOn = [](const char *day, int month, const char *year) {
        return [=](AlarmHarness &h) {
            setTime(h, 10, 0, 0);
            setDate(h, day, month, year);
        };
    };
    const Case cases[] = {
        {"no number", [](AlarmHarness &h) { h.alarm.Text2[0].text = QStringLiteral("abc"); },
         QStringLiteral("The hours of the duration: \"abc\" is not a number.")},
        {"empty", [](AlarmHarness &h) { h.alarm.Text2[2].text = QString(); },
         QStringLiteral("The seconds of the duration: it is empty, and a whole number is needed.")},
        {"duration overflow", [](AlarmHarness &h) { h.alarm.Text2[0].text = QStringLiteral("596524"); },
         QStringLiteral("The duration of 596524 h 0 min 10 s is too long: at most 2147483647 seconds (about 68 years) "
                        "can be set.")},
        {"box overflow", [](AlarmHarness &h) { h.alarm.Text2[1].text = QStringLiteral("99999999999"); },
         QStringLiteral("The minutes of the duration: \"99999999999\" is out of range: whole numbers run from "
                        "-2147483648 to 2147483647.")},
        {"31 February", tenOn("31", 1, "2027"),
         QStringLiteral(
             "The alarm date and time cannot be set: 31 February 2027 does not exist: February 2027 has 28 days.")},
        {"30 February", tenOn("30", 1, "2028"),
         QStringLiteral(
             "The alarm date and time cannot be set: 30 February 2028 does not exist: February 2028 has 29 days.")},
        {"29 February of a common year", tenOn("29", 1, "2027"),
         QStringLiteral(
             "The alarm date and time cannot be set: 29 February 2027 does not exist: February 2027 has 28 days.")},
        {"minute 90", [](AlarmHarness &h) { setTime(h, 10, 90, 0); },
         QStringLiteral("The alarm date and time cannot be set: 10:90:0") + badTime},
        {"hour 24", [](AlarmHarness &h) { setTime(h, 24, 0, 0); },
         QStringLiteral("The alarm date and time cannot be set: 24:0:0") + badTime},
        {"time not a number",
         [](AlarmHarness &h) {
             setTime(h, 10, 0, 0);
             h.alarm.Text1[1].text = QStringLiteral("half");
         },
         QStringLiteral("The minute of the alarm time: \"half\" is not a number.")},
    };
    for (const Case &c : cases) {
        AlarmHarness h{QDateTime(QDate(2026, 12, 7), QTime(9, 0, 0))};
        h.alarm.Form_Load();
        c.enter(h);
        const QString totalBefore = h.alarm.Label10.text;
        h.dialogs.messageAnswers = {MsgBox::Yes};
        h.click([&] { h.alarm.OK_Click(); });
        ASSERT_EQ(h.dialogs.messages.size(), 1) << c.name;
        EXPECT_EQ(h.dialogs.messages[0].text, c.message) << c.name;
        EXPECT_EQ(h.dialogs.messages[0].style, MsgBox::Critical) << c.name;
        EXPECT_EQ(h.alarm.state.alarmArmed, FlagFalse) << c.name;
        EXPECT_EQ(h.alarm.Timer3.interval, 0) << c.name;
        EXPECT_EQ(h.alarm.Label10.text, totalBefore) << c.name;
        EXPECT_TRUE(h.notifyArea.calls.isEmpty()) << c.name;

        // The window stays usable: a good entry arms afterwards.
        if (h.alarm.state.alarm.mode == AlarmMode::DateTime)
            h.click([&] { h.alarm.Orr_Click(); });
        for (TextBox &box : h.alarm.Text2)
            box.text = QStringLiteral("5");
        h.dialogs.messageAnswers = {MsgBox::Yes};
        h.click([&] { h.alarm.OK_Click(); });
        EXPECT_EQ(h.alarm.state.alarmArmed, FlagTrue) << c.name;
    }
}

TEST(ArmingInGerman, TheMonthNameIsReadBackInTheUsersLanguage)
{
    AlarmHarness h{QDateTime(QDate(2026, 12, 7), QTime(9, 0, 0)), QLocale(QLocale::German, QLocale::Germany)};
    h.alarm.Form_Load();
    h.alarm.Orr_Click();
    h.alarm.Text1[2].text = QStringLiteral("4");
    h.dialogs.messageAnswers = {MsgBox::Yes};
    h.click([&] { h.alarm.OK_Click(); });
    ASSERT_EQ(h.dialogs.messages.size(), 1);
    EXPECT_TRUE(h.dialogs.messages[0].text.contains(QStringLiteral("Date & Time :07 Dezember 2026, 09:00:04")));
    EXPECT_EQ(h.alarm.Label8.text, QStringLiteral(" 07.12.26 09:00:04 "));
    while (h.audio.tones.isEmpty() && h.halfSeconds < 60)
        h.halfSecond();
    EXPECT_EQ(h.clock.now().time(), QTime(9, 0, 4));
}

TEST(ArmingInPolish, TheListNamesTheMonthAndTheSummaryPutsItInsideTheDate)
{
    AlarmHarness h{QDateTime(QDate(2026, 12, 7), QTime(9, 0, 0)), QLocale(QLocale::Polish, QLocale::Poland)};
    h.alarm.Form_Load();
    EXPECT_EQ(h.alarm.Combo2[1].items.first(), QStringLiteral("styczeń"));
    EXPECT_EQ(h.alarm.Combo2[1].selectedText(), QStringLiteral("grudzień"));
    EXPECT_EQ(h.alarm.Label16.text, QStringLiteral("07 grudnia 2026"));
    h.alarm.Orr_Click();
    h.alarm.Text1[2].text = QStringLiteral("4");
    h.dialogs.messageAnswers = {MsgBox::Yes};
    h.click([&] { h.alarm.OK_Click(); });
    ASSERT_EQ(h.dialogs.messages.size(), 1);
    EXPECT_TRUE(h.dialogs.messages[0].text.contains(QStringLiteral("Date & Time :07 grudnia 2026, 09:00:04")))
        << h.dialogs.messages[0].text.toStdString();
    EXPECT_EQ(h.alarm.state.alarmArmed, FlagTrue);
}

TEST(ArmingRefusals, ATimeOfDayRefusedIsQuotedAsTyped)
{
    AlarmHarness h{QDateTime(QDate(2026, 12, 7), QTime(9, 0, 0))};
    h.alarm.Form_Load();
    setTime(h, 23, 59, 0);
    h.alarm.Text1[2].text = QStringLiteral(" 59.6");
    h.click([&] { h.alarm.OK_Click(); });
    ASSERT_EQ(h.dialogs.messages.size(), 1);
    EXPECT_EQ(h.dialogs.messages[0].text,
              QStringLiteral(
                  "The alarm date and time cannot be set: 23:59:59.6 is not a time of day: hours run from 0 to 23, "
                  "minutes and seconds from 0 to 59."));
}

TEST_F(Arming, ALongReminderAppearsWholeInTheSummary)
{
    h.alarm.state.alarm.reminderText = QString(3000, u'x') + QStringLiteral(" end");
    h.alarm.Label7.text = u' ' + h.alarm.state.alarm.reminderText + u' ';
    h.dialogs.messageAnswers = {MsgBox::Yes};
    h.click([&] { h.alarm.OK_Click(); });
    ASSERT_EQ(h.dialogs.messages.size(), 1);
    EXPECT_TRUE(h.dialogs.messages[0].text.contains(QStringLiteral("Message :  ") + h.alarm.state.alarm.reminderText
                                                    + u' ' + CrLf));
}

namespace {

// All that makes up an armed alarm, to tell that an attempt left it exactly as it was.
QString armedAlarm(const AlarmHarness &h)
{
    const AlarmState &s = h.alarm.state;
    return QStringList{QString::number(s.alarmArmed), alarmText(s.alarm), QString::number(s.armedAtElapsedMs),
                       h.alarm.trayIcon.tipText, h.alarm.Label10.text, h.alarm.Label11.text, h.alarm.Label8.text,
                       QString::number(h.alarm.Label8.visible), QString::number(h.alarm.Timer3.interval),
                       h.notifyArea.icon ? h.notifyArea.icon->shownTip() : QString(),
                       QString::number(h.notifyArea.calls.size()),
                       // A timer set again starts again: its ticks move to another phase.
                       QString::number(h.alarm.Timer1.settings), QString::number(h.alarm.Timer3.settings)}
        .join(u'|');
}

// A second attempt by the user, while the first alarm is armed, in the mode it was armed in
// (switching the mode would stop it).
using Attempt = std::function<void(AlarmHarness &)>;

void dateAttempt(AlarmHarness &h, int hour, int minute, int second, const char *day = "7")
{
    setDate(h, day, 11, "2026");
    h.alarm.Text1[0].text = QString::number(hour);
    h.alarm.Text1[1].text = QString::number(minute);
    h.alarm.Text1[2].text = QString::number(second);
}

} // namespace

TEST(ArmingWhileArmed, ARefusedDeclinedOrClosedAttemptLeavesTheArmedAlarmAsItWas)
{
    struct Case
    {
        const char *name;
        bool dateMode;
        Attempt attempt;
        std::deque<int> answers;
        int boxSeconds = 0; // how long the summary stays open
    };
    const Attempt thirtySeconds = [](AlarmHarness &h) { h.alarm.Text2[2].text = QStringLiteral("30"); };
    const Attempt halfPastNine = [](AlarmHarness &h) { dateAttempt(h, 9, 30, 0); };
    const Case cases[] = {
        {"No", false, thirtySeconds, {MsgBox::No}},
        {"Cancel", false, thirtySeconds, {MsgBox::Cancel}},
        {"the box closed", false, thirtySeconds, {}},
        {"a box that is no number",
         false,
         [](AlarmHarness &h) { h.alarm.Text2[2].text = QStringLiteral("soon"); },
         {MsgBox::Yes}},
        {"an overflowing duration",
         false,
         [](AlarmHarness &h) { h.alarm.Text2[0].text = QStringLiteral("600000"); },
         {MsgBox::Yes}},
        {"No", true, halfPastNine, {MsgBox::No}},
        {"Cancel", true, halfPastNine, {MsgBox::Cancel}},
        {"the box closed", true, halfPastNine, {}},
        {"a past time", true, [](AlarmHarness &h) { dateAttempt(h, 8, 0, 0); }, {MsgBox::Yes}},
        {"a day that does not exist",
         true,
         [](AlarmHarness &h) {
             dateAttempt(h, 10, 0, 0, "31");
             h.alarm.Combo2[1].listIndex = 10;
         },
         {MsgBox::Yes}},
        {"a time that is no number",
         true,
         [](AlarmHarness &h) { h.alarm.Text1[1].text = QStringLiteral("half"); },
         {MsgBox::Yes}},
        {"Yes after the new target passed", true, [](AlarmHarness &h) { dateAttempt(h, 9, 0, 5); }, {MsgBox::Yes}, 5},
    };
    for (const Case &c : cases) {
        const std::string name = std::string(c.dateMode ? "date alarm, " : "duration alarm, ") + c.name;
        AlarmHarness h{QDateTime(QDate(2026, 12, 7), QTime(9, 0, 0))};
        h.alarm.Form_Load();
        if (c.dateMode)
            h.armDateTime(h.clock.now().addSecs(14));
        else
            h.armDuration(14);
        for (int i = 0; i < 4; ++i)
            h.halfSecond();
        const QString before = armedAlarm(h);

        c.attempt(h);
        h.dialogs.messageAnswers = c.answers;
        h.dialogs.whileOpen = [&h, seconds = c.boxSeconds] {
            h.dialogs.whileOpen = nullptr;
            h.clock.advance(seconds);
        };
        h.click([&] { h.alarm.OK_Click(); });
        h.dialogs.whileOpen = nullptr;
        EXPECT_FALSE(h.dialogs.messages.isEmpty()) << name << ": the attempt showed nothing";
        const QString after = armedAlarm(h);
        EXPECT_EQ(after.section(u'|', 0, 6), before.section(u'|', 0, 6)) << name << ": the alarm's record changed";
        EXPECT_EQ(after.section(u'|', 7), before.section(u'|', 7)) << name << ": its tip, counters or target changed";

        while (h.audio.tones.isEmpty() && h.halfSeconds < 60)
            h.halfSecond();
        EXPECT_EQ(h.clock.now().time(), QTime(9, 0, 14)) << name << ": did not ring at its own second";
    }
}

TEST_F(Arming, YesStartsThePassedSecondsInStepWithTheCountdown)
{
    // Both timers start again at the answer, so at each whole second after it the passed
    // seconds are counted before the countdown reads them, however long the summary was open.
    unsigned passedSettingsWhileOpen = 0;
    h.dialogs.whileOpen = [&] {
        h.dialogs.whileOpen = nullptr;
        passedSettingsWhileOpen = h.alarm.Timer1.settings;
    };
    h.dialogs.messageAnswers = {MsgBox::Yes};
    h.alarm.Text2[2].text = QStringLiteral("8");
    h.click([&] { h.alarm.OK_Click(); });
    ASSERT_EQ(h.alarm.state.alarmArmed, FlagTrue);
    EXPECT_GT(h.alarm.Timer1.settings, passedSettingsWhileOpen)
        << "the passed seconds keep the phase of the click on OK";
    EXPECT_EQ(h.alarm.Timer1.interval, 500);
    EXPECT_EQ(h.alarm.Timer3.interval, 500);
}

TEST_F(Arming, YesToASecondAttemptReplacesTheAlarmCountingFromTheAnswer)
{
    h.armDateTime(h.clock.now().addSecs(100));
    for (int i = 0; i < 6; ++i)
        h.halfSecond();
    ASSERT_EQ(h.alarm.Label11.text, QStringLiteral("3"));
    dateAttempt(h, 9, 1, 3); // 60 s ahead
    QStringList passedBehindTheBox;
    h.dialogs.whileOpen = [&] {
        h.dialogs.whileOpen = nullptr;
        for (int i = 0; i < 4; ++i) {
            h.halfSecond();
            passedBehindTheBox << h.alarm.Label11.text;
        }
    };
    h.dialogs.messageAnswers = {MsgBox::Yes};
    h.click([&] { h.alarm.OK_Click(); });
    EXPECT_EQ(passedBehindTheBox, (QStringList{"3", "4", "4", "5"}))
        << "the armed alarm did not count on behind the box";
    EXPECT_EQ(h.alarm.Label10.text, QStringLiteral(" 58 ")) << "the box's 2 s not counted from the answer";
    EXPECT_EQ(h.alarm.Label11.text, QStringLiteral("0"));
    EXPECT_EQ(h.alarm.Label8.text, QStringLiteral(" 12/7/26 9:01:03 AM "));
    EXPECT_EQ(h.notifyArea.icon->shownTip(),
              QStringLiteral("Alarm Set at: 12/7/26 9:01:03 AM\nRight Click to check status."));
    h.halfSecond();
    EXPECT_EQ(h.alarm.Label6[2].text, QStringLiteral(" 58 ")) << "the seconds to the target";
    while (h.audio.tones.isEmpty() && h.halfSeconds < 200)
        h.halfSecond();
    EXPECT_EQ(h.clock.now().time(), QTime(9, 1, 3));
}

TEST(ArmingRefusals, ATimeTheClocksSkipIsRefusedAndTheRepeatedHourMeansThePassToCome)
{
    AlarmHarness spring{QDateTime(QDate(2026, 3, 29), QTime(1, 0, 0))};
    spring.alarm.Form_Load();
    setTime(spring, 2, 30, 0);
    spring.dialogs.messageAnswers = {MsgBox::Yes};
    spring.click([&] { spring.alarm.OK_Click(); });
    ASSERT_EQ(spring.dialogs.messages.size(), 1);
    EXPECT_EQ(spring.dialogs.messages[0].text,
              QStringLiteral("The alarm time 29 March 2026, 02:30:00 does not exist: the clocks go forward an hour "
                             "then, and skip it."));
    EXPECT_EQ(spring.dialogs.messages[0].style, MsgBox::Critical);
    EXPECT_EQ(spring.alarm.state.alarmArmed, FlagFalse);

    // At 02:10 of the hour's second pass its first 02:30 has gone, its second is still to come;
    // at 03:10 both have gone.
    const auto utc = [](int hour, int minute) {
        return QDateTime::fromSecsSinceEpoch(
            QDateTime(QDate(2026, 10, 25), QTime(hour, minute, 0), Qt::UTC).toSecsSinceEpoch());
    };
    AlarmHarness autumn{utc(1, 10)};
    autumn.alarm.Form_Load();
    ASSERT_EQ(autumn.clock.now().time(), QTime(2, 10, 0));
    setTime(autumn, 2, 30, 0);
    autumn.dialogs.messageAnswers = {MsgBox::Yes};
    autumn.click([&] { autumn.alarm.OK_Click(); });
    ASSERT_EQ(autumn.dialogs.messages.size(), 1);
    EXPECT_TRUE(autumn.dialogs.messages[0].text.startsWith(QStringLiteral("You Selection is ..."))) << "refused";
    EXPECT_EQ(autumn.alarm.state.alarmArmed, FlagTrue);
    EXPECT_EQ(autumn.alarm.state.alarm.targetMoment, utc(1, 30).toSecsSinceEpoch());
    EXPECT_EQ(autumn.alarm.Label10.text, QStringLiteral(" 1200 "));

    // The summary stood open past the first pass: Yes arms the second.
    AlarmHarness slow{utc(0, 0).addSecs(5)};
    slow.alarm.Form_Load();
    setTime(slow, 2, 0, 10);
    slow.dialogs.whileOpen = [&] { slow.clock.advance(10); };
    slow.dialogs.messageAnswers = {MsgBox::Yes};
    slow.click([&] { slow.alarm.OK_Click(); });
    EXPECT_EQ(slow.alarm.state.alarmArmed, FlagTrue) << "refused as past";
    EXPECT_EQ(slow.alarm.state.alarm.targetMoment, utc(1, 0).addSecs(10).toSecsSinceEpoch());

    AlarmHarness after{utc(2, 10)};
    after.alarm.Form_Load();
    ASSERT_EQ(after.clock.now().time(), QTime(3, 10, 0));
    setTime(after, 2, 30, 0);
    after.click([&] { after.alarm.OK_Click(); });
    ASSERT_EQ(after.dialogs.messages.size(), 1);
    EXPECT_EQ(after.dialogs.messages[0].text, PastMessage);
}
