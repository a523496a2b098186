// Counting down, ringing and stopping.
#include "alarm/AlarmMain.h"

#include "alarm/RingNotice.h"
#include "sound/ToneCatalogue.h"
#include "sound/modATM.h"
#include "toolkit/Clock.h"
#include "toolkit/Dialogs.h"
#include "toolkit/Numbers.h"
#include "toolkit/WindowHost.h"

namespace {

// The countdown's tick goes on past a step that fails: each step stands alone.
template<typename Step>
void skipOnFailure(Step &&step)
{
    try {
        step();
    } catch (...) {
    }
}

} // namespace

void AlarmMain::Timer1_Timer()
{
    if (state.alarmArmed != FlagTrue)
        return;
    // A duration counts real seconds, which a daylight-saving change or a clock set by hand
    // leaves alone; a date and time counts by the wall clock, which is what reaches its target.
    if (state.alarm.mode == AlarmMode::DateTime)
        state.counters.passed = m_services.clock.now().toSecsSinceEpoch() - state.alarm.armedAtMoment;
    else
        state.counters.passed = (m_services.clock.elapsedMs() - state.armedAtElapsedMs) / 1000;
    ShowCounters();
}

void AlarmMain::ShowCounters()
{
    const Counters &c = state.counters;
    const auto word = [&c](const char *text) {
        return c.clearedByStop ? u' ' + QString::fromLatin1(text) + u' ' : QString::fromLatin1(text);
    };
    Label10.text = c.clearedByStop && !c.passed ? QStringLiteral("0") : u' ' + QString::number(c.set) + u' ';
    Label11.text = c.passed ? QString::number(*c.passed) : word("Passed");
    Label6[2].text = c.remaining ? u' ' + Numbers::numberText(double(*c.remaining)) + u' ' : word("Remaining");
}

void AlarmMain::Timer3_Timer()
{
    // Only an armed alarm rings: a declined one must stay silent even though the timer runs.
    if (state.alarmArmed != FlagTrue)
        return;
    // In either mode the remaining seconds count by the alarm's own clock, so it rings when
    // they say so: a date alarm also when the wall clock is set forward past its target.
    state.counters.remaining = state.counters.set - state.counters.passed.value_or(0);
    ShowCounters();
    if (*state.counters.remaining > 0)
        return;
    const bool ringStarts = !m_ringing;
    if (ringStarts) {
        m_ringing = true;
        skipOnFailure([&] { m_services.window.announce(Label7.text.trimmed()); });
        // Once an alarm, before an own file's play holds the tick: a window out of sight, or
        // sound the user cannot hear, still reaches them.
        // Late (the machine slept through it, or nothing ran): the notification says by how much.
        const qint64 late = -*state.counters.remaining;
        QString text = RingNoticeText(state.alarm);
        if (late >= 2)
            text += u'\n' + lateText(m_services.clock.now().toSecsSinceEpoch() - late, late);
        skipOnFailure([&] { m_services.ringNotice.post(text); });
    }
    skipOnFailure([&] {
        if (state.alarm.toneIndex == ToneCatalogue::OwnFile)
            PlayWaveAndFlash(WhenUnplayable::DefaultTone);
        else
            PlayToneAndFlash();
    });
    // Stopped during the own file's play: nothing more of this ring.
    if (!m_ringing)
        return;
    // Marked for attention when the ring starts; the keyboard stays with whatever the user types into.
    skipOnFailure(
        [&] { m_services.window.show(ringStarts ? WindowHost::Showing::Alert : WindowHost::Showing::Reveal); });
}

QString AlarmMain::WrittenReminder(const Alarm &alarm)
{
    const QString reminder = alarm.reminderText.trimmed();
    return reminder == ReminderPlaceholder.trimmed() ? QString() : reminder;
}

QString AlarmMain::RingNoticeText(const Alarm &alarm)
{
    if (!WrittenReminder(alarm).isEmpty())
        return alarm.reminderText;
    // No reminder written: the click-to-write hint would mean nothing in a notification.
    return alarmAtText(alarm);
}

void AlarmMain::Stopp_Click()
{
    StopRing();
    SyncKept();
}

void AlarmMain::StopRing()
{
    Timer3.setInterval(0);
    Timer1.setInterval(0);
    m_services.atm.StopSound();
    state.counters = Counters{0, std::nullopt, std::nullopt, true};
    ShowCounters();
    state.alarmArmed = FlagFalse;
    EndRing();
}

void AlarmMain::SnoozeRing()
{
    StopRing();
    state.alarm.mode = AlarmMode::Duration;
    ShowMode();
    AdoptDuration(SnoozeSeconds);
    ShowCriteria(); // the duration boxes say what counts
    RecordAnswer(MsgBox::Yes);
    FinishDuration();
    SyncKept();
}

void AlarmMain::EndRing()
{
    if (m_ringing)
        m_services.ringNotice.withdraw();
    m_ringing = false;
}

void AlarmMain::PlayToneAndFlash()
{
    m_services.atm.PlayResourceSound(ToneCatalogue::resourceId(state.alarm.toneIndex));
    FlashReminder();
}

void AlarmMain::PlayWaveAndFlash(WhenUnplayable fallback)
{
    const bool ringing = m_ringing;
    const bool played =
        PlayWave(m_services.audio, m_services.clock, state.alarm.userWavePath, m_services.waitWhilePlaying);
    // Stopped while the file played: the ring step ends there, with no flash after the Stop.
    if (ringing && !m_ringing)
        return;
    if (!played && fallback == WhenUnplayable::DefaultTone)
        m_services.atm.PlayResourceSound(ToneCatalogue::resourceId(ToneCatalogue::DefaultTone));
    FlashReminder();
}

void AlarmMain::FlashReminder()
{
    if (Label7.backColor == Colors::Black) {
        Label7.backColor = Colors::White;
        Label7.foreColor = Colors::Black;
    } else {
        Label7.backColor = Colors::Black;
        Label7.foreColor = Colors::White;
    }
}
