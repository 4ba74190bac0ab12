#pragma once

// The one bridge between the page and each window's module. What a window's
// controller asks of the page is an import of the module "page", named as
// the front end's call is named; what the page tells the controller is an
// export named for the controller's handler. The page makes the window with
// the export Form_Load and hands that window to every other handler. A text
// travels as the place and length of its UTF-8 bytes in the module's memory.
//
// The page lists its functions for each window once (imports() in the
// window's script): the build writes their names into an emscripten library,
// so a request the page lacks fails the link, and tests/web/page.test.mjs
// holds the page's functions and its calls to the module's imports and
// exports.

#include <string>
#include <string_view>

#include "game/input.h"

#define PAGE_IMPORT(name) extern "C" __attribute__((import_module("page"), import_name(#name)))
#define PAGE_EXPORT(name) extern "C" __attribute__((used, export_name(#name)))

namespace morvane::page {

// A text's or bytes' length as the page is given it.
inline int lengthOf(std::string_view text) { return static_cast<int>(text.size()); }

// A window as the page holds it. Each module has one kind, and gives the
// exports every window has through these.
class Window {
public:
    virtual void pointer(const PointerEvent& event) = 0;
    virtual bool key(const KeyEvent& event) = 0;

protected:
    ~Window() = default;
};

// The module's window, made and loaded: its Form_Load.
Window* loadWindow();
// The module's definitions (see definitions.h) as JSON.
const std::string& definitionsText();

} // namespace morvane::page
