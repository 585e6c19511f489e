#include "platform/x11/X11WindowPlatform.h"

#include "platform/x11/Xcb.h"

#include <QVariant>
#include <QWindow>

#include <cstdlib>
#include <cstring>

namespace {

using Xcb::connection;

constexpr char PlacedTypeProperty[] = "zeltoPlacedWindowType";

xcb_window_t rootOf(xcb_connection_t *c, xcb_window_t w)
{
    xcb_get_geometry_reply_t *geo = xcb_get_geometry_reply(c, xcb_get_geometry(c, w), nullptr);
    const xcb_window_t root = geo ? geo->root : xcb_window_t(XCB_WINDOW_NONE);
    std::free(geo);
    return root;
}

// _NET_WM_STATE belongs to the window manager while the window is mapped: ask it with a
// client message. While the window is withdrawn the property is ours, and Qt merges it
// with its own states when it maps the window; the window manager may be taking the
// window over at this very moment, so it gets the message then as well.
void applySkipTaskbar(QWindow *window, bool on, xcb_atom_t state, xcb_atom_t skip)
{
    xcb_connection_t *c = connection();
    if (!c)
        return;
    const xcb_window_t w = xcb_window_t(window->winId());
    if (state == XCB_ATOM_NONE || skip == XCB_ATOM_NONE)
        return;

    xcb_get_window_attributes_reply_t *attrs
        = xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, w), nullptr);
    const bool mapped = attrs && attrs->map_state != XCB_MAP_STATE_UNMAPPED;
    std::free(attrs);

    if (!mapped) {
        QList<xcb_atom_t> atoms;
        xcb_get_property_reply_t *prop
            = xcb_get_property_reply(c, xcb_get_property(c, 0, w, state, XCB_ATOM_ATOM, 0, 1024), nullptr);
        if (prop && prop->format == 32 && prop->type == XCB_ATOM_ATOM) {
            const auto *data = static_cast<const xcb_atom_t *>(xcb_get_property_value(prop));
            atoms = QList<xcb_atom_t>(data, data + xcb_get_property_value_length(prop) / 4);
        }
        std::free(prop);
        atoms.removeAll(skip);
        if (on)
            atoms.append(skip);
        xcb_change_property(
            c, XCB_PROP_MODE_REPLACE, w, state, XCB_ATOM_ATOM, 32, quint32(atoms.size()), atoms.constData());
    }
    // Also while unmapped: a window whose map request the window manager is handling
    // right now has had its property read already, but will see the message.
    const xcb_window_t root = rootOf(c, w);
    if (root == XCB_WINDOW_NONE)
        return;
    xcb_client_message_event_t ev = {};
    ev.response_type = XCB_CLIENT_MESSAGE;
    ev.format = 32;
    ev.window = w;
    ev.type = state;
    ev.data.data32[0] = on ? 1 : 0; // _NET_WM_STATE_ADD / _REMOVE
    ev.data.data32[1] = skip;
    ev.data.data32[2] = 0;
    ev.data.data32[3] = 1; // from an application
    xcb_send_event(c, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
        reinterpret_cast<const char *>(&ev));
    xcb_flush(c);
}

// WM_HINTS: flags, input, initial_state, then six fields this does not touch.
void clearIconicHint(xcb_window_t w)
{
    constexpr quint32 StateHint = 1 << 1;
    constexpr quint32 NormalState = 1;
    xcb_connection_t *c = connection();
    if (!c)
        return;
    quint32 hints[9] = {};
    xcb_get_property_reply_t *prop
        = xcb_get_property_reply(c, xcb_get_property(c, 0, w, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 0, 9), nullptr);
    if (prop && prop->format == 32 && prop->type == XCB_ATOM_WM_HINTS) {
        const int n = qMin(xcb_get_property_value_length(prop) / 4, 9);
        std::memcpy(hints, xcb_get_property_value(prop), size_t(n) * 4);
    }
    std::free(prop);
    if ((hints[0] & StateHint) && hints[2] == NormalState)
        return;
    hints[0] |= StateHint;
    hints[2] = NormalState;
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 32, 9, hints);
    xcb_flush(c);
}

// The name the window manager gives itself on its _NET_SUPPORTING_WM_CHECK window.
QByteArray windowManagerName(xcb_atom_t supportingCheck, xcb_atom_t wmName, xcb_atom_t utf8String)
{
    xcb_connection_t *c = connection();
    if (!c)
        return {};
    const QByteArray check = Xcb::property(c, Xcb::defaultRoot(c), supportingCheck, XCB_ATOM_WINDOW);
    if (check.size() != sizeof(xcb_window_t))
        return {};
    return Xcb::property(c, *reinterpret_cast<const xcb_window_t *>(check.constData()), wmName, utf8String);
}

} // namespace

bool X11WindowPlatform::canSetOpacity() const
{
    return true;
}

void X11WindowPlatform::setSkipTaskbar(QWindow *window, bool on)
{
    if (!window)
        return;
    applySkipTaskbar(window, on, atom("_NET_WM_STATE"), atom("_NET_WM_STATE_SKIP_TASKBAR"));
}

// Window managers leave splash screens where their program puts them (openbox keeps only
// "normal" windows partly on screen, and reads the type again when it changes). The type
// goes back to what it was, kept on the window meanwhile, as soon as the window may be
// placed normally again.
void X11WindowPlatform::setFreePlacement(QWindow *window, bool on)
{
    if (!window || window->property(PlacedTypeProperty).isValid() == on)
        return;
    const Qt::WindowFlags flags = window->flags();
    Qt::WindowFlags type = flags & Qt::WindowType_Mask;
    if (on) {
        window->setProperty(PlacedTypeProperty, int(type));
        type = Qt::SplashScreen;
    } else {
        type = Qt::WindowFlags(window->property(PlacedTypeProperty).toInt());
        window->setProperty(PlacedTypeProperty, QVariant());
    }
    window->setFlags((flags & ~Qt::WindowType_Mask) | type);
}

// X keeps the "start iconified" hint of a minimize even after the window manager restored
// the window, and would map it minimized again.
void X11WindowPlatform::clearIconicStart(QWindow *window)
{
    if (window && window->handle())
        clearIconicHint(xcb_window_t(window->winId()));
}

void X11WindowPlatform::flush()
{
    if (xcb_connection_t *c = connection())
        xcb_flush(c);
}

// weston's X window manager (XWayland under weston) ignores where X11 clients place their
// windows, as Wayland itself does. The answer is kept once a window manager has named itself.
bool X11WindowPlatform::canPlaceWindows() const
{
    if (!m_canPlaceWindows) {
        const QByteArray name
            = windowManagerName(atom("_NET_SUPPORTING_WM_CHECK"), atom("_NET_WM_NAME"), atom("UTF8_STRING"));
        if (name.isEmpty())
            return true;
        m_canPlaceWindows = name != "Weston WM";
    }
    return *m_canPlaceWindows;
}

std::uint32_t X11WindowPlatform::atom(const char *name) const
{
    const auto known = m_atoms.find(name);
    if (known != m_atoms.end())
        return known->second;
    xcb_connection_t *c = connection();
    const xcb_atom_t a = c ? Xcb::internAtom(c, name) : xcb_atom_t(XCB_ATOM_NONE);
    if (a != XCB_ATOM_NONE)
        m_atoms.emplace(name, a);
    return a;
}
