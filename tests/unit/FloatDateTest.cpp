#include "toolkit/FloatDate.h"
#include "toolkit/UserError.h"

#include <gtest/gtest.h>

using namespace FloatDates;

namespace {
QDateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s));
}
} // namespace

TEST(FloatDate, CountsDaysFromTheThirtiethOfDecember1899)
{
    EXPECT_EQ(fromDateTime(at(1899, 12, 30)), 0.0);
    EXPECT_EQ(fromDateTime(at(1899, 12, 31, 6)), 1.25);
    EXPECT_EQ(fromDateTime(at(2000, 1, 1)), 36526.0);
    EXPECT_EQ(fromDateTime(at(2026, 12, 7, 12)), 46363.5);
}

TEST(FloatDate, BeforeDayZeroTheFractionStillCountsForward)
{
    EXPECT_EQ(fromDateTime(at(1899, 12, 29, 6)), -1.25);
    EXPECT_EQ(datePart(-1.25), QDate(1899, 12, 29));
    EXPECT_EQ(timePart(-1.25), QTime(6, 0));
    // -0.5 and 0.5 are the same moment: noon of day zero.
    EXPECT_EQ(datePart(-0.5), QDate(1899, 12, 30));
    EXPECT_EQ(timePart(-0.5), QTime(12, 0));
}

TEST(FloatDate, RoundTripsAroundMidnightLeapDaysAndYearEnds)
{
    for (const QDateTime &moment :
         {at(2024, 2, 29, 23, 59, 59), at(2024, 3, 1), at(2026, 12, 31, 23, 59, 59), at(2027, 1, 1),
          at(2079, 12, 31, 23, 59, 59), at(1900, 2, 28, 12), at(1899, 12, 1, 23, 59, 59), at(100, 1, 1),
          at(100, 1, 1, 0, 0, 8), at(100, 1, 1, 23, 59, 59), at(9999, 12, 31, 23, 59, 59)}) {
        const FloatDate value = fromDateTime(moment);
        EXPECT_EQ(datePart(value), moment.date()) << moment.toString().toStdString();
        EXPECT_EQ(timePart(value), moment.time()) << moment.toString().toStdString();
    }
}

TEST(FloatDate, EverySecondOfADayBuiltFromHoursMinutesAndSecondsReadsBack)
{
    // The alarm builds a time of day as (m / 60 + h + s / 3600) / 24 and adds it to a date.
    const FloatDate day = fromDateTime(at(2026, 12, 7));
    for (int h = 0; h < 24; ++h)
        for (int m = 0; m < 60; ++m)
            for (int s = 0; s < 60; ++s) {
                const FloatDate value = day + (m / 60.0 + h + s / 3600.0) / 24;
                ASSERT_EQ(timePart(value), QTime(h, m, s)) << h << ':' << m << ':' << s;
                ASSERT_EQ(datePart(value), QDate(2026, 12, 7));
            }
}

TEST(FloatDate, AFractionJustShortOfADayIsMidnightOfTheNext)
{
    EXPECT_EQ(datePart(1.0 - 1e-9), QDate(1899, 12, 31));
    EXPECT_EQ(timePart(1.0 - 1e-9), QTime(0, 0));
    EXPECT_EQ(datePart(-1.0 - (1.0 - 1e-9)), QDate(1899, 12, 30));
}

TEST(FloatDate, RefusesValuesOutsideTheCalendar)
{
    EXPECT_THROW(datePart(3e6), UserError);
    EXPECT_THROW(datePart(-657435.0), UserError); // 31 December 99
    EXPECT_THROW(datePart(2958466.0), UserError); // 1 January 10000
    EXPECT_THROW(timePart(-7e5), UserError);
}
