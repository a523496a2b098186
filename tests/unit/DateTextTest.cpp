#include "toolkit/DateText.h"
#include "toolkit/UserError.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

using namespace DateText;

namespace {
const QLocale english(QLocale::English, QLocale::UnitedStates);
const QLocale german(QLocale::German, QLocale::Germany);

FloatDate moment(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    return FloatDates::fromDateTime(QDate(y, mo, d), QTime(h, mi, s));
}

QString refusal(const QLocale &locale, const QString &text)
{
    try {
        readDate(locale, text);
    } catch (const UserError &e) {
        return e.message();
    }
    return QStringLiteral("(accepted)");
}
} // namespace

TEST(DateTextFormats, PadAndNameInTheUsersLanguage)
{
    EXPECT_EQ(twoDigits(5), QStringLiteral("05"));
    EXPECT_EQ(twoDigits(23), QStringLiteral("23"));
    EXPECT_EQ(twoDigits(0), QStringLiteral("00"));
    EXPECT_EQ(monthName(english, 12), QStringLiteral("December"));
    EXPECT_EQ(monthName(german, 3), QStringLiteral("März"));
    EXPECT_EQ(dayMonthYear(english, QDate(2026, 12, 7)), QStringLiteral("07 December 2026"));
    EXPECT_EQ(dayMonthYear(german, QDate(2026, 12, 7)), QStringLiteral("07 Dezember 2026"));
    EXPECT_EQ(dayMonthYearTime(english, moment(2026, 12, 7, 9, 5, 7)), QStringLiteral("07 December 2026, 09:05:07"));
    EXPECT_EQ(dayMonthYearTime(english, moment(2026, 12, 7, 21, 0, 0)), QStringLiteral("07 December 2026, 21:00:00"));
}

TEST(DateTextFormats, DefaultTextLeavesTheTimeOutAtMidnightAndHasNoZoneName)
{
    EXPECT_EQ(defaultText(english, moment(2026, 12, 7, 9, 5, 7)), QStringLiteral("12/7/26 9:05:07 AM"));
    EXPECT_EQ(defaultText(english, moment(2026, 12, 7, 21, 0, 0)), QStringLiteral("12/7/26 9:00:00 PM"));
    EXPECT_EQ(defaultText(english, moment(2026, 12, 7)), QStringLiteral("12/7/26"));
    EXPECT_EQ(defaultText(german, moment(2026, 12, 7, 9, 5, 7)), QStringLiteral("07.12.26 09:05:07"));
    EXPECT_EQ(defaultText(german, moment(2026, 12, 7)), QStringLiteral("07.12.26"));
    // One second after midnight is not midnight.
    EXPECT_EQ(defaultText(german, moment(2026, 12, 7, 0, 0, 1)), QStringLiteral("07.12.26 00:00:01"));
}

TEST(DateTextReader, ReadsDayMonthNameYearAndKeepsOnlyTheDay)
{
    EXPECT_EQ(readDate(english, QStringLiteral("7/December/2026 9:5:0")), moment(2026, 12, 7));
    EXPECT_EQ(readDate(english, QStringLiteral("29/February/2028 23:59:59")), moment(2028, 2, 29));
    EXPECT_EQ(readDate(english, QStringLiteral("31/december/2079 0:0:0")), moment(2079, 12, 31));
    EXPECT_EQ(readDate(german, QStringLiteral("7/Dezember/2026 9:5:0")), moment(2026, 12, 7));
    EXPECT_EQ(readDate(german, QStringLiteral("1/März/2027 0:0:0")), moment(2027, 3, 1));
}

TEST(DateTextReader, ImpossibleDaysSayWhichAndWhy)
{
    EXPECT_EQ(refusal(english, QStringLiteral("31/February/2026 0:0:0")),
              QStringLiteral("31 February 2026 does not exist: February 2026 has 28 days."));
    EXPECT_EQ(refusal(english, QStringLiteral("29/February/2027 0:0:0")),
              QStringLiteral("29 February 2027 does not exist: February 2027 has 28 days."));
    EXPECT_EQ(refusal(english, QStringLiteral("30/February/2028 0:0:0")),
              QStringLiteral("30 February 2028 does not exist: February 2028 has 29 days."));
    EXPECT_EQ(refusal(german, QStringLiteral("31/April/2026 12:0:0")),
              QStringLiteral("31 April 2026 does not exist: April 2026 has 30 days."));
    EXPECT_EQ(refusal(english, QStringLiteral("0/May/2026 0:0:0")),
              QStringLiteral("0 May 2026 does not exist: May 2026 has 31 days."));
}

TEST(DateTextReader, MonthNamesAreTheUsersLanguageOnly)
{
    EXPECT_EQ(refusal(english, QStringLiteral("7/Dezember/2026 9:5:0")),
              QStringLiteral("\"Dezember\" is not a month name."));
    EXPECT_EQ(refusal(german, QStringLiteral("7/March/2026 9:5:0")), QStringLiteral("\"March\" is not a month name."));
}

TEST(DateTextReader, TimesOutsideTheDayAreRefused)
{
    for (const char *time : {"9:90:0", "24:0:0", "-1:0:0", "0:0:60", "0:-5:0", "99999999999:0:0"}) {
        const QString text = QStringLiteral("7/December/2026 ") + QString::fromLatin1(time);
        EXPECT_TRUE(
            refusal(english, text).startsWith(QString::fromLatin1(time) + QStringLiteral(" is not a time of day")))
            << refusal(english, text).toStdString();
    }
    EXPECT_EQ(refusal(english, QStringLiteral("7/December/2026 23:59:59")), QStringLiteral("(accepted)"));
}

TEST(DateTextReader, TextsOfAnotherShapeAreRefused)
{
    for (const char *text : {"", "7 December 2026", "7/December/2026", "7/December/ 9:5:0", "7//2026 9:5:0",
                             "7/December/2026 9:5", "x/December/2026 9:5:0"})
        EXPECT_NE(refusal(english, QString::fromLatin1(text)), QStringLiteral("(accepted)")) << text;
}

TEST(DateTextMonths, ListsNameTheMonthAndDatesUseTheFormInsideADateAndBothReadBack)
{
    struct Case
    {
        QLocale locale;
        QString listed; // December as the month list offers it
        QString inDate; // and inside a date
    };
    const Case cases[] = {
        {QLocale(QLocale::German, QLocale::Germany), QStringLiteral("Dezember"), QStringLiteral("Dezember")},
        {QLocale(QLocale::Polish, QLocale::Poland), QStringLiteral("grudzień"), QStringLiteral("grudnia")},
        {QLocale(QLocale::Russian, QLocale::Russia), QStringLiteral("декабрь"), QStringLiteral("декабря")},
        {QLocale(QLocale::Czech, QLocale::CzechRepublic), QStringLiteral("prosinec"), QStringLiteral("prosince")},
        {QLocale(QLocale::Finnish, QLocale::Finland), QStringLiteral("joulukuu"), QStringLiteral("joulukuuta")},
    };
    for (const Case &c : cases) {
        const std::string name = c.locale.name().toStdString();
        EXPECT_EQ(monthName(c.locale, 12), c.listed) << name;
        EXPECT_EQ(monthNameInDate(c.locale, 12), c.inDate) << name;
        EXPECT_EQ(dayMonthYear(c.locale, QDate(2026, 12, 7)),
                  QStringLiteral("07 ") + c.inDate + QStringLiteral(" 2026"))
            << name;
        for (const QString &month : {c.listed, c.inDate})
            EXPECT_EQ(readDate(c.locale, QStringLiteral("7/") + month + QStringLiteral("/2026 9:5:0")),
                      moment(2026, 12, 7))
                << name;
    }
}
