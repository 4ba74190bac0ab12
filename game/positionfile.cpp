#include "game/positionfile.h"

#include <cmath>
#include <limits>

#include "game/charconv.h"
#include "game/runtime.h"

namespace morvane {

namespace {

constexpr std::size_t kMaxNumberField = 64;
constexpr std::size_t kMaxCaptionField = 256;

// The runtime's way of writing large and tiny numbers: "1E+07", "2.5E-06".
std::string upperExponent(std::string text)
{
    if (const auto e = text.find('e'); e != std::string::npos)
        text[e] = 'E';
    return text;
}

std::string shortestDigits(float magnitude)
{
    char buffer[64];
    const bool fixed = magnitude == 0.0f || (magnitude >= 1e-5f && magnitude < 1e7f);
    const auto result = floatToChars(buffer, buffer + sizeof buffer, magnitude,
                                 fixed ? std::chars_format::fixed : std::chars_format::scientific);
    return upperExponent(std::string(buffer, result.ptr));
}

class FieldReader {
public:
    explicit FieldReader(std::string_view bytes) : rest_(bytes) {}

    bool atEnd() const { return rest_.empty(); }

    // A number field: blanks and blank lines before it are skipped; it ends at
    // a space, a tab, a comma or a line end.
    std::optional<std::string> number()
    {
        skip(" \t\r\n");
        std::string field;
        while (!atEnd() && !isOneOf(peek(), " \t,\r\n")) {
            if (field.size() == kMaxNumberField)
                return std::nullopt;
            field.push_back(get());
        }
        if (field.empty())
            return std::nullopt;
        endOfField();
        return field;
    }

    // The counter: the rest of its line, up to a comma, without the blanks
    // around it. A file that ends straight after the last coordinate has none.
    std::optional<std::string> caption()
    {
        if (atEnd())
            return std::nullopt;
        skip(" \t\r\n");
        std::string field;
        while (!atEnd() && !isOneOf(peek(), ",\r\n")) {
            if (field.size() == kMaxCaptionField)
                return std::nullopt;
            field.push_back(get());
        }
        while (!field.empty() && isOneOf(field.back(), " \t"))
            field.pop_back();
        return field;
    }

private:
    static bool isOneOf(char c, std::string_view set) { return set.find(c) != std::string_view::npos; }
    char peek() const { return rest_.front(); }
    char get()
    {
        const char c = rest_.front();
        rest_.remove_prefix(1);
        return c;
    }

    void skip(std::string_view set)
    {
        while (!atEnd() && isOneOf(peek(), set))
            get();
    }

    // After a field: its trailing blanks, then at most one comma or one line end.
    void endOfField()
    {
        skip(" \t");
        if (atEnd())
            return;
        const char next = peek();
        if (next == ',' || next == '\n' || next == '\r')
            get();
        if (next == '\r' && !atEnd() && peek() == '\n')
            get();
    }

    std::string_view rest_;
};

std::optional<double> parseNumber(std::string_view field)
{
    if (!field.empty() && field.front() == '+')
        field.remove_prefix(1);
    double value = 0.0;
    const auto result = doubleFromChars(field.data(), field.data() + field.size(), value);
    if (result.ec != std::errc() || result.ptr != field.data() + field.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<float> parseTop(std::string_view field)
{
    const auto value = parseNumber(field);
    if (!value || std::fabs(*value) > std::numeric_limits<float>::max())
        return std::nullopt;
    const auto top = static_cast<float>(*value);
    if (!std::isfinite(top))
        return std::nullopt;
    return top;
}

std::optional<float> parseLeft(std::string_view field)
{
    const auto value = parseNumber(field);
    if (!value)
        return std::nullopt;
    try {
        return static_cast<float>(toInt16Rounded(*value));
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
}

} // namespace

std::string numberText(float value)
{
    std::string text(1, value < 0.0f ? '-' : ' ');
    text += shortestDigits(std::fabs(value));
    text += ' ';
    return text;
}

std::string writePositionFile(const Positions& cell, std::string_view caption)
{
    std::string text;
    text.reserve(cell.size() * 16 + caption.size() + 2);
    for (const SquarePosition& s : cell)
        text += numberText(s.top) + numberText(s.left) + "\r\n";
    text += caption;
    text += "\r\n";
    return text;
}

std::optional<SavedPosition> readPositionFile(std::string_view bytes)
{
    FieldReader reader(bytes);
    SavedPosition position;
    for (SquarePosition& s : position.cell) {
        const auto topField = reader.number();
        const auto top = topField ? parseTop(*topField) : std::nullopt;
        if (!top)
            return std::nullopt;
        const auto leftField = reader.number();
        const auto left = leftField ? parseLeft(*leftField) : std::nullopt;
        if (!left)
            return std::nullopt;
        s = {*left, *top};
    }
    auto caption = reader.caption();
    if (!caption)
        return std::nullopt;
    position.caption = std::move(*caption);
    return position;
}

} // namespace morvane
