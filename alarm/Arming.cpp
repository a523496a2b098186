// Arming: the summary, the confirmation, and the hand-over to the countdown and the icon.
#include "alarm/AlarmMain.h"
#include "sound/AudioOut.h"
#include "toolkit/Clock.h"
#include "toolkit/DateText.h"
#include "toolkit/Dialogs.h"

namespace {

const QString CrLf = QStringLiteral("\r\n");

QString tipSecondLine()
{
    return CrLf + QStringLiteral("Right Click to check status.") + QChar(0);
}

bool declined(int answer)
{
    return answer == MsgBox::No || answer == MsgBox::Cancel;
}

} // namespace

// The summary box: the attempt's first lines, then the tone, the reminder and the question.
std::optional<int> AlarmMain::ConfirmAttempt(const QString &summaryHead, bool alreadyArmed,
                                             const std::function<void()> &adopt)
{
    if (!alreadyArmed)
        adopt();
    const QString summary = summaryHead + CrLf + QStringLiteral("Alarm Tone : ") + Label12[state.alarm.toneIndex].text
        + CrLf + QStringLiteral("Message : ") + Label7.text + CrLf + CrLf
        + QStringLiteral("Would you like to go ahead with these selections?");
    const int answer = m_services.dialogs.messageBox(summary, MsgBox::Information | MsgBox::YesNoCancel);
    if (alreadyArmed && declined(answer))
        return std::nullopt;
    return answer;
}

// With an alarm armed, an attempt is worked out aside and only Yes replaces that alarm: a
// refusal, No, Cancel or a closed box leave it exactly as it was, and it rings on behind the
// box. With none armed, the counters are written before the summary and stay whatever the answer.
void AlarmMain::OK_Click()
{
    const bool alreadyArmed = state.alarmArmed == FlagTrue;
    // An armed alarm's passed seconds go on in step with its countdown, whatever this attempt does.
    if (!alreadyArmed)
        Timer1.setInterval(TickMs);
    if (state.alarm.mode == AlarmMode::Duration)
        ArmDuration(alreadyArmed);
    else
        ArmDateTime(alreadyArmed);
    SyncKept();
}

void AlarmMain::ArmDuration(bool alreadyArmed)
{
    const qint32 duration = DurationRule();
    const auto adopt = [&] { AdoptDuration(duration); };
    const std::optional<int> answer =
        ConfirmAttempt(QStringLiteral("Your selection is ...") + CrLf + CrLf + QStringLiteral("Duration : ")
                           + QString::number(duration) + QStringLiteral(" sec"),
                       alreadyArmed, adopt);
    if (!answer)
        return;
    if (alreadyArmed)
        adopt();
    RecordAnswer(*answer);
    if (state.alarmArmed == FlagTrue) {
        FinishDuration();
    }
}

void AlarmMain::ArmDateTime(bool alreadyArmed)
{
    Target target = ValidateTarget();
    if (IsPast(target.moment))
        return;
    const qint64 total = target.moment - m_services.clock.now().toSecsSinceEpoch();
    const std::optional<int> answer =
        ConfirmAttempt(QStringLiteral("You Selection is ...") + CrLf + CrLf + QStringLiteral("Date & Time :")
                           + DateText::dayMonthYearTime(m_services.locale, target.dateTime),
                       alreadyArmed, [&] { AdoptTarget(target, total); });
    if (!answer)
        return;
    // The box stood open past the first pass of a repeated hour: the second may still be to come.
    const bool passedMeanwhile = !declined(*answer) && IsPast(target.moment);
    if (passedMeanwhile)
        target = ComputeTarget();
    if (!declined(*answer) && IsPast(target.moment)) {
        // Yes came after the moment itself: an alarm set for the past is refused, as before the box.
        if (!alreadyArmed) {
            RecordAnswer(*answer);
            state.alarmArmed = FlagFalse;
            Label8.visible = false;
        }
        RefusePastTarget();
        return;
    }
    if (alreadyArmed || passedMeanwhile)
        AdoptTarget(target, total);
    RecordAnswer(*answer);
    if (state.alarmArmed == FlagTrue)
        FinishDateTime();
}

void AlarmMain::AdoptDuration(qint32 duration)
{
    state.alarm.durationSeconds = duration;
    StartCounters(duration);
}

void AlarmMain::AdoptTarget(const Target &target, qint64 total)
{
    state.alarm.targetDateTime = target.dateTime;
    state.alarm.targetMoment = target.moment;
    StartCounters(total);
}

// The remaining seconds keep what the countdown last worked out until its next tick.
void AlarmMain::StartCounters(qint64 total)
{
    state.counters.set = total;
    state.counters.passed = 0;
    ShowCounters();
}

void AlarmMain::RecordAnswer(int answer)
{
    if (declined(answer)) {
        state.alarmArmed = FlagFalse;
    } else {
        state.alarmArmed = FlagTrue;
        // The passed seconds count in step with the countdown, from the answer: started at the
        // click on OK, their tick could fall just before the countdown's at each whole second,
        // and the alarm ring half a second late, depending on how long the summary was open.
        Timer1.setInterval(TickMs);
        ShowReminder();
        EndRing();
        m_services.audio.prepare();
    }
    state.alarm.armedAtMoment = m_services.clock.now().toSecsSinceEpoch();
    state.armedAtElapsedMs = m_services.clock.elapsedMs();
}

void AlarmMain::FinishDateTime()
{
    // The seconds set count from the answer, as the passed ones do: the summary may have stood
    // open a while.
    state.counters.set = state.alarm.targetMoment - state.alarm.armedAtMoment;
    ShowCounters();
    TickOnWholeSeconds();
    const QString target = DateText::defaultText(m_services.locale, state.alarm.targetDateTime);
    trayIcon.tipText = QStringLiteral("Alarm Set at: ") + target + tipSecondLine();
    trayIcon.remove();
    trayIcon.show();
    Label8.visible = true;
    Label8.text = u' ' + target + u' ';
}

void AlarmMain::TickOnWholeSeconds()
{
    // The passed seconds and the countdown tick just after each whole and half second of the
    // wall clock, the countdown after them, so the ring comes a few milliseconds into its target
    // second rather than up to half a second into it.
    const int firstTick = (1000 - m_services.clock.msIntoSecond()) % TickMs + 5;
    Timer1.setInterval(TickMs, firstTick);
    Timer3.setInterval(TickMs, firstTick);
}

void AlarmMain::FinishDuration()
{
    Timer3.setInterval(TickMs);
    trayIcon.tipText = QStringLiteral("Alarm Setting duration : ") + QString::number(state.alarm.durationSeconds)
        + QStringLiteral(" sec") + tipSecondLine();
    trayIcon.remove();
    trayIcon.show();
    Label8.visible = false;
    Label8.text = QString();
}
