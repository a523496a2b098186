#pragma once

#include "toolkit/Controls.h"
#include "toolkit/FloatDate.h"
#include "tray/TrayIconRecord.h"

#include <QString>

// The alarm window's record. A durationSeconds of 0 with a targetDateTime of 0 means that no
// alarm time is set.
struct AlarmState
{
    qint32 durationSeconds = 0;
    FloatDate timeOfDay = 0;
    FloatDate targetDateTime = 0;
    FloatDate armedAt = 0;
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
