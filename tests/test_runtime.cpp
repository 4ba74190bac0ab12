// The runtime's numbers: checked 16-bit arithmetic, round-half-even
// conversions, and the counter's text-to-number and number-to-text rules.

#include <gtest/gtest.h>

#include <limits>

#include "game/runtime.h"

using namespace morvane;

namespace {

bool overflows(auto&& f)
{
    try {
        f();
    } catch (const RuntimeError& e) {
        return e.kind() == RuntimeErrorKind::Overflow;
    }
    return false;
}

} // namespace

TEST(CheckedInt16, HoldsItsWholeRangeAndNoMore)
{
    EXPECT_EQ(toInt16(-32768), -32768);
    EXPECT_EQ(toInt16(32767), 32767);
    EXPECT_TRUE(overflows([] { toInt16(32768); }));
    EXPECT_TRUE(overflows([] { toInt16(-32769); }));
    EXPECT_EQ(add16(32000, 767), 32767);
    EXPECT_TRUE(overflows([] { add16(32000, 768); }));
    EXPECT_EQ(mul16(136, 240), 32640);
    EXPECT_TRUE(overflows([] { mul16(137, 240); }));
    EXPECT_EQ(mul16(-136, 240), -32640);
    EXPECT_TRUE(overflows([] { mul16(-32768, -1); }));
}

TEST(Rounding, ExactHalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(roundHalfEven(0.5), 0.0);
    EXPECT_EQ(roundHalfEven(1.5), 2.0);
    EXPECT_EQ(roundHalfEven(2.5), 2.0);
    EXPECT_EQ(roundHalfEven(-0.5), 0.0);
    EXPECT_EQ(roundHalfEven(-1.5), -2.0);
    EXPECT_EQ(roundHalfEven(-2.5), -2.0);
    EXPECT_EQ(roundHalfEven(2.4999), 2.0);
    EXPECT_EQ(roundHalfEven(2.5001), 3.0);
    EXPECT_EQ(roundHalfEven(-119.7), -120.0);
}

TEST(Rounding, ConversionsCheckTheRangeAfterRounding)
{
    EXPECT_EQ(toInt16Rounded(32767.4), 32767);
    EXPECT_EQ(toInt16Rounded(32766.5), 32766);
    EXPECT_TRUE(overflows([] { toInt16Rounded(32767.5); }));  // rounds to 32768
    EXPECT_EQ(toInt16Rounded(-32768.5), -32768);             // rounds to the even -32768
    EXPECT_TRUE(overflows([] { toInt16Rounded(-32769.0); }));
    EXPECT_TRUE(overflows([] { toInt16Rounded(std::numeric_limits<double>::quiet_NaN()); }));
    EXPECT_TRUE(overflows([] { toInt16Rounded(std::numeric_limits<double>::infinity()); }));
    EXPECT_EQ(toInt32Rounded(2147483647.0), 2147483647);
    EXPECT_TRUE(overflows([] { toInt32Rounded(2147483647.5); }));
}

TEST(ValueOfText, ReadsTheLongestLeadingNumber)
{
    EXPECT_EQ(valueOfText("57"), 57.0);
    EXPECT_EQ(valueOfText("12abc"), 12.0);
    EXPECT_EQ(valueOfText(" 7"), 7.0);
    EXPECT_EQ(valueOfText("1 2\t3\n4"), 1234.0);  // blanks are skipped wherever they stand
    EXPECT_EQ(valueOfText("-3.25"), -3.25);
    EXPECT_EQ(valueOfText("+.5"), 0.5);
    EXPECT_EQ(valueOfText("1.2.3"), 1.2);
    EXPECT_EQ(valueOfText("2e3x"), 2000.0);
    EXPECT_EQ(valueOfText("2D-1"), 0.2);
    EXPECT_EQ(valueOfText("2e"), 2.0);  // an exponent without digits is not part of the number
    EXPECT_EQ(valueOfText("1E-400"), 0.0);
}

TEST(ValueOfText, TextThatDoesNotBeginWithANumberIsZero)
{
    EXPECT_EQ(valueOfText(""), 0.0);
    EXPECT_EQ(valueOfText("abc"), 0.0);
    EXPECT_EQ(valueOfText("-"), 0.0);
    EXPECT_EQ(valueOfText("."), 0.0);
    EXPECT_EQ(valueOfText("x12"), 0.0);
}

TEST(ValueOfText, HexadecimalAndOctal)
{
    EXPECT_EQ(valueOfText("&H1F"), 31.0);
    EXPECT_EQ(valueOfText("&hff zz"), 255.0);
    EXPECT_EQ(valueOfText("&HFFFF"), -1.0);  // sixteen bits are a 16-bit integer
    EXPECT_EQ(valueOfText("&H10000"), 65536.0);
    EXPECT_EQ(valueOfText("&HFFFFFFFF"), -1.0);
    EXPECT_EQ(valueOfText("&O17"), 15.0);
    EXPECT_EQ(valueOfText("&17"), 15.0);
    EXPECT_EQ(valueOfText("&H"), 0.0);
    EXPECT_FALSE(valueOfText("&H100000000").has_value());
}

TEST(ValueOfText, NumbersBeyondADoubleAreNotRead)
{
    EXPECT_FALSE(valueOfText("1e309").has_value());
    EXPECT_FALSE(valueOfText(std::string(400, '9')).has_value());
    EXPECT_EQ(valueOfText("1.7976931348623157e308"), std::numeric_limits<double>::max());
}

TEST(NumberToText, WholeNumbersAreBareDigits)
{
    EXPECT_EQ(numberToText(0), "0");
    EXPECT_EQ(numberToText(-0.0), "0");
    EXPECT_EQ(numberToText(10), "10");
    EXPECT_EQ(numberToText(-8), "-8");
    EXPECT_EQ(numberToText(123456789012345.0), "123456789012345");
    EXPECT_EQ(numberToText(1e15), "1E+15");
}

TEST(NumberToText, FractionsKeepFifteenSignificantDigits)
{
    EXPECT_EQ(numberToText(2.5), "2.5");
    EXPECT_EQ(numberToText(0.1 + 0.2), "0.3");
    EXPECT_EQ(numberToText(0.0001), "0.0001");
    EXPECT_EQ(numberToText(0.00001), "1E-05");
    EXPECT_EQ(numberToText(1.0 / 3.0), "0.333333333333333");
}
