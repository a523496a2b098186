#include "alarm/Alarm.h"

#include "sound/ToneCatalogue.h"

#include <QDateTime>
#include <QStringList>
#include <array>
#include <cmath>
#include <limits>

namespace {

// The text's own name and version: fixed, as it names the format, not the program's title.
const QString Heading = QStringLiteral("Meridane Chimewell alarm 1");
const std::array<QString, 8> Keys = {QStringLiteral("mode"),     QStringLiteral("seconds"),  QStringLiteral("target"),
                                     QStringLiteral("due"),      QStringLiteral("armed-at"), QStringLiteral("tone"),
                                     QStringLiteral("own-file"), QStringLiteral("reminder")};
const QString DurationMode = QStringLiteral("duration");
const QString DateTimeMode = QStringLiteral("date-time");

// One line a value: a backslash, a line break or a carriage return in it is written escaped.
QString escaped(QString value)
{
    return value.replace(u'\\', QStringLiteral("\\\\"))
        .replace(u'\n', QStringLiteral("\\n"))
        .replace(u'\r', QStringLiteral("\\r"));
}

std::optional<QString> unescaped(const QString &value)
{
    QString out;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] != u'\\') {
            out += value[i];
            continue;
        }
        if (++i == value.size())
            return std::nullopt;
        switch (value[i].unicode()) {
        case u'\\': out += u'\\'; break;
        case u'n': out += u'\n'; break;
        case u'r': out += u'\r'; break;
        default: return std::nullopt;
        }
    }
    return out;
}

template<typename Number>
std::optional<Number> whole(const QString &text)
{
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok);
    if (!ok || value < std::numeric_limits<Number>::min() || value > std::numeric_limits<Number>::max())
        return std::nullopt;
    return Number(value);
}

std::optional<FloatDate> floatDate(const QString &text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok && std::isfinite(value) ? std::optional<FloatDate>(value) : std::nullopt;
}

QString timeOfDay(qint64 moment)
{
    return QDateTime::fromSecsSinceEpoch(moment).toString(QStringLiteral("HH:mm:ss"));
}

} // namespace

QString alarmText(const Alarm &alarm)
{
    const std::array<QString, Keys.size()> values = {alarm.mode == AlarmMode::DateTime ? DateTimeMode : DurationMode,
                                                     QString::number(alarm.durationSeconds),
                                                     QString::number(alarm.targetDateTime, 'g', 17),
                                                     QString::number(alarm.targetMoment),
                                                     QString::number(alarm.armedAtMoment),
                                                     QString::number(alarm.toneIndex),
                                                     escaped(alarm.userWavePath),
                                                     escaped(alarm.reminderText)};
    QString text = Heading + u'\n';
    for (size_t i = 0; i < Keys.size(); ++i)
        text += Keys[i] + u' ' + values[i] + u'\n';
    return text;
}

// Every key once, in its order, and nothing else: a line lost or added is damage.
std::optional<Alarm> alarmFromText(const QString &text)
{
    QStringList lines = text.split(u'\n');
    if (lines.size() != qsizetype(Keys.size()) + 2 || lines.first() != Heading || !lines.last().isEmpty())
        return std::nullopt;
    std::array<QString, Keys.size()> values;
    for (size_t i = 0; i < Keys.size(); ++i) {
        const QString &line = lines[qsizetype(i) + 1];
        if (!line.startsWith(Keys[i] + u' '))
            return std::nullopt;
        values[i] = line.mid(Keys[i].size() + 1);
    }
    const auto seconds = whole<qint32>(values[1]);
    const auto target = floatDate(values[2]);
    const auto due = whole<qint64>(values[3]);
    const auto armedAt = whole<qint64>(values[4]);
    const auto tone = whole<qint16>(values[5]);
    const auto ownFile = unescaped(values[6]);
    const auto reminder = unescaped(values[7]);
    const bool known = values[0] == DurationMode || values[0] == DateTimeMode;
    if (!known || !seconds || *seconds < 0 || !target || !due || !armedAt || !tone || *tone < 0
        || *tone >= ToneCatalogue::Count || !ownFile || !reminder)
        return std::nullopt;
    return Alarm{values[0] == DateTimeMode ? AlarmMode::DateTime : AlarmMode::Duration,
                 *seconds,
                 *target,
                 *due,
                 *armedAt,
                 *tone,
                 *ownFile,
                 *reminder};
}

qint64 dueMoment(const Alarm &alarm)
{
    return alarm.mode == AlarmMode::DateTime ? alarm.targetMoment : alarm.armedAtMoment + alarm.durationSeconds;
}

QString alarmAtText(const Alarm &alarm)
{
    return QStringLiteral("Alarm at ") + timeOfDay(dueMoment(alarm));
}

Resumption resumption(const Alarm &kept, qint64 now)
{
    const qint64 late = now - dueMoment(kept);
    if (late <= 0)
        return {};
    return {late <= LatestLateRingSeconds ? Resumption::RingsLate : Resumption::Missed, late};
}

QString lateText(qint64 due, qint64 lateSeconds)
{
    QString ago;
    if (lateSeconds < 120)
        ago = QStringLiteral("%1 seconds ago").arg(lateSeconds);
    else if (lateSeconds < 120 * 60)
        ago = QStringLiteral("%1 minutes ago").arg(lateSeconds / 60);
    else
        ago = QStringLiteral("%1 hours ago").arg(lateSeconds / 3600);
    return QStringLiteral("due %1, %2").arg(timeOfDay(due), ago);
}
