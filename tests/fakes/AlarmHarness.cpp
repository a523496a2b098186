#include "AlarmHarness.h"

AlarmHarness::AlarmHarness(QDateTime start, QLocale locale)
    : clock(std::move(start))
    , alarm({clock, dialogs, window, audio, atm, notifyArea, QStringLiteral("/opt/meridane"), [this] { ++infoRequests; }, std::move(locale)})
{
}

void AlarmHarness::armDuration(int seconds)
{
    alarm.Timer1.interval = 500;
    alarm.state.durationSeconds = seconds;
    alarm.Label10.text = u' ' + QString::number(seconds) + u' ';
    alarm.Label11.text = QStringLiteral("0");
    alarm.state.alarmArmed = FlagTrue;
    alarm.state.armedAt = FloatDates::fromDateTime(clock.now());
    alarm.Timer3.interval = 500;
}

void AlarmHarness::armDateTime(const QDateTime &target)
{
    alarm.Label3.enabled = true;
    alarm.Label4.enabled = false;
    alarm.state.targetDateTime = FloatDates::fromDateTime(target);
    alarm.Timer1.interval = 500;
    alarm.Label10.text = u' ' + QString::number(clock.now().secsTo(target)) + u' ';
    alarm.Label11.text = QStringLiteral("0");
    alarm.state.alarmArmed = FlagTrue;
    alarm.state.armedAt = FloatDates::fromDateTime(clock.now());
    alarm.Timer3.interval = 500;
}

void AlarmHarness::halfSecond()
{
    halfSeconds += 1;
    if (halfSeconds % 2 == 0)
        clock.advance(1);
    if (alarm.Timer1.interval > 0)
        alarm.Timer1_Timer();
    if (alarm.Timer3.interval > 0)
        alarm.Timer3_Timer();
}

void AlarmHarness::click(const std::function<void()> &handler)
{
    dispatcher.run(Dispatcher::Kind::UserEvent, handler);
}
