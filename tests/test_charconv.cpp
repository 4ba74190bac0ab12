// The stand-ins for the floating-point conversions, which the browser build
// links in place of its C++ library's missing ones, held against this
// library's own: a position saved in the browser must have the same bytes as
// one saved here, and a file must be read the same way.

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>

#include "game/charconv.h"

using namespace morvane;

namespace {

std::string text(std::to_chars_result result, char* first)
{
    EXPECT_EQ(result.ec, std::errc());
    return {first, result.ptr};
}

std::string libraryText(float value, std::chars_format format)
{
    char buffer[64];
    return text(std::to_chars(buffer, buffer + sizeof buffer, value, format), buffer);
}

std::string standinText(float value, std::chars_format format)
{
    char buffer[64];
    return text(standin::floatToChars(buffer, buffer + sizeof buffer, value, format), buffer);
}

// Both formats, as the position file picks between them by size.
void expectSameText(float value)
{
    for (const std::chars_format format : {std::chars_format::fixed, std::chars_format::scientific})
        ASSERT_EQ(standinText(value, format), libraryText(value, format))
            << "bits " << std::bit_cast<std::uint32_t>(value)
            << (format == std::chars_format::fixed ? " fixed" : " scientific");
}

} // namespace

TEST(ShortestFloatText, MatchesTheLibraryOnEveryPowerOfTwoAndItsNeighbours)
{
    // Beside a power of two the floats below lie twice as close as those
    // above, which is where the nearest decimal may not read back.
    for (int exponent = -149; exponent <= 127; ++exponent) {
        const float power = std::ldexp(1.0f, exponent);
        expectSameText(power);
        expectSameText(std::nextafter(power, 0.0f));
        expectSameText(std::nextafter(power, FLT_MAX));
    }
    expectSameText(FLT_MAX);
    expectSameText(FLT_MIN);
}

TEST(ShortestFloatText, MatchesTheLibraryOnWhatAGameHolds)
{
    // Whole twips, half and quarter twips, and the grab arithmetic's thirds.
    for (int i = -20000; i <= 20000; ++i) {
        expectSameText(static_cast<float>(i));
        expectSameText(static_cast<float>(i) + 0.5f);
        expectSameText(static_cast<float>(i) * 0.25f);
        expectSameText(static_cast<float>(i) / 3.0f);
    }
}

TEST(ShortestFloatText, MatchesTheLibraryOnRandomFloats)
{
    std::mt19937 random(20250101);
    std::uniform_int_distribution<std::uint32_t> bits(0, 0x7F7FFFFF);  // every positive finite float
    for (int i = 0; i < 100'000; ++i)
        expectSameText(std::bit_cast<float>(bits(random)));
    expectSameText(0.0f);
    expectSameText(-0.0f);
    expectSameText(-2401.25f);
}

TEST(DoubleText, MatchesTheLibraryWithAPrecision)
{
    for (const double value : {0.0, 1.0, -2.5, 1e15, 123456789012345678.0, 1e-5, 3.0517578125e-05, 1.0 / 3, 1e300,
                               -1e-300, 32767.5, 65536.0}) {
        char a[64], b[64];
        EXPECT_EQ(text(standin::doubleToChars(a, a + sizeof a, value, std::chars_format::general, 15), a),
                  text(std::to_chars(b, b + sizeof b, value, std::chars_format::general, 15), b))
            << value;
    }
}

TEST(DoubleReading, TakesTheSameTextAndGivesTheSameValueAndErrors)
{
    for (const std::string_view field :
         {"0", "-0", "2400", "-240", "2401.25", "1.", ".5", "1e5", "1E+07", "-3.5e-06", "1e", "1e+", "1.5e3x", "12,34",
          "1e-310", "4.9e-324", "2e-324", "1e-400", "1e400", "1.7976931348623159e308", "1e-99999999999999", "inf",
          "-Infinity", "infinit", "nan", "NaN(12_ab)", "nan(", "0x10", "", ".", "-", "+1", " 1", "e5", "--1",
          "0.000000000000000000000000000000000000000000001", "123456789012345678901234567890"}) {
        double library = 42, standin = 42;
        const auto want = std::from_chars(field.data(), field.data() + field.size(), library);
        const auto got = standin::doubleFromChars(field.data(), field.data() + field.size(), standin);
        EXPECT_EQ(got.ec, want.ec) << field;
        EXPECT_EQ(got.ptr - field.data(), want.ptr - field.data()) << field;
        if (std::isnan(library))
            EXPECT_TRUE(std::isnan(standin)) << field;
        else
            EXPECT_EQ(std::bit_cast<std::uint64_t>(standin), std::bit_cast<std::uint64_t>(library)) << field;
    }
}
