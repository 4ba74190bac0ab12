#pragma once

// What the page's two windows share. Each is one object that the page's
// script makes with an object of its own for the window: the window's front
// end forwards each request of the controller to that object, as a call of
// the method of the same name, and the controller's handlers are the
// methods the script calls in turn.

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <string>
#include <utility>

namespace morvane::page {

class Forwarder {
protected:
    explicit Forwarder(emscripten::val page) : page_(std::move(page)) {}

    template <typename Result = void, typename... Args>
    Result call(const char* method, Args&&... args) const
    {
        return page_.call<Result>(method, std::forward<Args>(args)...);
    }

private:
    emscripten::val page_;
};

// The front end is made first, so the controller is given a whole one.
template <typename FrontEnd, typename Controller>
class Window final : private FrontEnd, public Controller {
public:
    explicit Window(emscripten::val page) : FrontEnd(std::move(page)), Controller(static_cast<FrontEnd&>(*this)) {}
};

template <typename Handler>
struct Named {
    const char* name;
    Handler handler;
};
template <typename Handler>
Named(const char*, Handler) -> Named<Handler>;

// The controller's handlers under their own names, and the window the
// script makes with `new module.<form>(page)`.
template <typename FrontEnd, typename Controller, typename... Handlers>
void bindWindow(const char* form, Named<Handlers>... handlers)
{
    emscripten::class_<Controller> controller((std::string(form) + "Controller").c_str());
    (controller.function(handlers.name, handlers.handler), ...);
    emscripten::class_<Window<FrontEnd, Controller>, emscripten::base<Controller>>(form)
        .template constructor<emscripten::val>();
}

} // namespace morvane::page
