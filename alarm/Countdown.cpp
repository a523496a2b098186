// Counting down, ringing and stopping.
#include "alarm/AlarmMain.h"

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

constexpr qint16 DefaultToneId = 104;

} // namespace

void AlarmMain::Timer1_Timer()
{
    if (state.alarmArmed != FlagTrue)
        return;
    const FloatDate now = FloatDates::fromDateTime(m_services.clock.now());
    Label11.text = QString::number(FloatDates::secondsBetween(state.armedAt, now));
}

void AlarmMain::Timer3_Timer()
{
    bool dateMode = false;
    bool due = false;
    skipOnFailure([&] { dateMode = Label3.enabled; });
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
        if (dateMode) {
            const FloatDate now = FloatDates::fromDateTime(m_services.clock.now());
            due = FloatDates::secondsBetween(now, state.targetDateTime) <= 0;
        } else {
            due = Numbers::leadingNumber(Label6[2].text) <= 0;
        }
    });
    if (!due)
        return;
    if (!m_ringing) {
        m_ringing = true;
        announcement = Label7.text.trimmed();
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
    skipOnFailure([&] { m_services.window.show(); });
}

void AlarmMain::Stopp_Click()
{
    Timer3.interval = 0;
    Timer1.interval = 0;
    m_services.atm.StopSound();
    Label11.text = QStringLiteral(" Passed ");
    Label10.text = QStringLiteral("0");
    Label6[2].text = QStringLiteral(" Remaining ");
    state.alarmArmed = FlagFalse;
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
        m_services.atm.PlayResourceSound(DefaultToneId);
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
