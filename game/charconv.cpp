#include "game/charconv.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace morvane {

// libc++ 14 brought the floating-point conversions. The Windows program
// keeps to the stand-ins too: the library's own would bring 200 KB of tables
// into a program of some 300.
#if (defined(_LIBCPP_VERSION) && _LIBCPP_VERSION < 14000) || defined(__MINGW32__)
namespace library = standin;
#else
namespace library {
inline auto floatToChars(char* first, char* last, float value, std::chars_format format)
{
    return std::to_chars(first, last, value, format);
}
inline auto doubleToChars(char* first, char* last, double value, std::chars_format format, int precision)
{
    return std::to_chars(first, last, value, format, precision);
}
inline auto doubleFromChars(const char* first, const char* last, double& value)
{
    return std::from_chars(first, last, value);
}
} // namespace library
#endif

std::to_chars_result floatToChars(char* first, char* last, float value, std::chars_format format)
{
    return library::floatToChars(first, last, value, format);
}

std::to_chars_result doubleToChars(char* first, char* last, double value, std::chars_format format, int precision)
{
    return library::doubleToChars(first, last, value, format, precision);
}

std::from_chars_result doubleFromChars(const char* first, const char* last, double& value)
{
    return library::doubleFromChars(first, last, value);
}

namespace standin {

namespace {

std::to_chars_result copyOut(char* first, char* last, std::string_view text)
{
    if (text.size() > static_cast<std::size_t>(last - first))
        return {last, std::errc::value_too_large};
    std::memcpy(first, text.data(), text.size());
    return {first + text.size(), std::errc()};
}

// A positive finite value as d.ddd x 10^exponent, its digits without the point.
struct Decimal {
    std::string digits;
    int exponent = 0;

    std::string scientific() const
    {
        std::string text(1, digits[0]);
        if (digits.size() > 1)
            text += '.' + digits.substr(1);
        char power[16];
        std::snprintf(power, sizeof power, "e%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
        return text + power;
    }

    // A whole number is written out in full: its exact digits take as many
    // characters as the shortest ones padded with zeros, and lie closer.
    std::string fixed(float value) const
    {
        const auto count = static_cast<int>(digits.size());
        if (exponent < 0)
            return "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
        if (exponent >= count - 1) {
            char whole[64];
            std::snprintf(whole, sizeof whole, "%.0f", static_cast<double>(value));
            return whole;
        }
        const auto point = static_cast<std::size_t>(exponent) + 1;
        return digits.substr(0, point) + '.' + digits.substr(point);
    }

    float read() const { return std::strtof(scientific().c_str(), nullptr); }

    // The next decimal of as many digits above (+1) or below (-1) this one.
    Decimal next(int direction) const
    {
        Decimal n = *this;
        if (direction > 0) {
            auto i = n.digits.size();
            while (i > 0 && n.digits[i - 1] == '9')
                n.digits[--i] = '0';
            if (i == 0) {
                n.digits.insert(n.digits.begin(), '1');
                n.digits.pop_back();
                ++n.exponent;
            } else {
                ++n.digits[i - 1];
            }
        } else if (n.digits.find_first_not_of('0', 1) == std::string::npos && n.digits[0] == '1') {
            n.digits.assign(n.digits.size(), '9');
            --n.exponent;
        } else {
            auto i = n.digits.size();
            while (n.digits[i - 1] == '0')
                n.digits[--i] = '9';
            --n.digits[i - 1];
        }
        return n;
    }
};

Decimal printed(float value, int digits)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*e", digits - 1, static_cast<double>(value));
    const char* e = std::strchr(text, 'e');
    Decimal d;
    for (const char* c = text; c != e; ++c)
        if (*c != '.')
            d.digits += *c;
    d.exponent = std::atoi(e + 1);
    return d;
}

// The fewest digits that read back as the value. Of one length, printf's
// correctly rounded decimal is the nearest; where it reads back as another
// float (beside a power of two, where the floats below lie closer together),
// the one decimal on the value's other side may still read back.
Decimal shortest(float value)
{
    for (int length = 1;; ++length) {
        Decimal nearest = printed(value, length);
        const float back = nearest.read();
        if (back == value)
            return nearest;
        Decimal other = nearest.next(back < value ? 1 : -1);
        if (other.read() == value)
            return other;
    }
}

} // namespace

std::to_chars_result floatToChars(char* first, char* last, float value, std::chars_format format)
{
    std::string text = std::signbit(value) ? "-" : "";
    const float magnitude = std::fabs(value);
    if (std::isnan(value))
        text += "nan";
    else if (std::isinf(value))
        text += "inf";
    else if (magnitude == 0.0f)
        text += format == std::chars_format::scientific ? "0e+00" : "0";
    else if (format == std::chars_format::scientific)
        text += shortest(magnitude).scientific();
    else
        text += shortest(magnitude).fixed(magnitude);
    return copyOut(first, last, text);
}

std::to_chars_result doubleToChars(char* first, char* last, double value, std::chars_format format, int precision)
{
    const char* conversion = format == std::chars_format::fixed        ? "%.*f"
                             : format == std::chars_format::scientific ? "%.*e"
                                                                       : "%.*g";
    char text[512];
    const int length = std::snprintf(text, sizeof text, conversion, precision, value);
    if (length < 0 || static_cast<std::size_t>(length) >= sizeof text)
        return {last, std::errc::value_too_large};
    return copyOut(first, last, std::string_view(text, static_cast<std::size_t>(length)));
}

// strtod reads more than from_chars does (blanks, a plus sign, hexadecimal),
// so the text from_chars takes is found first and only that is converted.
std::from_chars_result doubleFromChars(const char* first, const char* last, double& value)
{
    const std::string_view text(first, static_cast<std::size_t>(last - first));
    std::size_t at = !text.empty() && text[0] == '-' ? 1 : 0;
    const auto digit = [&](std::size_t i) { return i < text.size() && text[i] >= '0' && text[i] <= '9'; };
    const auto word = [&](std::size_t i, std::string_view w) {
        if (text.size() - i < w.size())
            return false;
        for (std::size_t k = 0; k < w.size(); ++k)
            if ((text[i + k] | 0x20) != w[k])
                return false;
        return true;
    };
    std::size_t end = at;
    if (word(at, "infinity")) {
        end = at + 8;
    } else if (word(at, "inf")) {
        end = at + 3;
    } else if (word(at, "nan")) {
        end = at + 3;
        std::size_t close = end + 1;
        if (end < text.size() && text[end] == '(') {
            while (close < text.size() && (std::isalnum(static_cast<unsigned char>(text[close])) || text[close] == '_'))
                ++close;
            if (close < text.size() && text[close] == ')')
                end = close + 1;
        }
    } else {
        bool any = false;
        while (digit(end))
            ++end, any = true;
        if (end < text.size() && text[end] == '.') {
            ++end;
            while (digit(end))
                ++end, any = true;
        }
        if (!any)
            return {first, std::errc::invalid_argument};
        if (end < text.size() && (text[end] | 0x20) == 'e') {
            std::size_t exponent = end + 1;
            if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-'))
                ++exponent;
            if (digit(exponent)) {
                while (digit(exponent))
                    ++exponent;
                end = exponent;
            }
        }
    }
    const std::string taken(text.substr(0, end));
    errno = 0;
    const double read = std::strtod(taken.c_str(), nullptr);
    // Out of range is a value too large for a double, or too small to be
    // anything but zero; one that only loses precision is read.
    if (errno == ERANGE && (std::isinf(read) || read == 0.0))
        return {first + end, std::errc::result_out_of_range};
    value = read;
    return {first + end, std::errc()};
}

} // namespace standin

} // namespace morvane
