#pragma once

#include "toolkit/Controls.h"
#include "toolkit/FloatDate.h"
#include "tray/TrayIconRecord.h"

#include <QString>

// What the reminder's label says, and the reminder holds, until a reminder is written (at
// start-up the reminder holds it without the blanks around it).
inline const QString ReminderPlaceholder = QStringLiteral(" Click to write a Reminder message ");

// The alarm window's record. A durationSeconds of 0 with a targetDateTime of 0 means that no
// alarm time is set.
struct AlarmState
{
    qint32 durationSeconds = 0;
    FloatDate timeOfDay = 0;
    FloatDate targetDateTime = 0;
    FloatDate armedAt = 0; // kept as the record has it; the counters use the two readings below
    QString reminderText;
    Flag16 alarmArmed = FlagFalse;
    qint16 toneIndex = 0;
    QString userWavePath;
    QString trayTipText;
    Flag16 trayBlinkPhase = FlagFalse;
    TrayIconRecord trayIcon;

    // One clock per mode, so the counters agree with the ring. A duration counts real time, which
    // no clock change moves, from the elapsed-time reading at the answer to the summary; a date
    // and time counts the wall clock's instants (seconds since 1970 UTC), from the answer to the
    // instant it is due.
    qint64 armedAtElapsedMs = 0;
    qint64 armedAtMoment = 0;
    qint64 targetMoment = 0;
};
