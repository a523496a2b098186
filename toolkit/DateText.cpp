#include "toolkit/DateText.h"

#include "toolkit/UserError.h"

#include <QRegularExpression>

namespace DateText {

namespace {

    // The user's long time format without its time-zone name ("t"), which the alarm never shows.
    QString timeFormatWithoutZone(const QLocale &locale)
    {
        const QString format = locale.timeFormat(QLocale::LongFormat);
        QString out;
        bool quoted = false;
        for (QChar c : format) {
            if (c == u'\'')
                quoted = !quoted;
            if (!quoted && c == u't')
                continue;
            out += c;
        }
        return out.simplified();
    }

    int monthNumber(const QLocale &locale, const QString &name)
    {
        for (int m = 1; m <= 12; ++m) {
            for (const QString &known :
                 {monthName(locale, m), monthNameInDate(locale, m), locale.monthName(m, QLocale::ShortFormat),
                  locale.standaloneMonthName(m, QLocale::ShortFormat)})
                if (name.compare(known, Qt::CaseInsensitive) == 0)
                    return m;
        }
        return 0;
    }

} // namespace

QString monthName(const QLocale &locale, int month)
{
    return locale.standaloneMonthName(month, QLocale::LongFormat);
}

QString monthNameInDate(const QLocale &locale, int month)
{
    return locale.monthName(month, QLocale::LongFormat);
}

QString twoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

QString dayMonthYear(const QLocale &locale, const QDate &date)
{
    return twoDigits(date.day()) + u' ' + monthNameInDate(locale, date.month()) + u' '
        + QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'));
}

QString dayMonthYearTime(const QLocale &locale, FloatDate value)
{
    const QTime time = FloatDates::timePart(value);
    return dayMonthYear(locale, FloatDates::datePart(value)) + QStringLiteral(", ") + twoDigits(time.hour()) + u':'
        + twoDigits(time.minute()) + u':' + twoDigits(time.second());
}

QString defaultText(const QLocale &locale, FloatDate value)
{
    const QDate date = FloatDates::datePart(value);
    const QTime time = FloatDates::timePart(value);
    const QString dateText = locale.toString(date, QLocale::ShortFormat);
    if (time == QTime(0, 0))
        return dateText;
    return dateText + u' ' + locale.toString(time, timeFormatWithoutZone(locale));
}

bool isTimeOfDay(qint64 hour, qint64 minute, qint64 second)
{
    return hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59 && second >= 0 && second <= 59;
}

QString notATimeOfDay(const QString &hour, const QString &minute, const QString &second)
{
    return QStringLiteral("%1:%2:%3 is not a time of day: hours run from 0 to 23, minutes and seconds from 0 to 59.")
        .arg(hour, minute, second);
}

FloatDate readDate(const QLocale &locale, const QString &text)
{
    static const QRegularExpression shape(
        QStringLiteral(R"(^\s*(\d{1,2})/([^/]+)/(\d{1,4})\s+(-?\d+):(-?\d+):(-?\d+)\s*$)"));
    const auto match = shape.match(text);
    if (!match.hasMatch())
        throw UserError(QStringLiteral("\"%1\" is not a date and time of the form day/month/year h:m:s.").arg(text));

    const int day = match.captured(1).toInt();
    const QString monthText = match.captured(2).trimmed();
    const int year = match.captured(3).toInt();
    const int month = monthNumber(locale, monthText);
    if (month == 0)
        throw UserError(QStringLiteral("\"%1\" is not a month name.").arg(monthText));
    if (year < 100)
        throw UserError(QStringLiteral("The year %1 is too early: years from 100 on can be set.").arg(year));
    const QDate firstOfMonth(year, month, 1);
    if (day < 1 || day > firstOfMonth.daysInMonth())
        throw UserError(QStringLiteral("%1 %2 %3 does not exist: %2 %3 has %4 days.")
                            .arg(day)
                            .arg(monthName(locale, month))
                            .arg(year)
                            .arg(firstOfMonth.daysInMonth()));

    bool ok = false;
    const int h = match.captured(4).toInt(&ok);
    const int m = ok ? match.captured(5).toInt(&ok) : 0;
    const int s = ok ? match.captured(6).toInt(&ok) : 0;
    if (!ok || !isTimeOfDay(h, m, s))
        throw UserError(notATimeOfDay(match.captured(4), match.captured(5), match.captured(6)));

    return FloatDates::fromDateTime(QDate(year, month, day), QTime(0, 0));
}

} // namespace DateText
