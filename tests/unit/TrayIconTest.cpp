#include "AlarmHarness.h"

#include <gtest/gtest.h>

namespace {

struct TrayIconTest : testing::Test
{
    AlarmHarness h{QDateTime(QDate(2026, 12, 7), QTime(9, 0, 0))};
};

const QString durationTip =
    QStringLiteral("Alarm Setting duration : 10 sec\r\nRight Click to check status.") + QChar(0);

} // namespace

TEST_F(TrayIconTest, BlinkingBeforeAnyArmingChangesOnlyTheWindowsIcon)
{
    h.alarm.Timer4_Timer();
    EXPECT_EQ(h.window.currentIcon, WindowIcon::BlinkCyan); // the cyan picture first
    EXPECT_EQ(h.alarm.trayIcon.blinkPhase, FlagTrue);
    h.alarm.Timer4_Timer();
    EXPECT_EQ(h.window.currentIcon, WindowIcon::BlinkRed);
    EXPECT_EQ(h.alarm.trayIcon.blinkPhase, FlagFalse);

    ASSERT_EQ(h.notifyArea.calls.size(), 2);
    for (const auto &call : h.notifyArea.calls) {
        EXPECT_EQ(call.command, NotifyArea::Modify);
        EXPECT_FALSE(call.succeeded);
    }
    EXPECT_FALSE(h.notifyArea.icon.has_value());
}

TEST_F(TrayIconTest, RemovingANeverAddedIconSendsTheUntouchedRecordAndFails)
{
    h.alarm.trayIcon.remove();
    ASSERT_EQ(h.notifyArea.calls.size(), 1);
    EXPECT_FALSE(h.notifyArea.calls[0].succeeded);
    EXPECT_EQ(h.notifyArea.calls[0].record.uFlags, 0u);
    EXPECT_TRUE(h.notifyArea.calls[0].record.szTip.isEmpty());
}

TEST_F(TrayIconTest, AddWritesTheRecordAndTheTipStopsAtItsNul)
{
    h.alarm.trayIcon.tipText = durationTip;
    h.alarm.trayIcon.show();
    ASSERT_TRUE(h.notifyArea.icon.has_value());
    const TrayIconRecord &r = *h.notifyArea.icon;
    EXPECT_EQ(r.hWnd, h.window.handle());
    EXPECT_EQ(r.hIcon, int(WindowIcon::Application));
    ASSERT_EQ(r.szTip.size(), 64);
    EXPECT_EQ(r.szTip, durationTip + QString(64 - durationTip.size(), u' '));
    EXPECT_EQ(r.shownTip(), QStringLiteral("Alarm Setting duration : 10 sec\nRight Click to check status."));
}

TEST_F(TrayIconTest, ALongTipFillsTheFieldWithoutItsTerminator)
{
    // A five-digit duration pushes the tip past 64 characters.
    h.alarm.trayIcon.tipText =
        QStringLiteral("Alarm Setting duration : 36000 sec\r\nRight Click to check status.") + QChar(0);
    h.alarm.trayIcon.show();
    const TrayIconRecord &r = *h.notifyArea.icon;
    EXPECT_EQ(r.szTip, h.alarm.trayIcon.tipText.left(64));
    EXPECT_EQ(r.shownTip(), QStringLiteral("Alarm Setting duration : 36000 sec\nRight Click to check status."));
}

TEST_F(TrayIconTest, BlinksBetweenTheTwoPicturesAndPicksUpANewTip)
{
    h.alarm.trayIcon.tipText = durationTip;
    h.alarm.trayIcon.show();
    QList<int> icons;
    for (int i = 0; i < 4; ++i) {
        h.alarm.Timer4_Timer();
        icons << h.notifyArea.icon->hIcon;
        EXPECT_TRUE(h.notifyArea.calls.last().succeeded);
    }
    EXPECT_EQ(icons,
              (QList<int>{int(WindowIcon::BlinkCyan), int(WindowIcon::BlinkRed), int(WindowIcon::BlinkCyan),
                          int(WindowIcon::BlinkRed)}));

    h.alarm.trayIcon.tipText =
        QStringLiteral("Alarm Set at: 12/7/26 9:00:05 AM\r\nRight Click to check status.") + QChar(0);
    h.alarm.Timer4_Timer();
    EXPECT_EQ(h.notifyArea.icon->shownTip(),
              QStringLiteral("Alarm Set at: 12/7/26 9:00:05 AM\nRight Click to check status."));
}

TEST_F(TrayIconTest, ReArmingReplacesTheIcon)
{
    h.alarm.trayIcon.tipText = durationTip;
    h.alarm.trayIcon.remove();
    h.alarm.trayIcon.show();
    h.alarm.trayIcon.tipText = QStringLiteral("second") + QChar(0);
    h.alarm.trayIcon.remove();
    h.alarm.trayIcon.show();
    ASSERT_EQ(h.notifyArea.calls.size(), 4);
    EXPECT_FALSE(h.notifyArea.calls[0].succeeded);
    EXPECT_TRUE(h.notifyArea.calls[1].succeeded);
    EXPECT_TRUE(h.notifyArea.calls[2].succeeded);
    EXPECT_TRUE(h.notifyArea.calls[3].succeeded);
    EXPECT_EQ(h.notifyArea.icon->shownTip(), QStringLiteral("second"));
}
