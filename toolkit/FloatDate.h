#pragma once

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <vector>

// The floating date: days since 30 December 1899, the time of day as the fraction.
// Before that day the whole part counts back while the fraction still counts forward
// through the day, so -1.25 is 29 December 1899, 06:00. 0 is midnight of day zero,
// which the alarm uses for "no target". All values are local wall-clock time.
using FloatDate = double;

namespace FloatDates {

FloatDate fromDateTime(const QDate &date, const QTime &time);
FloatDate fromDateTime(const QDateTime &local);

// Rounded to the nearest second. Throws UserError outside the years 100 to 9999.
QDate datePart(FloatDate value);
QTime timePart(FloatDate value);

// The instants, in seconds since 1970 UTC, at which the local wall clock reads this value (to
// the second), earliest first: two in the hour the autumn change repeats, none in the hour the
// spring change skips. Throws UserError outside the years 100 to 9999.
std::vector<qint64> moments(FloatDate local);

} // namespace FloatDates
