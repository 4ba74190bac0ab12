#pragma once

// The windows' definitions as the page reads them: JSON text, written by the
// splash's module and by the game's from the same rules, so both hand the
// page the same shapes and the page holds no number of its own.

#include <span>
#include <string>
#include <string_view>

#include "game/forms.h"

namespace morvane::page {

// Writes JSON as it goes: an object or a list is opened, filled, and closed;
// the commas come by themselves.
class Json {
public:
    Json& open() { return start('{'); }
    Json& openList() { return start('['); }
    Json& close() { return end('}'); }
    Json& closeList() { return end(']'); }
    Json& key(std::string_view name);
    Json& value(std::string_view text);
    Json& value(const char* text) { return value(std::string_view(text)); }
    Json& value(int number);
    Json& value(bool truth);

    template <typename Value>
    Json& field(std::string_view name, Value v)
    {
        return key(name).value(v);
    }

    const std::string& text() const { return text_; }

private:
    Json& start(char bracket);
    Json& end(char bracket);
    void separate();

    std::string text_;
    bool first_ = true;
};

using Controls = std::span<const forms::Control* const>;

// A game colour as the page's style sheets write it, "#rrggbb".
std::string colourOf(Rgb colour);

// A window's caption, client size, place on the screen and colours, and its
// controls in their order as "controls", as fields of the object being
// written; the caller adds what else the window needs.
void writeForm(Json& json, const forms::Form& form, Controls controls);

// What both windows' scripts share, as fields of the object being written:
// the twips, the game's codes for the browser's pointer events, buttons,
// modifiers and keys, the program's title and the face a missing one falls
// back to.
void writeCommon(Json& json);

} // namespace morvane::page
