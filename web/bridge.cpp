// The exports every window's module has (see bridge.h).

#include "web/bridge.h"

using morvane::page::Window;

PAGE_EXPORT(definitions) const char* definitions() { return morvane::page::definitionsText().data(); }
PAGE_EXPORT(definitionsLength) int definitionsLength()
{
    return morvane::page::lengthOf(morvane::page::definitionsText());
}

// The page hands the window this gives to each handler.
PAGE_EXPORT(Form_Load) Window* Form_Load() { return morvane::page::loadWindow(); }

// With the codes the page was given in the definitions.
PAGE_EXPORT(pointer)
void pointer(Window* window, int action, int id, int kind, int button, int buttons, int shift, float x, float y)
{
    window->pointer({static_cast<morvane::PointerAction>(action), id, static_cast<morvane::PointerKind>(kind), button,
                     buttons, shift, x, y});
}
PAGE_EXPORT(key) bool key(Window* window, int key, int shift, bool pressed)
{
    return window->key({key, shift, pressed});
}
