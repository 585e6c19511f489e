#include "platform/x11/X11DesktopServices.h"

#include "platform/x11/Xcb.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeySequence>
#include <QList>
#include <QWindow>

#include <xcb/xtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

// The X keysyms this needs by name; Latin-1 keys are their own characters.
constexpr xcb_keysym_t KeysymF1 = 0xffbe;
constexpr xcb_keysym_t KeysymInsert = 0xff63;
constexpr xcb_keysym_t KeysymShiftL = 0xffe1;
constexpr xcb_keysym_t KeysymControlL = 0xffe3;
constexpr xcb_keysym_t KeysymAltL = 0xffe9;
constexpr xcb_keysym_t KeysymSuperL = 0xffeb;
constexpr xcb_keysym_t KeysymNumLock = 0xff7f;

constexpr quint8 BadAccess = 10;
// Shift, Lock, Control, Mod1…Mod5: the bits of a key event's state that are modifiers.
constexpr quint16 ModifierBits = 0xff;

struct KeyName
{
    int qt;
    xcb_keysym_t x;
};
constexpr KeyName SpecialKeys[] = {
    { Qt::Key_Escape, 0xff1b },
    { Qt::Key_Tab, 0xff09 },
    { Qt::Key_Backspace, 0xff08 },
    { Qt::Key_Return, 0xff0d },
    { Qt::Key_Enter, 0xff8d },
    { Qt::Key_Insert, KeysymInsert },
    { Qt::Key_Delete, 0xffff },
    { Qt::Key_Pause, 0xff13 },
    { Qt::Key_Print, 0xff61 },
    { Qt::Key_Home, 0xff50 },
    { Qt::Key_Left, 0xff51 },
    { Qt::Key_Up, 0xff52 },
    { Qt::Key_Right, 0xff53 },
    { Qt::Key_Down, 0xff54 },
    { Qt::Key_PageUp, 0xff55 },
    { Qt::Key_PageDown, 0xff56 },
    { Qt::Key_End, 0xff57 },
};

xcb_keysym_t keysymFor(int key)
{
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return xcb_keysym_t(key - Qt::Key_A + 'a');
    if (key >= Qt::Key_Space && key <= Qt::Key_AsciiTilde)
        return xcb_keysym_t(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F35)
        return KeysymF1 + xcb_keysym_t(key - Qt::Key_F1);
    for (const KeyName &k : SpecialKeys) {
        if (k.qt == key)
            return k.x;
    }
    return 0;
}

// The keyboard's keycode-to-keysym table, read once per request that needs it.
class KeyboardMap
{
public:
    explicit KeyboardMap(xcb_connection_t *c)
        : m_min(xcb_get_setup(c)->min_keycode)
    {
        const int count = xcb_get_setup(c)->max_keycode - m_min + 1;
        xcb_get_keyboard_mapping_reply_t *r
            = xcb_get_keyboard_mapping_reply(c, xcb_get_keyboard_mapping(c, m_min, quint8(count)), nullptr);
        if (!r)
            return;
        m_perKeycode = r->keysyms_per_keycode;
        const xcb_keysym_t *syms = xcb_get_keyboard_mapping_keysyms(r);
        m_syms = QList<xcb_keysym_t>(syms, syms + xcb_get_keyboard_mapping_keysyms_length(r));
        std::free(r);
    }

    // The key that gives the keysym, preferably without Shift; 0 when no key does.
    xcb_keycode_t keycodeOf(xcb_keysym_t sym) const
    {
        for (int column = 0; column < qMin(m_perKeycode, 2); ++column) {
            for (qsizetype i = 0; i < m_syms.size() / m_perKeycode; ++i) {
                if (m_syms[i * m_perKeycode + column] == sym)
                    return xcb_keycode_t(m_min + i);
            }
        }
        return 0;
    }

    bool gives(xcb_keycode_t code, xcb_keysym_t sym) const
    {
        const qsizetype first = qsizetype(code - m_min) * m_perKeycode;
        for (int column = 0; column < m_perKeycode && first + column < m_syms.size(); ++column) {
            if (first >= 0 && m_syms[first + column] == sym)
                return true;
        }
        return false;
    }

private:
    xcb_keycode_t m_min;
    int m_perKeycode = 0;
    QList<xcb_keysym_t> m_syms;
};

// The modifier bit that a key such as Num Lock or Alt sets on this keyboard.
quint16 modifierMaskOf(xcb_connection_t *c, const KeyboardMap &map, xcb_keysym_t sym, quint16 usual)
{
    quint16 mask = 0;
    xcb_get_modifier_mapping_reply_t *r = xcb_get_modifier_mapping_reply(c, xcb_get_modifier_mapping(c), nullptr);
    if (r) {
        const xcb_keycode_t *codes = xcb_get_modifier_mapping_keycodes(r);
        for (int modifier = 0; modifier < 8; ++modifier) {
            for (int j = 0; j < r->keycodes_per_modifier; ++j) {
                const xcb_keycode_t code = codes[modifier * r->keycodes_per_modifier + j];
                if (code && map.gives(code, sym))
                    mask |= quint16(1 << modifier);
            }
        }
        std::free(r);
    }
    return mask ? mask : usual;
}

// Every combination of the lock bits, none included: a grab holds for one exact state.
QList<quint16> lockVariants(quint16 locks)
{
    QList<quint16> variants { 0 };
    for (quint16 bit = 1; bit && bit <= locks; bit = quint16(bit << 1)) {
        if (!(locks & bit))
            continue;
        const qsizetype n = variants.size();
        for (qsizetype i = 0; i < n; ++i)
            variants.append(variants[i] | bit);
    }
    return variants;
}

// One of this program's own windows.
bool isOwnWindow(xcb_window_t window)
{
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return false;
    const QList<QWindow *> windows = QGuiApplication::allWindows();
    return std::any_of(windows.cbegin(), windows.cend(),
        [window](const QWindow *w) { return w->handle() && xcb_window_t(w->winId()) == window; });
}

bool hasXTest(xcb_connection_t *c)
{
    const xcb_query_extension_reply_t *ext = xcb_get_extension_data(c, &xcb_test_id);
    return ext && ext->present;
}

} // namespace

X11DesktopServices::X11DesktopServices(QObject *parent)
    : DesktopServices(parent)
{
    if (QCoreApplication *app = QCoreApplication::instance())
        app->installNativeEventFilter(this);
}

X11DesktopServices::~X11DesktopServices()
{
    releaseShortcut();
    if (QCoreApplication *app = QCoreApplication::instance())
        app->removeNativeEventFilter(this);
}

DesktopServices::Session X11DesktopServices::session() const
{
    return Xcb::connection() ? Session::X11 : Session::None;
}

DesktopServices::Capabilities X11DesktopServices::capabilities() const
{
    xcb_connection_t *c = Xcb::connection();
    if (!c)
        return {};
    Capabilities can = Capability::GlobalShortcut;
    // A window manager that says it handles activation; without one nothing is active.
    const QByteArray supported
        = Xcb::property(c, Xcb::defaultRoot(c), Xcb::internAtom(c, "_NET_SUPPORTED"), XCB_ATOM_ATOM);
    const xcb_atom_t active = Xcb::internAtom(c, "_NET_ACTIVE_WINDOW");
    for (qsizetype at = 0; at + qsizetype(sizeof active) <= supported.size(); at += sizeof active) {
        xcb_atom_t a;
        std::memcpy(&a, supported.constData() + at, sizeof a);
        if (a == active)
            can |= Capability::ActiveWindow;
    }
    if (hasXTest(c))
        can |= Capability::PasteKey;
    return can;
}

DesktopServices::Grab X11DesktopServices::grabShortcut(const QKeySequence &keys)
{
    xcb_connection_t *c = Xcb::connection();
    if (!c)
        return Grab::Unsupported;
    if (keys.isEmpty())
        return Grab::Unusable;
    const QKeyCombination wanted = keys[0];
    const KeyboardMap map(c);
    const xcb_keysym_t sym = keysymFor(wanted.key());
    const xcb_keycode_t code = sym ? map.keycodeOf(sym) : 0;
    if (!code)
        return Grab::Unusable;

    const Qt::KeyboardModifiers qtModifiers = wanted.keyboardModifiers();
    quint16 modifiers = 0;
    if (qtModifiers & Qt::ShiftModifier)
        modifiers |= XCB_MOD_MASK_SHIFT;
    if (qtModifiers & Qt::ControlModifier)
        modifiers |= XCB_MOD_MASK_CONTROL;
    if (qtModifiers & Qt::AltModifier)
        modifiers |= modifierMaskOf(c, map, KeysymAltL, XCB_MOD_MASK_1);
    if (qtModifiers & Qt::MetaModifier)
        modifiers |= modifierMaskOf(c, map, KeysymSuperL, XCB_MOD_MASK_4);
    const Combination combination { code, modifiers };
    if (m_grabbed == combination)
        return Grab::Grabbed;

    // The key must work with Caps Lock and Num Lock on as well.
    const quint16 locks = XCB_MOD_MASK_LOCK | modifierMaskOf(c, map, KeysymNumLock, XCB_MOD_MASK_2);
    const xcb_window_t root = Xcb::defaultRoot(c);
    const QList<quint16> variants = lockVariants(locks);
    QList<xcb_void_cookie_t> cookies;
    for (quint16 v : variants) {
        // Not reported to our own windows even when one of them has the keyboard.
        cookies.append(
            xcb_grab_key_checked(c, 0, root, quint16(modifiers | v), code, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    }
    Grab result = Grab::Grabbed;
    QList<quint16> held;
    for (qsizetype i = 0; i < cookies.size(); ++i) {
        xcb_generic_error_t *error = xcb_request_check(c, cookies[i]);
        if (!error) {
            held.append(variants[i]);
            continue;
        }
        if (error->error_code == BadAccess)
            result = Grab::Taken;
        else if (result == Grab::Grabbed)
            result = Grab::Unusable;
        std::free(error);
    }
    if (result != Grab::Grabbed) {
        for (quint16 v : std::as_const(held))
            xcb_ungrab_key(c, code, root, quint16(modifiers | v));
        xcb_flush(c);
        return result;
    }
    releaseShortcut();
    m_grabbed = combination;
    m_lockMask = locks;
    return Grab::Grabbed;
}

void X11DesktopServices::releaseShortcut()
{
    if (!m_grabbed)
        return;
    if (xcb_connection_t *c = Xcb::connection()) {
        const xcb_window_t root = Xcb::defaultRoot(c);
        for (quint16 v : lockVariants(m_lockMask))
            xcb_ungrab_key(c, m_grabbed->keycode, root, quint16(m_grabbed->modifiers | v));
        xcb_flush(c);
    }
    m_grabbed.reset();
}

bool X11DesktopServices::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (!m_grabbed || eventType != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    if ((event->response_type & 0x7f) != XCB_KEY_PRESS)
        return false;
    const auto *key = static_cast<const xcb_key_press_event_t *>(message);
    if (key->event != key->root || key->detail != m_grabbed->keycode
        || (key->state & ModifierBits & ~m_lockMask) != m_grabbed->modifiers)
        return false;
    emit shortcutActivated(key->time);
    return true;
}

DesktopServices::WindowId X11DesktopServices::activeWindow() const
{
    xcb_connection_t *c = Xcb::connection();
    if (!c)
        return 0;
    const QByteArray value
        = Xcb::property(c, Xcb::defaultRoot(c), Xcb::internAtom(c, "_NET_ACTIVE_WINDOW"), XCB_ATOM_WINDOW);
    xcb_window_t window = XCB_WINDOW_NONE;
    if (value.size() >= qsizetype(sizeof window))
        std::memcpy(&window, value.constData(), sizeof window);
    return window;
}

bool X11DesktopServices::activateWindow(WindowId window, quint32 timestamp)
{
    xcb_connection_t *c = Xcb::connection();
    if (!c || !window)
        return false;
    xcb_client_message_event_t ev = {};
    ev.response_type = XCB_CLIENT_MESSAGE;
    ev.format = 32;
    ev.window = xcb_window_t(window);
    ev.type = Xcb::internAtom(c, "_NET_ACTIVE_WINDOW");
    // Our own window: an application's request, which the window manager weighs by the
    // time of the user's action that caused it. Another program's: a request on the
    // user's behalf, as a pager's, which focus-stealing prevention lets through.
    ev.data.data32[0] = isOwnWindow(xcb_window_t(window)) ? 1 : 2;
    ev.data.data32[1] = timestamp;
    ev.data.data32[2] = XCB_WINDOW_NONE;
    xcb_send_event(c, 0, Xcb::defaultRoot(c), XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
        reinterpret_cast<const char *>(&ev));
    xcb_flush(c);
    return true;
}

bool X11DesktopServices::sendPasteKey(WindowId window, PasteKey key)
{
    xcb_connection_t *c = Xcb::connection();
    // XTest types on the real keyboard: only the window that has it would get the key.
    if (!c || !window || !hasXTest(c) || activeWindow() != window)
        return false;
    const KeyboardMap map(c);
    const xcb_keycode_t modifier = map.keycodeOf(key == PasteKey::CtrlV ? KeysymControlL : KeysymShiftL);
    const xcb_keycode_t main = map.keycodeOf(key == PasteKey::CtrlV ? xcb_keysym_t('v') : KeysymInsert);
    if (!modifier || !main)
        return false;
    const std::pair<quint8, xcb_keycode_t> strokes[] = {
        { XCB_KEY_PRESS, modifier },
        { XCB_KEY_PRESS, main },
        { XCB_KEY_RELEASE, main },
        { XCB_KEY_RELEASE, modifier },
    };
    for (const auto &[type, code] : strokes)
        xcb_test_fake_input(c, type, code, XCB_CURRENT_TIME, XCB_WINDOW_NONE, 0, 0, 0);
    xcb_flush(c);
    return true;
}

QString X11DesktopServices::windowClass(WindowId window) const
{
    xcb_connection_t *c = Xcb::connection();
    if (!c || !window)
        return {};
    // Two strings, each ending in a zero byte: the instance name, then the class name.
    const QByteArray value = Xcb::property(c, xcb_window_t(window), XCB_ATOM_WM_CLASS, XCB_ATOM_STRING);
    const QList<QByteArray> parts = value.split('\0');
    return parts.size() >= 2 ? QString::fromLocal8Bit(parts[1]) : QString();
}

bool X11DesktopServices::modifiersHeld() const
{
    xcb_connection_t *c = Xcb::connection();
    if (!c)
        return false;
    xcb_query_pointer_reply_t *r = xcb_query_pointer_reply(c, xcb_query_pointer(c, Xcb::defaultRoot(c)), nullptr);
    if (!r)
        return false;
    const quint16 state = r->mask;
    std::free(r);
    const KeyboardMap map(c);
    const quint16 locks = XCB_MOD_MASK_LOCK | modifierMaskOf(c, map, KeysymNumLock, XCB_MOD_MASK_2);
    return (state & ModifierBits & ~locks) != 0;
}
