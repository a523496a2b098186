#pragma once

#include "alarm/Alarm.h"
#include "toolkit/Controls.h"

#include <QString>
#include <optional>

// What the reminder's label says, and the reminder holds, until a reminder is written (at
// start-up the reminder holds it without the blanks around it).
inline const QString ReminderPlaceholder = QStringLiteral(" Click to write a Reminder message ");

// The counters under the window as numbers: the seconds set, passed and remaining. Their
// captions are drawn from these (AlarmMain::ShowCounters).
struct Counters
{
    qint64 set = 0;
    std::optional<qint64> passed;    // none until an alarm is taken on, and after a Stop
    std::optional<qint64> remaining; // as the countdown's last tick worked it out; none before it, or after a Stop
    // A Stop has cleared them once: from then on their words stand between blanks, and the
    // seconds set show as a bare "0" until the next alarm is taken on.
    bool clearedByStop = false;
};

// The alarm window's record.
struct AlarmState
{
    Alarm alarm;
    Flag16 alarmArmed = FlagFalse;
    // A duration counts real time, which no clock change moves, from the elapsed-time reading at
    // the answer to the summary; a date and time counts the wall clock's instants from the
    // answer (alarm.armedAtMoment) to the instant it is due. One clock per mode, so the counters
    // agree with the ring.
    qint64 armedAtElapsedMs = 0;
    Counters counters;
};
