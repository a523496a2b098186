// A week of use in fast motion: hundreds of armings in both modes, declines, refusals, mode
// switches, tone and reminder changes, and thousands of ringing ticks, with the state checked
// after every step and nothing allowed to pile up.
#include "AlarmHarness.h"

#include <gtest/gtest.h>
#include <random>

namespace {

struct Week
{
    Week() { h.alarm.Form_Load(); }

    void checkState(int step)
    {
        const AlarmMain &a = h.alarm;
        ASSERT_NE(a.Label3.enabled, a.Label4.enabled) << step;
        // An armed alarm always counts down, and the passed seconds with it.
        if (a.state.alarmArmed == FlagTrue) {
            ASSERT_EQ(a.Timer3.interval, 500) << step;
            ASSERT_EQ(a.Timer1.interval, 500) << step;
        }
        int bold = 0;
        for (const Label &tone : a.Label12)
            bold += tone.bold;
        ASSERT_EQ(bold, 1) << step;
        ASSERT_TRUE(a.Label12[a.state.alarm.toneIndex].bold) << step;
        // Nothing piles up: the tone buffer holds exactly the last tone started, one whole wave
        // resource, each icon added went after the one before it, the reminder label holds one
        // reminder.
        if (!h.audio.tones.isEmpty())
            lastTone = h.audio.tones.last();
        ASSERT_EQ(h.atm.soundBytes, lastTone) << step;
        ASSERT_TRUE(lastTone.isEmpty() || builtInTones.contains(lastTone)) << "not one whole tone, step " << step;
        for (const FakeNotifyArea::Call &call : h.notifyArea.calls) {
            if (call.succeeded)
                iconsAdded += call.command == NotifyArea::Add ? 1 : call.command == NotifyArea::Delete ? -1 : 0;
            ASSERT_TRUE(iconsAdded == 0 || iconsAdded == 1) << step;
        }
        ASSERT_EQ(iconsAdded, h.notifyArea.icon.has_value() ? 1 : 0) << step;
        ASSERT_LE(a.Label7.text.size(), 40) << step;
        // The fakes' own logs are the test's, not the program's: let them go.
        h.audio.tones.clear();
        h.audio.files.clear();
        h.dialogs.messages.clear();
        h.notifyArea.calls.clear();
    }

    // Runs the countdown's ticks; the ticks that rang, each judged by its tone and its flash.
    int ring(int ticks)
    {
        int rang = 0;
        for (int i = 0; i < ticks; ++i) {
            const ColorValue before = h.alarm.Label7.backColor;
            h.halfSecond();
            if (h.alarm.state.alarmArmed == FlagTrue && !h.audio.tones.isEmpty()) {
                EXPECT_NE(h.alarm.Label7.backColor, before) << "the flash stopped alternating";
                ++ringingTicks;
                ++rang;
                lastTone = h.audio.tones.last();
            }
            h.audio.tones.clear();
        }
        return rang;
    }

    AlarmHarness h{QDateTime(QDate(2026, 12, 7), QTime(0, 0, 0))};
    int ringingTicks = 0;
    int iconsAdded = 0;
    QByteArray lastTone;
    const QList<QByteArray> builtInTones = [] {
        QList<QByteArray> tones;
        for (int tone = 0; tone < ToneCatalogue::OwnFile; ++tone)
            tones << EmbeddedResources().load(ToneCatalogue::resourceId(tone), QStringLiteral("WAVE"));
        return tones;
    }();
};

} // namespace

TEST(Soak, AWeekOfUseLeavesTheWindowAsItShouldBe)
{
    Week w;
    AlarmHarness &h = w.h;
    std::mt19937 random(20261208);
    const QDateTime end = h.clock.now().addDays(7);
    int armed = 0, rung = 0, refused = 0;
    for (int step = 0; h.clock.now() < end; ++step) {
        switch (random() % 8) {
        case 0: // a duration alarm, accepted, that rings for a while and is stopped
            if (h.alarm.state.alarm.mode == AlarmMode::DateTime)
                h.click([&] { h.alarm.Orr_Click(); });
            h.alarm.Text2[2].text = QString::number(random() % 5);
            h.dialogs.messageAnswers = {MsgBox::Yes};
            h.click([&] { h.alarm.OK_Click(); });
            ASSERT_EQ(h.alarm.state.alarmArmed, FlagTrue) << step;
            ++armed;
            // At most 4 s, with at least 10 s of ticks: it must have rung.
            ASSERT_GT(w.ring(int(20 + random() % 200)), 0) << step;
            ++rung;
            h.click([&] { h.alarm.Stopp_Click(); });
            ASSERT_EQ(h.alarm.state.alarmArmed, FlagFalse);
            break;
        case 1: // declined or cancelled
            h.dialogs.messageAnswers = {random() % 2 ? MsgBox::No : MsgBox::Cancel};
            h.click([&] { h.alarm.OK_Click(); });
            ASSERT_EQ(h.alarm.state.alarmArmed, FlagFalse);
            w.ring(10);
            break;
        case 2: { // a date-and-time alarm a little ahead
            if (h.alarm.state.alarm.mode == AlarmMode::Duration)
                h.click([&] { h.alarm.Orr_Click(); });
            const QTime at = h.clock.now().time().addSecs(int(1 + random() % 20));
            if (at < h.clock.now().time())
                break; // across midnight the lists would need another day
            h.alarm.Combo2[0].selectText(QString::number(h.clock.now().date().day()));
            h.alarm.Combo2[1].listIndex = h.clock.now().date().month() - 1;
            h.alarm.Combo2[2].selectText(QString::number(h.clock.now().date().year()));
            h.alarm.Text1[0].text = QString::number(at.hour());
            h.alarm.Text1[1].text = QString::number(at.minute());
            h.alarm.Text1[2].text = QString::number(at.second());
            h.dialogs.messageAnswers = {MsgBox::Yes};
            h.click([&] { h.alarm.OK_Click(); });
            ASSERT_EQ(h.alarm.state.alarmArmed, FlagTrue) << step;
            ++armed;
            ASSERT_GT(w.ring(60), 0) << "a target at most 20 s ahead did not ring in 30 s, step " << step;
            ++rung;
            h.click([&] { h.alarm.Stopp_Click(); });
            break;
        }
        case 3: // an entry that cannot be read
            h.alarm.Text2[1].text = QStringLiteral("soon");
            if (h.alarm.state.alarm.mode == AlarmMode::DateTime)
                h.alarm.Text1[1].text = QStringLiteral("soon");
            h.click([&] { h.alarm.OK_Click(); });
            ASSERT_EQ(h.dialogs.messages.size(), 1) << step;
            ASSERT_EQ(h.dialogs.messages[0].style, MsgBox::Critical) << step;
            h.alarm.Text2[1].text = QStringLiteral("0");
            h.alarm.Text1[1].text = QString::number(h.clock.now().time().minute());
            ++refused;
            break;
        case 4: h.click([&] { h.alarm.Orr_Click(); }); break;
        case 5: h.click([&] { h.alarm.Label12_Click(int(random() % ToneCatalogue::OwnFile)); }); break;
        case 6:
            h.dialogs.inputAnswers = {random() % 3 ? std::optional<QString>(QStringLiteral("tea & <b>cake</b>"))
                                                   : std::optional<QString>()};
            h.click([&] { h.alarm.Label7_Click(); });
            break;
        case 7: // the machine sits idle for a while, the clock and the blink going on
            for (int i = 0; i < 20; ++i) {
                h.alarm.Timer2_Timer();
                h.alarm.Timer4_Timer();
            }
            h.clock.advance(qint64(random() % 7200));
            break;
        }
        w.checkState(step);
        if (HasFatalFailure())
            return;
    }
    RecordProperty("armings", armed);
    RecordProperty("ringing_ticks", w.ringingTicks);
    std::printf("a week: %d armings, %d refusals, %d ringing ticks\n", armed, refused, w.ringingTicks);
    EXPECT_GT(w.ringingTicks, 10000);
    EXPECT_GT(armed, 300);
    EXPECT_GT(refused, 100);
    EXPECT_GT(rung, 300);
}
