#include "toolkit/FloatDate.h"

#include "toolkit/UserError.h"

#include <algorithm>
#include <cmath>

namespace FloatDates {

namespace {

    constexpr qint64 secondsPerDay = 86400;

    const QDate &dayZero()
    {
        static const QDate zero(1899, 12, 30);
        return zero;
    }

    void checkRange(FloatDate value)
    {
        // 1 January 100 is day -657434; before day zero the time of day makes a value more negative,
        // so that day's last second lies just above -657435.
        if (!std::isfinite(value) || value <= -657435.0 || value >= 2958466.0)
            throw UserError(QStringLiteral("The date lies outside the years 100 to 9999."));
    }

    // Splits a value into its calendar day (counted toward zero) and the second of that day.
    void split(FloatDate value, qint64 &day, qint64 &second)
    {
        checkRange(value);
        const double days = std::trunc(value);
        day = static_cast<qint64>(days);
        second = std::llround(std::fabs(value - days) * secondsPerDay);
        if (second >= secondsPerDay) {
            // A fraction that rounds up to a whole day is midnight of the next calendar day.
            second -= secondsPerDay;
            day += 1;
        }
    }

} // namespace

FloatDate fromDateTime(const QDate &date, const QTime &time)
{
    const double days = static_cast<double>(dayZero().daysTo(date));
    const double fraction = time.msecsSinceStartOfDay() / 1000.0 / secondsPerDay;
    return days < 0 ? days - fraction : days + fraction;
}

FloatDate fromDateTime(const QDateTime &local)
{
    return fromDateTime(local.date(), local.time());
}

QDate datePart(FloatDate value)
{
    qint64 day, second;
    split(value, day, second);
    return dayZero().addDays(day);
}

QTime timePart(FloatDate value)
{
    qint64 day, second;
    split(value, day, second);
    return QTime::fromMSecsSinceStartOfDay(static_cast<int>(second * 1000));
}

std::vector<qint64> moments(FloatDate local)
{
    // The wall reading taken as if it were UTC, less each offset the zone has near it: a
    // candidate is real when the zone has that offset at that instant.
    const qint64 asUtc = QDateTime(datePart(local), timePart(local), Qt::UTC).toSecsSinceEpoch();
    const auto offsetAt = [](qint64 instant) { return qint64(QDateTime::fromSecsSinceEpoch(instant).offsetFromUtc()); };
    std::vector<qint64> found;
    for (const qint64 near : {asUtc - secondsPerDay, asUtc, asUtc + secondsPerDay}) {
        const qint64 candidate = asUtc - offsetAt(near);
        if (offsetAt(candidate) == asUtc - candidate && std::find(found.begin(), found.end(), candidate) == found.end())
            found.push_back(candidate);
    }
    std::sort(found.begin(), found.end());
    return found;
}

} // namespace FloatDates
