#pragma once

// The one bridge between the page and each window's module. What a window's
// controller asks of the page is an import of the module "page", named as
// the front end's call is named; what the page tells the controller is an
// export named for the controller's handler. The page makes the window with
// the export Form_Load and hands that window to every other handler. A text
// travels as the place and length of its UTF-8 bytes in the module's memory.
//
// The page lists its functions for each window once (requests() in the
// window's script): the build writes them into an emscripten library, so a
// request the page lacks fails the link, and tests/web/bridge.test.js holds
// the page's functions and its calls to the module's imports and exports.

#define PAGE_IMPORT(name) extern "C" __attribute__((import_module("page"), import_name(#name)))
#define PAGE_EXPORT(name) extern "C" __attribute__((used, export_name(#name)))

#include "game/input.h"

namespace morvane::page {

// A pointer event as the page reports it, with the codes it was given in
// the definitions.
inline PointerEvent pointerEvent(int action, int id, int kind, int button, int buttons, int shift, float x, float y)
{
    return {static_cast<PointerAction>(action), id, static_cast<PointerKind>(kind), button, buttons, shift, x, y};
}

} // namespace morvane::page
