#pragma once

// Input as every front end reports it: what its toolkit saw, in the game's
// own terms and nothing more. A pointer is placed in twips from the top-left
// corner of the window's client area; buttons and modifier keys carry the
// square handlers' codes (button::Left, modifier::Shift, ...). What an event
// means is for the window's controller to decide.

namespace morvane {

enum class PointerKind { Mouse, Pen, Touch };

enum class PointerAction {
    Press,    // `button` went down
    Move,     // the pointer moved; a `button` other than 0 went down or up with it
    Release,  // `button` came up
    Cancel    // the toolkit took the pointer away: no more events come from it
};

struct PointerEvent {
    PointerAction action = PointerAction::Move;
    int id = 0;  // tells apart pointers that are down at once; the mouse keeps one id
    PointerKind kind = PointerKind::Mouse;
    int button = 0;   // the button that changed, or 0
    int buttons = 0;  // every button held once the event is over
    int shift = 0;    // the modifier keys held
    float x = 0.0f;   // client twips
    float y = 0.0f;
};

// A key, numbered as the Windows virtual-key codes number it: a letter is its
// capital's code, a digit its own.
namespace key {
inline constexpr int Tab = 0x09;
inline constexpr int Enter = 0x0D;
inline constexpr int Escape = 0x1B;
inline constexpr int Space = 0x20;
inline constexpr int Left = 0x25;
inline constexpr int Up = 0x26;
inline constexpr int Right = 0x27;
inline constexpr int Down = 0x28;
inline constexpr int F1 = 0x70;
constexpr int letter(char capital) { return capital; }
} // namespace key

struct KeyEvent {
    int key = 0;
    int shift = 0;  // the modifier keys held, Alt included
    bool pressed = true;  // false for a release
};

// How a file chooser that a controller asked for ended.
enum class FileOutcome {
    Done,       // the bytes were kept, or read
    Cancelled,  // the player chose no file
    Failed      // the chosen file could not be written, or read
};

} // namespace morvane
