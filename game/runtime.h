#pragma once

// The numbers of the game's runtime: 16-bit integers whose every sum and
// product is checked, conversions that round an exact half to the even
// neighbour, and the two text rules the seconds counter lives by.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace morvane {

enum class RuntimeErrorKind {
    Overflow,            // a value left the range of its integer type, or a float went infinite
    SubscriptOutOfRange  // a table index outside its declared bounds
};

class RuntimeError : public std::runtime_error {
public:
    explicit RuntimeError(RuntimeErrorKind kind);
    RuntimeErrorKind kind() const noexcept { return kind_; }

private:
    RuntimeErrorKind kind_;
};

// Checked 16-bit arithmetic: a result outside -32768..32767 raises Overflow.
std::int16_t toInt16(std::int64_t value);
std::int16_t add16(std::int16_t a, std::int16_t b);
std::int16_t mul16(std::int16_t a, std::int16_t b);

// Nearest whole number, an exact half going to the even neighbour (2.5 -> 2, 3.5 -> 4).
double roundHalfEven(double value);

// Float-to-integer conversions: round half to even, then check the range.
std::int16_t toInt16Rounded(double value);
std::int32_t toInt32Rounded(double value);

// The value-of-text rule: blanks, tabs and line feeds are skipped wherever
// they stand; the longest leading number is read (sign, digits, one point,
// exponent, or &H / &O for hexadecimal and octal); a text that does not begin
// with a number is 0. Empty when the number lies beyond the range of a double.
std::optional<double> valueOfText(std::string_view text);

// The number-to-text rule: whole numbers as bare digits (a "-" for negatives,
// no leading blank, no group separators); others with up to 15 significant
// digits, switching to an exponent ("1E+15") as the runtime does.
std::string numberToText(double value);

} // namespace morvane
