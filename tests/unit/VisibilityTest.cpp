#include "AlarmHarness.h"

#include <gtest/gtest.h>

namespace {

const QString NotSet = QStringLiteral("Hiding without time set is not allowed.");
const QString NoIcon =
    QStringLiteral("The window cannot be hidden now: there is no icon in the notification area to bring it back.");

struct Visibility : testing::Test
{
    Visibility() { h.alarm.Form_Load(); }

    void arm(int answer = MsgBox::Yes)
    {
        h.dialogs.messageAnswers = {answer};
        h.click([&] { h.alarm.OK_Click(); });
    }
    void iconMessage(int message, double twips = 15.0)
    {
        h.window.twipsPerPixel = twips;
        h.click([&] { h.alarm.Form_MouseMove(0, 0, float(message * twips), 0); });
    }
    QString lastMessage() const { return h.dialogs.messages.isEmpty() ? QString() : h.dialogs.messages.last().text; }

    AlarmHarness h{QDateTime(QDate(2026, 12, 7), QTime(9, 0, 0))};
};

} // namespace

TEST_F(Visibility, HidingNeedsATimeSet)
{
    h.click([&] { h.alarm.ImgHide_Click(); });
    EXPECT_EQ(lastMessage(), NotSet);
    EXPECT_EQ(h.dialogs.messages.last().style, MsgBox::Critical);
    EXPECT_TRUE(h.window.visible);

    arm();
    for (auto hide : {&AlarmMain::ImgHide_Click, &AlarmMain::Label19_Click, &AlarmMain::Image5_Click}) {
        h.window.visible = true;
        h.click([&] { (h.alarm.*hide)(); });
        EXPECT_FALSE(h.window.visible);
        EXPECT_EQ(h.window.state, WindowState::Normal); // hidden by request keeps its state
    }
    EXPECT_EQ(h.dialogs.messages.size(), 2); // the refusal and the summary

    // The toggle clears both criteria: refused until the next arming attempt.
    h.window.visible = true;
    h.click([&] { h.alarm.Orr_Click(); });
    h.click([&] { h.alarm.Orr_Click(); });
    h.click([&] { h.alarm.ImgHide_Click(); });
    EXPECT_EQ(lastMessage(), NotSet);
    EXPECT_TRUE(h.window.visible);
}

TEST_F(Visibility, HidingIsRefusedWhenNoIconCouldBringTheWindowBack)
{
    arm(MsgBox::No); // the criteria are set, but nothing was armed and there is no icon
    h.click([&] { h.alarm.ImgHide_Click(); });
    EXPECT_EQ(lastMessage(), NoIcon);
    EXPECT_TRUE(h.window.visible);

    arm();
    h.notifyArea.present = false; // the desktop lost its notification area
    h.click([&] { h.alarm.ImgHide_Click(); });
    EXPECT_EQ(lastMessage(), NoIcon);
    EXPECT_TRUE(h.window.visible);

    h.notifyArea.present = true;
    h.click([&] { h.alarm.ImgHide_Click(); });
    EXPECT_FALSE(h.window.visible);
}

TEST_F(Visibility, HideWaitsForTheTrayHostsAnswerAndAsksItOnce)
{
    arm();
    h.notifyArea.answers.hold = true;
    for (const bool hostThere : {true, false}) {
        h.window.visible = true;
        h.notifyArea.present = hostThere;
        const qsizetype boxes = h.dialogs.messages.size();
        h.click([&] { h.alarm.ImgHide_Click(); });
        h.click([&] { h.alarm.Image5_Click(); });
        EXPECT_TRUE(h.window.visible) << "hidden before the host answered";
        EXPECT_EQ(h.notifyArea.answers.held.size(), 1) << "a second click asked again";
        h.notifyArea.answers.giveHeld();
        EXPECT_EQ(h.window.visible, !hostThere);
        EXPECT_EQ(h.dialogs.messages.size(), boxes + (hostThere ? 0 : 1));
    }
}

TEST_F(Visibility, ADateAlarmWhoseMomentHasPassedCannotHide)
{
    h.click([&] { h.alarm.Orr_Click(); });
    h.alarm.Text1[2].text = QStringLiteral("2");
    arm();
    h.clock.advance(1);
    h.click([&] { h.alarm.ImgHide_Click(); });
    EXPECT_FALSE(h.window.visible);

    h.window.visible = true;
    h.clock.advance(5);
    h.click([&] { h.alarm.ImgHide_Click(); });
    EXPECT_EQ(lastMessage(), NotSet);
    EXPECT_TRUE(h.window.visible);
}

TEST_F(Visibility, ADurationStaysHideableAfterItsCountdownEnded)
{
    h.alarm.Text2[2].text = QStringLiteral("1");
    arm();
    for (int i = 0; i < 6; ++i)
        h.halfSecond();
    h.click([&] { h.alarm.Stopp_Click(); });
    h.click([&] { h.alarm.ImgHide_Click(); });
    EXPECT_FALSE(h.window.visible);
}

TEST_F(Visibility, DoubleClickOnTheIconTogglesAndMinimizes)
{
    iconMessage(0x203); // shown → hidden by toggle, even with no time set
    EXPECT_FALSE(h.window.visible);
    EXPECT_EQ(h.window.state, WindowState::Minimized);
    iconMessage(0x203);
    EXPECT_TRUE(h.window.visible);
    EXPECT_EQ(h.window.state, WindowState::Normal);

    arm();
    h.click([&] { h.alarm.ImgHide_Click(); }); // hidden by request, normal
    iconMessage(0x203);
    EXPECT_TRUE(h.window.visible);
    EXPECT_EQ(h.window.state, WindowState::Normal);

    // Hidden by the toggle, then brought back by the ring: still minimized.
    iconMessage(0x203);
    h.alarm.state.counters.set = 0;
    h.alarm.Timer3_Timer();
    EXPECT_TRUE(h.window.visible);
    EXPECT_EQ(h.window.state, WindowState::Minimized);
}

TEST_F(Visibility, TheMessageNumberIsReadThroughTheScreensTwipsPerPixel)
{
    iconMessage(0x203, 12.0); // 120 dpi
    EXPECT_FALSE(h.window.visible);
    for (int other : {0x200, 0x201, 0x202, 0x205, 0x206, 0x207, 514, 517})
        iconMessage(other);
    EXPECT_FALSE(h.window.visible);
    EXPECT_TRUE(h.window.menus.isEmpty());

    // Halves round to the even neighbour: 515.5 is 516, 514.5 is 514.
    h.click([&] { h.alarm.Form_MouseMove(0, 0, float(515.5 * 15), 0); });
    EXPECT_EQ(h.window.menus.size(), 1);
    h.click([&] { h.alarm.Form_MouseMove(0, 0, float(514.5 * 15), 0); });
    EXPECT_EQ(h.window.menus.size(), 1);
    EXPECT_FALSE(h.window.visible);
}

TEST_F(Visibility, TheRightButtonPopsUpTheMenuAndItsItemsAct)
{
    iconMessage(0x204);
    ASSERT_EQ(h.window.menus.size(), 1);
    EXPECT_EQ(h.window.menus[0],
              (QStringList{QStringLiteral("*Show/ Hide Alarm Screen"), QStringLiteral("-"),
                           QStringLiteral("Close the Alarm Program")}));
    EXPECT_TRUE(h.window.visible) << "the menu acted before a choice";

    // The choice comes later, as its own event.
    for (int separatorOrNothing : {1, -1}) {
        h.click([&] { h.alarm.PopupItem_Click(separatorOrNothing); });
        EXPECT_TRUE(h.window.visible);
        EXPECT_FALSE(h.window.ended);
    }
    h.click([&] { h.alarm.PopupItem_Click(0); });
    EXPECT_FALSE(h.window.visible);
    EXPECT_EQ(h.window.state, WindowState::Minimized);
    h.click([&] { h.alarm.PopupItem_Click(0); });
    EXPECT_TRUE(h.window.visible);
    EXPECT_FALSE(h.window.ended);

    arm();
    h.window.hide();
    iconMessage(0x204);
    h.click([&] { h.alarm.PopupItem_Click(2); });
    EXPECT_TRUE(h.window.ended);
    EXPECT_FALSE(h.notifyArea.icon.has_value());
    EXPECT_EQ(h.notifyArea.calls.last().command, NotifyArea::Delete);
    EXPECT_TRUE(h.notifyArea.calls.last().succeeded);
}

TEST_F(Visibility, EachExitRemovesTheIconThenEndsTheProgram)
{
    for (auto exit : {&AlarmMain::Exitz_Click, &AlarmMain::Label20_Click, &AlarmMain::Picture1_Click,
                      &AlarmMain::ExitAlarm_Click}) {
        AlarmHarness fresh{QDateTime(QDate(2026, 12, 7), QTime(9, 0, 0))};
        fresh.alarm.Form_Load();
        fresh.dialogs.messageAnswers = {MsgBox::Yes};
        fresh.click([&] { fresh.alarm.OK_Click(); });
        ASSERT_TRUE(fresh.notifyArea.icon.has_value());
        fresh.click([&] { (fresh.alarm.*exit)(); });
        EXPECT_TRUE(fresh.window.ended);
        EXPECT_FALSE(fresh.notifyArea.icon.has_value());
    }

    // Before any arming the delete finds nothing; the program still ends.
    h.click([&] { h.alarm.Exitz_Click(); });
    EXPECT_TRUE(h.window.ended);
    EXPECT_FALSE(h.notifyArea.calls.last().succeeded);
}

TEST_F(Visibility, TerminatingRemovesTheIcon)
{
    arm();
    h.alarm.Form_Terminate();
    EXPECT_FALSE(h.notifyArea.icon.has_value());
    EXPECT_FALSE(h.window.ended);
}

TEST_F(Visibility, TheToggleBringsAMinimizedWindowOnScreenAndReadsTheWindowManagersState)
{
    using Showing = WindowHost::Showing;
    arm();
    iconMessage(0x203); // hidden by the toggle: minimized
    h.alarm.state.counters.set = 0;
    h.alarm.Timer3_Timer(); // the ring shows it, still minimized: out of sight
    ASSERT_TRUE(h.window.visible);
    ASSERT_EQ(h.window.state, WindowState::Minimized);
    for (auto toggle : {&AlarmMain::ToggleAlarmWindow, &AlarmMain::MenuVisible_Click}) {
        h.window.state = WindowState::Minimized;
        h.window.showings.clear();
        h.click([&] { (h.alarm.*toggle)(); });
        EXPECT_TRUE(h.window.visible);
        EXPECT_EQ(h.window.state, WindowState::Normal);
        EXPECT_EQ(h.window.showings, QList<Showing>{Showing::Activate}) << "on screen, with the focus";
    }
    iconMessage(0x203); // shown normal: hidden again, as always
    EXPECT_FALSE(h.window.visible);
    EXPECT_EQ(h.window.state, WindowState::Minimized);

    // The window manager restores the minimized window behind our back: a later Hide request
    // hides a normal window, and the ring brings it back normal.
    h.alarm.Timer3_Timer();
    h.window.state = WindowState::Normal;
    h.click([&] { h.alarm.Stopp_Click(); });
    arm();
    h.click([&] { h.alarm.ImgHide_Click(); });
    ASSERT_FALSE(h.window.visible);
    h.alarm.state.counters.set = 0;
    h.alarm.Timer3_Timer();
    EXPECT_TRUE(h.window.visible);
    EXPECT_EQ(h.window.state, WindowState::Normal);
}
