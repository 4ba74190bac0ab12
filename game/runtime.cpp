#include "game/runtime.h"

#include <cmath>
#include <limits>
#include <system_error>

#include "game/charconv.h"

namespace morvane {

RuntimeError::RuntimeError(RuntimeErrorKind kind)
    : std::runtime_error(kind == RuntimeErrorKind::Overflow ? "Overflow" : "Subscript out of range"),
      kind_(kind)
{
}

std::int16_t toInt16(std::int64_t value)
{
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
        throw RuntimeError(RuntimeErrorKind::Overflow);
    return static_cast<std::int16_t>(value);
}

std::int16_t add16(std::int16_t a, std::int16_t b)
{
    return toInt16(std::int64_t{a} + b);
}

std::int16_t mul16(std::int16_t a, std::int16_t b)
{
    return toInt16(std::int64_t{a} * b);
}

double roundHalfEven(double value)
{
    if (!std::isfinite(value))
        return value;
    const double below = std::floor(value);
    const double fraction = value - below;  // exact: both lie in the same binade or below
    if (fraction < 0.5)
        return below;
    if (fraction > 0.5)
        return below + 1.0;
    return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

namespace {

template <typename Int>
Int toIntRounded(double value)
{
    const double rounded = roundHalfEven(value);
    // Written so that NaN fails the test too.
    if (!(rounded >= std::numeric_limits<Int>::min() && rounded <= std::numeric_limits<Int>::max()))
        throw RuntimeError(RuntimeErrorKind::Overflow);
    return static_cast<Int>(rounded);
}

bool isSkippedBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int digitValue(char c, int radix)
{
    int v = -1;
    if (c >= '0' && c <= '9')
        v = c - '0';
    else if (c >= 'a' && c <= 'f')
        v = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        v = c - 'A' + 10;
    return v < radix ? v : -1;
}

// "&H..." and "&O..." (or a bare "&" followed by octal digits). Up to 16 bits
// the digits are a 16-bit two's-complement value (&HFFFF is -1), up to 32 bits
// a 32-bit one; anything longer does not fit.
std::optional<double> radixValue(std::string_view text)
{
    int radix = 8;
    if (!text.empty() && (text.front() == 'H' || text.front() == 'h')) {
        radix = 16;
        text.remove_prefix(1);
    } else if (!text.empty() && (text.front() == 'O' || text.front() == 'o')) {
        text.remove_prefix(1);
    }
    std::uint64_t value = 0;
    for (const char c : text) {
        const int digit = digitValue(c, radix);
        if (digit < 0)
            break;
        value = value * static_cast<unsigned>(radix) + static_cast<unsigned>(digit);
        if (value > 0xFFFFFFFFu)
            return std::nullopt;
    }
    if (value <= 0xFFFFu)
        return static_cast<double>(static_cast<std::int16_t>(static_cast<std::uint16_t>(value)));
    return static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
}

} // namespace

std::int16_t toInt16Rounded(double value)
{
    return toIntRounded<std::int16_t>(value);
}

std::int32_t toInt32Rounded(double value)
{
    return toIntRounded<std::int32_t>(value);
}

std::optional<double> valueOfText(std::string_view text)
{
    std::string squeezed;
    squeezed.reserve(text.size());
    for (const char c : text) {
        if (!isSkippedBlank(c))
            squeezed.push_back(c);
    }

    if (!squeezed.empty() && squeezed.front() == '&')
        return radixValue(std::string_view(squeezed).substr(1));

    // Find the longest leading part that reads as a number.
    std::size_t end = 0;
    const auto at = [&](std::size_t i) { return i < squeezed.size() ? squeezed[i] : '\0'; };
    if (at(end) == '+' || at(end) == '-')
        ++end;
    const std::size_t mantissaStart = end;
    bool anyDigit = false;
    while (isDigit(at(end))) {
        ++end;
        anyDigit = true;
    }
    if (at(end) == '.') {
        ++end;
        while (isDigit(at(end))) {
            ++end;
            anyDigit = true;
        }
    }
    if (!anyDigit)
        return 0.0;
    const std::size_t mantissaEnd = end;
    if (at(end) == 'e' || at(end) == 'E' || at(end) == 'd' || at(end) == 'D') {
        std::size_t exponent = end + 1;
        if (at(exponent) == '+' || at(exponent) == '-')
            ++exponent;
        if (isDigit(at(exponent))) {
            while (isDigit(at(exponent)))
                ++exponent;
            end = exponent;
        }
    }

    // from_chars wants no leading '+' and an 'e' for the exponent.
    std::string number = squeezed.substr(mantissaStart, end - mantissaStart);
    if (end > mantissaEnd)
        number[mantissaEnd - mantissaStart] = 'e';
    double value = 0.0;
    const auto result = doubleFromChars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too small underflows quietly to zero; too large does not fit.
        const auto exponentAt = number.find('e');
        const bool negativeExponent = exponentAt != std::string::npos && number[exponentAt + 1] == '-';
        if (!negativeExponent)
            return std::nullopt;
        value = 0.0;
    } else if (result.ec != std::errc()) {
        return 0.0;
    }
    return at(0) == '-' ? -value : value;
}

std::string numberToText(double value)
{
    if (value == 0.0)
        return "0";  // never "-0"
    char buffer[64];
    const auto result = doubleToChars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    std::string text(buffer, result.ptr);
    // The runtime writes the exponent as "E+15", "E-05".
    if (const auto e = text.find('e'); e != std::string::npos)
        text[e] = 'E';
    return text;
}

} // namespace morvane
