#include "toolkit/Numbers.h"
#include "toolkit/UserError.h"

#include <gtest/gtest.h>
#include <cctype>
#include <limits>
#include <string>

using namespace Numbers;

struct IntCase
{
    const char *text;
    qint32 expected;
};

void PrintTo(const IntCase &c, std::ostream *os)
{
    *os << '"' << c.text << "\" -> " << c.expected;
}

class TextToInt32 : public testing::TestWithParam<IntCase>
{
};

TEST_P(TextToInt32, ReadsTheNumber)
{
    EXPECT_EQ(textToInt32(QString::fromUtf8(GetParam().text)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Accepted, TextToInt32,
                         testing::Values(IntCase{"10", 10}, IntCase{" 7 ", 7}, IntCase{"\t42\t", 42}, IntCase{"+3", 3},
                                         IntCase{"-12", -12}, IntCase{"007", 7},
                                         // halves go to the even neighbour, in both directions
                                         IntCase{"2.5", 2}, IntCase{"3.5", 4}, IntCase{"-2.5", -2}, IntCase{"-3.5", -4},
                                         IntCase{"0.5", 0}, IntCase{"1.5", 2}, IntCase{"2.51", 3},
                                         IntCase{"2.5000001", 3}, IntCase{"2.4999", 2}, IntCase{".5", 0},
                                         IntCase{".6", 1}, IntCase{"1.", 1},
                                         IntCase{"2147483647", std::numeric_limits<qint32>::max()},
                                         IntCase{"2147483647.4", std::numeric_limits<qint32>::max()},
                                         IntCase{"-2147483648", std::numeric_limits<qint32>::min()},
                                         IntCase{"-2147483648.5", std::numeric_limits<qint32>::min()}),
                         [](const testing::TestParamInfo<IntCase> &row) {
                             std::string name = "row" + std::to_string(row.index) + "_";
                             for (const char *c = row.param.text; *c; ++c)
                                 name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
                             return name;
                         });

TEST(TextToInt32Refusals, TextThatHoldsNoNumberSaysSo)
{
    for (const char *text : {"", "   ", "abc", "12abc", "1 2", "--1", "+-1", ".", "-", "1,5", "0x10", "1e3", "½"}) {
        try {
            textToInt32(QString::fromUtf8(text));
            ADD_FAILURE() << "accepted \"" << text << "\"";
        } catch (const OverflowError &) {
            ADD_FAILURE() << "\"" << text << "\" called an overflow";
        } catch (const UserError &e) {
            EXPECT_FALSE(e.message().isEmpty());
        }
    }
    try {
        textToInt32(QStringLiteral(" abc "));
    } catch (const UserError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("\"abc\" is not a number."));
    }
}

TEST(TextToInt32Refusals, ValuesBeyondThirtyTwoBitsOverflow)
{
    for (const char *text :
         {"2147483648", "-2147483649", "2147483647.5", "-2147483648.51", "99999999999999999999999999999999999999"})
        EXPECT_THROW(textToInt32(QString::fromLatin1(text)), OverflowError) << text;
}

TEST(NumberText, WritesTheShortestDecimal)
{
    EXPECT_EQ(numberText(25), QStringLiteral("25"));
    EXPECT_EQ(numberText(-3), QStringLiteral("-3"));
    EXPECT_EQ(numberText(0), QStringLiteral("0"));
    EXPECT_EQ(numberText(-0.0), QStringLiteral("0"));
    EXPECT_EQ(numberText(2.5), QStringLiteral("2.5"));
    EXPECT_EQ(numberText(2147483647.0 + 2147483648.0), QStringLiteral("4294967295"));
    EXPECT_THROW(numberText(std::numeric_limits<double>::infinity()), OverflowError);
    EXPECT_THROW(numberText(std::numeric_limits<double>::quiet_NaN()), OverflowError);
}

TEST(CheckedArithmetic, RefusesToWrap)
{
    constexpr qint32 max = std::numeric_limits<qint32>::max();
    constexpr qint32 min = std::numeric_limits<qint32>::min();
    EXPECT_EQ(checkedAdd(max - 1, 1), max);
    EXPECT_EQ(checkedMul(596523, 3600), 2147482800);
    EXPECT_EQ(checkedMul(-1, max), -max);
    EXPECT_THROW(checkedAdd(max, 1), OverflowError);
    EXPECT_THROW(checkedAdd(min, -1), OverflowError);
    EXPECT_THROW(checkedMul(596524, 3600), OverflowError);
    EXPECT_THROW(checkedMul(-1, min), OverflowError);
}
