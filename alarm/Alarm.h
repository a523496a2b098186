#pragma once

#include "toolkit/FloatDate.h"

#include <QString>
#include <optional>

enum class AlarmMode { Duration, DateTime };

// The alarm the window holds: what rings, when, and from what moment its counters count; the
// mode's look is drawn from it. A durationSeconds of 0 with a targetDateTime of 0 means that no
// alarm time is set.
struct Alarm
{
    AlarmMode mode = AlarmMode::Duration;
    qint32 durationSeconds = 0;
    FloatDate targetDateTime = 0; // the target as the lists and boxes gave it, local wall clock
    qint64 targetMoment = 0;      // the instant it is due (seconds since 1970 UTC); 0 in a duration
    qint64 armedAtMoment = 0;     // the instant of the answer to the summary
    qint16 toneIndex = 0;
    QString userWavePath;
    QString reminderText;

    bool operator==(const Alarm &) const = default;
};

// The alarm as a few lines of text, versioned, to be kept in a file. Reading refuses a text
// that is damaged, foreign or of another version, rather than guess.
QString alarmText(const Alarm &alarm);
std::optional<Alarm> alarmFromText(const QString &text);
