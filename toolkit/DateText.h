#pragma once

#include "toolkit/FloatDate.h"

#include <QLocale>
#include <QString>

// Dates and times as text in the user's language. Month names come from one place so
// that what the month list offers is exactly what the reader accepts back.
namespace DateText {

// Full month names, 1 = January: the month's own name, as a list offers it (Polish "grudzień"),
// and the form it takes inside a date (Polish "12 grudnia 2026"). Many languages use one for both.
QString monthName(const QLocale &locale, int month);
QString monthNameInDate(const QLocale &locale, int month);

// "00": at least two digits, leading zero.
QString twoDigits(int value);

// "dd MMMM yyyy", e.g. 07 December 2026.
QString dayMonthYear(const QLocale &locale, const QDate &date);

// "dd MMMM yyyy, hh:mm:ss" with a 24-hour clock.
QString dayMonthYearTime(const QLocale &locale, FloatDate value);

// The default text of a date-time: the user's short date, a blank and the user's time with
// seconds (no time-zone name); the time is left out at exact midnight.
QString defaultText(const QLocale &locale, FloatDate value);

// A time of day runs from 0:0:0 to 23:59:59; the refusal of one that does not, quoting the parts
// as they were typed.
bool isTimeOfDay(qint64 hour, qint64 minute, qint64 second);
QString notATimeOfDay(const QString &hour, const QString &minute, const QString &second);

// Reads "day/month name/year h:m:s" (7/December/2026 9:5:0) and returns midnight of that
// day: the time must be valid but is not kept. The month is either of its full names or its
// short one. Throws UserError naming what is wrong.
FloatDate readDate(const QLocale &locale, const QString &text);

} // namespace DateText
