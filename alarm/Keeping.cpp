// The armed alarm across an end the user did not choose, and across sleep: kept for the next
// start, automatic suspend held off, taken up again at a start or a wake.
#include "alarm/AlarmMain.h"

#include "alarm/AlarmKeeper.h"
#include "alarm/RingNotice.h"
#include "sound/AudioOut.h"
#include "toolkit/Clock.h"
#include "toolkit/DateText.h"
#include "toolkit/SuspendHold.h"

void AlarmMain::SyncKept()
{
    if (state.alarmArmed == FlagTrue) {
        if (m_kept == state.alarm)
            return;
        m_kept = state.alarm;
        m_services.keeper.keep(state.alarm);
        const QString reminder = WrittenReminder(state.alarm);
        const QString due = alarmAtText(state.alarm);
        m_services.suspendHold.hold(reminder.isEmpty() ? due : due + QStringLiteral(": ") + reminder);
    } else if (m_kept) {
        m_kept.reset();
        m_services.keeper.forget();
        m_services.suspendHold.release();
    }
}

void AlarmMain::RestoreAlarm(const Alarm &kept)
{
    // Armed since the start: the user's alarm stands, and has replaced the kept one.
    if (state.alarmArmed == FlagTrue)
        return;
    const qint64 now = m_services.clock.now().toSecsSinceEpoch();
    if (resumption(kept, now).kind == Resumption::Missed) {
        const QDateTime due = QDateTime::fromSecsSinceEpoch(dueMoment(kept));
        m_services.ringNotice.tellMissed(RingNoticeText(kept),
                                         DateText::dayMonthYearTime(m_services.locale, FloatDates::fromDateTime(due)));
        m_services.keeper.forget();
        return;
    }
    state.alarm = kept;
    ShowMode();
    ShowCriteria();
    ShowReminder();
    ++m_toneChoices; // a file's check still out answers for a choice the kept alarm replaced
    MarkTone(kept.toneIndex);
    // Counting on as if the program had never stopped: from the answer, by the wall clock.
    state.alarmArmed = FlagTrue;
    // Its seconds count from the start of the answer's second, in step with the wall clock.
    state.armedAtElapsedMs =
        m_services.clock.elapsedMs() - (now - kept.armedAtMoment) * 1000 - m_services.clock.msIntoSecond();
    state.counters = Counters{kept.durationSeconds, now - kept.armedAtMoment, std::nullopt, false};
    m_services.audio.prepare();
    if (kept.mode == AlarmMode::DateTime) {
        FinishDateTime(); // its seconds set count from the answer to the target
    } else {
        ShowCounters();
        FinishDuration();
        TickOnWholeSeconds();
    }
    SyncKept();
}

void AlarmMain::Woken()
{
    // The ticks' timers count no time while the machine sleeps: without this, the ring would
    // wait for the next tick after the wake.
    Timer1_Timer();
    Timer3_Timer();
}

void AlarmMain::Form_Unload()
{
    if (std::exchange(m_kept, std::nullopt))
        m_services.keeper.forget();
}
