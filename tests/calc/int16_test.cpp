#include "failure.h"
#include "int16.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

using namespace calc;

TEST(TextConversion, EveryValueRoundTripsAsPlainDecimal)
{
    for (int v = -32768; v <= 32767; ++v) {
        const auto value = static_cast<std::int16_t>(v);
        char expected[16];
        std::snprintf(expected, sizeof expected, "%d", v);
        const std::string text = int16ToText(value);
        ASSERT_EQ(text, expected);
        ASSERT_EQ(textToInt16(text), value) << text;
    }
}

struct Accepted {
    const char *text;
    std::int16_t value;
};

TEST(TextConversion, AcceptsBlanksAndSign)
{
    const Accepted rows[] = {
        {" 12", 12},  {"12 ", 12},     {"\t-7\t", -7},       {"+5", 5},         {"007", 7},
        {"-0", 0},    {"+0", 0},       {"-32768", -32768},   {"32767", 32767},  {"  -00032768  ", -32768},
    };
    for (const Accepted &row : rows)
        EXPECT_EQ(textToInt16(row.text), row.value) << '"' << row.text << '"';
}

TEST(TextConversion, RejectsWhatIsNotAWholeNumber)
{
    const std::vector<std::string> rows = {
        "", " ", "\t", "+", "-", " - ", "X", "abc", "1.5", "1.", ".5", "1e2", "1E2", "&H10", "0x10",
        "1 2", "--1", "+-1", "12a", "- 1", "\xEF\xBC\x91\xEF\xBC\x92" /* fullwidth 12 */, "\n1",
        "1\n", "1,000", "\xD9\xA1" /* Arabic-Indic one */, std::string("1\0", 2),
    };
    for (const std::string &text : rows)
        EXPECT_THROW(textToInt16(text), TypeMismatch) << '"' << text << '"';
}

TEST(TextConversion, WellFormedButOutOfRangeIsOverflow)
{
    const std::vector<std::string> rows = {
        "-32769", "32768", "99999", "-1000000", "2147483648", "18446744073709551617",
        std::string(10000, '9'), "-" + std::string(10000, '1'), "1" + std::string(9999, '0'),
    };
    for (const std::string &text : rows)
        EXPECT_THROW(textToInt16(text), Overflow) << text.substr(0, 20);
}

TEST(CheckedArithmetic, MatchesWideArithmeticOverTheBoundaryBands)
{
    std::vector<int> band;
    for (int d = 0; d <= 100; ++d) {
        band.push_back(-32768 + d);
        band.push_back(32767 - d);
        band.push_back(d - 50);
    }
    struct Op {
        const char *name;
        std::int16_t (*checked)(std::int16_t, std::int16_t);
        int (*wide)(int, int);
    };
    const Op ops[] = {
        {"add", checkedAdd, [](int a, int b) { return a + b; }},
        {"sub", checkedSub, [](int a, int b) { return a - b; }},
        {"mul", checkedMul, [](int a, int b) { return a * b; }},
    };
    for (const Op &op : ops) {
        for (int a : band) {
            for (int b : band) {
                const int wide = op.wide(a, b);
                const auto a16 = static_cast<std::int16_t>(a), b16 = static_cast<std::int16_t>(b);
                if (wide < -32768 || wide > 32767) {
                    ASSERT_THROW(op.checked(a16, b16), Overflow) << a << ' ' << op.name << ' ' << b;
                } else {
                    ASSERT_EQ(op.checked(a16, b16), wide) << a << ' ' << op.name << ' ' << b;
                }
            }
        }
    }
}

TEST(Rounding, EveryHalfGoesToTheEvenNeighbour)
{
    for (int n = -32769; n <= 32767; ++n) {
        const double half = n + 0.5;
        const int even = (n % 2 == 0) ? n : n + 1;
        if (even < -32768 || even > 32767) {
            ASSERT_THROW(roundToInt16(half), Overflow) << half;
        } else {
            ASSERT_EQ(roundToInt16(half), even) << half;
        }

        const double below = std::nextafter(half, -INFINITY);
        const double above = std::nextafter(half, INFINITY);
        if (n >= -32768) {
            ASSERT_EQ(roundToInt16(below), n) << below;
        }
        if (n + 1 <= 32767) {
            ASSERT_EQ(roundToInt16(above), n + 1) << above;
        }
    }
}

TEST(Rounding, OutOfRangeAndNotANumberOverflow)
{
    const double rows[] = {32767.5, 32768.0, -32769.0, -32768.500001, 1e300, -1e300,
                           INFINITY, -INFINITY, std::numeric_limits<double>::quiet_NaN()};
    for (double value : rows)
        EXPECT_THROW(roundToInt16(value), Overflow) << value;
    EXPECT_EQ(roundToInt16(-32768.5), -32768);
    EXPECT_EQ(roundToInt16(32766.5), 32766);
}
