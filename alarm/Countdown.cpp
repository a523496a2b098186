// Counting down, ringing and stopping.
#include "alarm/AlarmMain.h"

#include "alarm/RingNotice.h"
#include "sound/ToneCatalogue.h"
#include "sound/modATM.h"
#include "toolkit/Clock.h"
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
    if (Label3.enabled)
        Label11.text = QString::number(m_services.clock.now().toSecsSinceEpoch() - state.armedAtMoment);
    else
        Label11.text = QString::number((m_services.clock.elapsedMs() - state.armedAtElapsedMs) / 1000);
}

void AlarmMain::Timer3_Timer()
{
    bool due = false;
    skipOnFailure([&] {
        if (state.alarmArmed == FlagTrue) {
            const double remaining = Numbers::leadingNumber(Label10.text) - Numbers::leadingNumber(Label11.text);
            Label6[2].text = u' ' + Numbers::numberText(remaining) + u' ';
        }
    });
    skipOnFailure([&] {
        // Only an armed alarm rings: a declined one must stay silent even though the timer runs.
        if (state.alarmArmed != FlagTrue)
            return;
        // In either mode the remaining seconds count by the alarm's own clock, so it rings when
        // they say so: a date alarm also when the wall clock is set forward past its target.
        due = Numbers::leadingNumber(Label6[2].text) <= 0;
    });
    if (!due)
        return;
    const bool ringStarts = !m_ringing;
    if (ringStarts) {
        m_ringing = true;
        skipOnFailure([&] { m_services.window.announce(Label7.text.trimmed()); });
        // Once an alarm, before an own file's play holds the tick: a window out of sight, or
        // sound the user cannot hear, still reaches them.
        skipOnFailure([&] { m_services.ringNotice.post(RingNoticeText()); });
    }
    skipOnFailure([&] {
        if (state.toneIndex == ToneCatalogue::OwnFile)
            PlayWaveAndFlash(WhenUnplayable::DefaultTone);
        else
            PlayToneAndFlash();
    });
    // Stopped during the own file's play: nothing more of this ring.
    if (!m_ringing)
        return;
    // Marked for attention when the ring starts; the keyboard stays with whatever the user types into.
    skipOnFailure([&] { m_services.window.show(ringStarts ? WindowHost::Showing::Alert : WindowHost::Showing::Reveal); });
}

QString AlarmMain::RingNoticeText() const
{
    if (state.reminderText.trimmed() != ReminderPlaceholder.trimmed())
        return state.reminderText;
    // No reminder written: the click-to-write hint would mean nothing in a notification.
    const qint64 due = state.targetMoment != 0 ? state.targetMoment : state.armedAtMoment + state.durationSeconds;
    return QStringLiteral("Alarm at %1").arg(QDateTime::fromSecsSinceEpoch(due).toString(QStringLiteral("HH:mm:ss")));
}

void AlarmMain::Stopp_Click()
{
    Timer3.setInterval(0);
    Timer1.setInterval(0);
    m_services.atm.StopSound();
    Label11.text = QStringLiteral(" Passed ");
    Label10.text = QStringLiteral("0");
    Label6[2].text = QStringLiteral(" Remaining ");
    state.alarmArmed = FlagFalse;
    EndRing();
}

void AlarmMain::EndRing()
{
    if (m_ringing)
        m_services.ringNotice.withdraw();
    m_ringing = false;
}

void AlarmMain::PlayToneAndFlash()
{
    m_services.atm.PlayResourceSound(ToneCatalogue::resourceId(state.toneIndex));
    FlashReminder();
}

void AlarmMain::PlayWaveAndFlash(WhenUnplayable fallback)
{
    const bool ringing = m_ringing;
    const bool played = PlayWave(state.userWavePath);
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
