#include "qt/emptycaption.h"

#include <QGuiApplication>
#include <QWidget>

// Built where Qt speaks X11 and the build found libxcb to speak it too.
#if defined(MORVANE_HAVE_XCB) && QT_CONFIG(xcb)
#define MORVANE_X11_CAPTION 1
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#endif

namespace morvane {

#ifdef MORVANE_X11_CAPTION
namespace {

xcb_atom_t internAtom(xcb_connection_t* connection, const char* name)
{
    const xcb_intern_atom_cookie_t cookie
        = xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
}

} // namespace
#endif

void clearPlatformCaption(QWidget* window)
{
#ifdef MORVANE_X11_CAPTION
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    // The offscreen platform answers as X11 too, with no connection behind it.
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection || !window->testAttribute(Qt::WA_WState_Created))
        return;
    const xcb_atom_t name = internAtom(connection, "_NET_WM_NAME");
    const xcb_atom_t utf8 = internAtom(connection, "UTF8_STRING");
    if (name == XCB_ATOM_NONE || utf8 == XCB_ATOM_NONE)
        return;
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window->winId()), name, utf8, 8,
                        0, nullptr);
    xcb_flush(connection);
#else
    (void)window;
#endif
}

} // namespace morvane
