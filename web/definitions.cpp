#include "web/definitions.h"

#include <charconv>

#include "game/input.h"
#include "game/puzzle.h"

namespace morvane::page {

namespace {

const char* kindName(forms::ControlKind kind)
{
    switch (kind) {
    case forms::ControlKind::Label:
        return "Label";
    case forms::ControlKind::PictureBox:
        return "PictureBox";
    case forms::ControlKind::Button:
        return "Button";
    case forms::ControlKind::HelpControl:
        return "HelpControl";
    }
    return "";
}

void writeControl(Json& json, const forms::Control& control)
{
    json.open()
        .field("kind", kindName(control.kind))
        .field("left", control.rect.left)
        .field("top", control.rect.top)
        .field("width", control.rect.width)
        .field("height", control.rect.height)
        .field("text", control.text)
        .field("face", control.font.face)
        .field("points", control.font.points)
        .field("bold", control.font.bold)
        .field("underline", control.font.underline)
        .field("centred", control.alignment == forms::Alignment::Centre)
        .field("borderPixels", forms::borderPixels(control.border))
        .field("sunken", control.border == forms::Border::Sunken)
        .field("foreground", colourOf(control.foreground))
        .field("background", colourOf(control.background))
        .field("visible", control.visible)
        .field("tabIndex", control.tabIndex)
        .close();
}

} // namespace

void Json::separate()
{
    if (!first_)
        text_ += ',';
    first_ = false;
}

Json& Json::start(char bracket)
{
    separate();
    text_ += bracket;
    first_ = true;
    return *this;
}

Json& Json::end(char bracket)
{
    text_ += bracket;
    first_ = false;
    return *this;
}

Json& Json::key(std::string_view name)
{
    value(name);
    text_ += ':';
    first_ = true;
    return *this;
}

// The definitions' texts are the game's own, but a quote, a backslash or a
// control character is escaped all the same.
Json& Json::value(std::string_view text)
{
    separate();
    text_ += '"';
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            text_ += '\\';
            text_ += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            constexpr char kHex[] = "0123456789abcdef";
            text_ += "\\u00";
            text_ += kHex[c >> 4];
            text_ += kHex[c & 15];
        } else {
            text_ += c;
        }
    }
    text_ += '"';
    return *this;
}

Json& Json::value(int number)
{
    separate();
    char digits[12];
    text_.append(digits, std::to_chars(digits, digits + sizeof digits, number).ptr);
    return *this;
}

Json& Json::value(bool truth)
{
    separate();
    text_ += truth ? "true" : "false";
    return *this;
}

std::string colourOf(Rgb colour)
{
    constexpr char kHex[] = "0123456789abcdef";
    std::string text = "#";
    for (const int part : {colour.red, colour.green, colour.blue}) {
        text += kHex[part >> 4];
        text += kHex[part & 15];
    }
    return text;
}

void writeForm(Json& json, const forms::Form& form, Controls controls)
{
    const forms::TwipsSize client = forms::clientSize(form);
    json.field("caption", form.caption)
        .field("width", client.width)
        .field("height", client.height)
        .field("background", colourOf(form.background))
        // Ink and surface go together: the game's white is always written on in black.
        .field("ink", colourOf(forms::kBlack));
    json.key("controls").openList();
    for (const forms::Control* control : controls)
        writeControl(json, *control);
    json.closeList();
}

void writeCommon(Json& json)
{
    // A CSS pixel counts as one of a standard screen: the browser's zoom and
    // the screen's density scale the page from there.
    json.field("twipsPerPixel", forms::kTwipsPerPixel);
    // The page's scale moves in steps of one device pixel per square.
    json.field("squareTwips", kSquareTwips);
    json.key("codes").open();
    json.key("buttons").open().field("left", button::Left).field("right", button::Right).field("middle", button::Middle).close();
    json.key("modifiers").open().field("shift", modifier::Shift).field("ctrl", modifier::Ctrl).field("alt", modifier::Alt).close();
    // The browser's names for its pointer events, pointers and keys; a letter
    // or a digit is numbered by its capital.
    json.key("actions")
        .open()
        .field("pointerdown", static_cast<int>(PointerAction::Press))
        .field("pointermove", static_cast<int>(PointerAction::Move))
        .field("pointerup", static_cast<int>(PointerAction::Release))
        .field("pointercancel", static_cast<int>(PointerAction::Cancel))
        .close();
    json.key("kinds")
        .open()
        .field("mouse", static_cast<int>(PointerKind::Mouse))
        .field("pen", static_cast<int>(PointerKind::Pen))
        .field("touch", static_cast<int>(PointerKind::Touch))
        .close();
    json.key("keys")
        .open()
        .field("Tab", key::Tab)
        .field("Enter", key::Enter)
        .field("Escape", key::Escape)
        .field(" ", key::Space)
        .field("ArrowLeft", key::Left)
        .field("ArrowUp", key::Up)
        .field("ArrowRight", key::Right)
        .field("ArrowDown", key::Down)
        .field("F1", key::F1)
        .close();
    json.close();
    json.field("programTitle", forms::kProgramTitle);
    // A face the browser lacks falls back to the title's, as on the desktop.
    json.field("fallbackFace", forms::kTitleFont.face);
}

} // namespace morvane::page
