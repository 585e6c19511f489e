#pragma once

#include <xcb/xcb.h>

#include <QByteArray>

// Small requests both X11 services make on Qt's own connection to the X server.
namespace Xcb {

// Qt's connection; null on any other platform, without a GUI application object or
// before it exists.
xcb_connection_t *connection();

xcb_atom_t internAtom(xcb_connection_t *c, const char *name);

// The root window of the first screen.
xcb_window_t defaultRoot(xcb_connection_t *c);

// The whole value of a window's property of the given type; empty when it has none.
QByteArray property(xcb_connection_t *c, xcb_window_t window, xcb_atom_t name, xcb_atom_t type);

} // namespace Xcb
