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
    qint64 armedAtMoment = 0;     // the instant it was armed: the summary's Yes, or a snooze
    qint16 toneIndex = 0;
    QString userWavePath;
    QString reminderText;

    bool operator==(const Alarm &) const = default;
};

// How long the ring's notification puts the alarm off for.
constexpr qint32 SnoozeSeconds = 600;

// The instant the alarm is due: its target, or for a duration its answer plus its seconds on the
// wall clock.
qint64 dueMoment(const Alarm &alarm);
QString alarmAtText(const Alarm &alarm); // "Alarm at 15:04:10", local

// How a start takes up an alarm an earlier run kept: counting on towards its own instant,
// ringing at once when it fell due while nothing ran, or, due longer ago than a ring still
// helps, told as missed and left unarmed (a stale alarm must not ring at boot).
struct Resumption
{
    enum Kind { Counting, RingsLate, Missed } kind = Counting;
    qint64 lateSeconds = 0; // how long ago it fell due; 0 while counting
};
constexpr qint64 LatestLateRingSeconds = 15 * 60;
Resumption resumption(const Alarm &kept, qint64 now);

// "due 15:04:10, 42 minutes ago": what a late ring's notification adds.
QString lateText(qint64 due, qint64 lateSeconds);

// The alarm as a few lines of text, versioned, to be kept in a file. Reading refuses a text
// that is damaged, foreign or of another version, rather than guess.
QString alarmText(const Alarm &alarm);
std::optional<Alarm> alarmFromText(const QString &text);
