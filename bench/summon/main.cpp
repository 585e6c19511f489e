// bench_summon: times the desktop-wide key from outside, on the X server's own clock.
//
//   bench_summon summon RUNS TITLE TARGET    key press to the window TITLE active
//   bench_summon paste RUNS TITLE TARGET FILE   key press, "kx", then Enter until FILE
//                                             holds one more "(^o^)": the paste into TARGET
//   bench_summon floorpaste RUNS TARGET FILE  Shift+Insert straight into TARGET
//
// TARGET is the window id that has the keyboard before each run. A key's time is the
// server's time just before XTest presses it; a window counts as shown once the window
// manager made it the active one (mapped and focused). Prints one line of milliseconds
// per run, then the median.
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

xcb_connection_t *c;
xcb_window_t root;
xcb_window_t clock_window;
xcb_atom_t active_atom;
xcb_atom_t name_atom;
xcb_atom_t utf8_atom;

xcb_atom_t atom(const char *name)
{
    xcb_intern_atom_reply_t *r
        = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t a = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(r);
    return a;
}

std::string property(xcb_window_t w, xcb_atom_t name, xcb_atom_t type)
{
    xcb_get_property_reply_t *r = xcb_get_property_reply(c, xcb_get_property(c, 0, w, name, type, 0, 256), nullptr);
    std::string value;
    if (r) {
        value.assign(static_cast<const char *>(xcb_get_property_value(r)),
            static_cast<size_t>(xcb_get_property_value_length(r)));
        std::free(r);
    }
    return value;
}

xcb_window_t active()
{
    const std::string v = property(root, active_atom, XCB_ATOM_WINDOW);
    xcb_window_t w = 0;
    if (v.size() >= sizeof w)
        std::memcpy(&w, v.data(), sizeof w);
    return w;
}

// The server's time now: a property change on our own window reports it.
xcb_timestamp_t server_time()
{
    xcb_change_property(c, XCB_PROP_MODE_APPEND, clock_window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, 0, "");
    xcb_flush(c);
    for (;;) {
        xcb_generic_event_t *e = xcb_wait_for_event(c);
        if (!e)
            std::exit(3);
        const bool ours = (e->response_type & 0x7f) == XCB_PROPERTY_NOTIFY
            && reinterpret_cast<xcb_property_notify_event_t *>(e)->window == clock_window;
        const xcb_timestamp_t t = ours ? reinterpret_cast<xcb_property_notify_event_t *>(e)->time : 0;
        std::free(e);
        if (ours)
            return t;
    }
}

// Waits for the window titled `title` to become the active one; returns the server time.
// Gives up after five seconds.
xcb_timestamp_t wait_active(const std::string &title)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    for (;;) {
        xcb_generic_event_t *e = xcb_poll_for_event(c);
        if (!e) {
            if (xcb_connection_has_error(c) || std::chrono::steady_clock::now() > deadline) {
                std::fprintf(stderr, "%s did not become active\n", title.c_str());
                std::exit(4);
            }
            std::this_thread::sleep_for(std::chrono::microseconds(200));
            continue;
        }
        if ((e->response_type & 0x7f) == XCB_PROPERTY_NOTIFY) {
            auto *p = reinterpret_cast<xcb_property_notify_event_t *>(e);
            if (p->window == root && p->atom == active_atom) {
                const xcb_window_t w = active();
                if (w && property(w, name_atom, utf8_atom) == title) {
                    const xcb_timestamp_t t = p->time;
                    std::free(e);
                    return t;
                }
            }
        }
        std::free(e);
    }
}

xcb_keycode_t keycode(xcb_keysym_t sym)
{
    const xcb_setup_t *setup = xcb_get_setup(c);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    xcb_get_keyboard_mapping_reply_t *map = xcb_get_keyboard_mapping_reply(
        c, xcb_get_keyboard_mapping(c, setup->min_keycode, static_cast<uint8_t>(count)), nullptr);
    xcb_keycode_t code = 0;
    const xcb_keysym_t *syms = xcb_get_keyboard_mapping_keysyms(map);
    for (int i = 0; i < count && !code; ++i) {
        if (syms[i * map->keysyms_per_keycode] == sym)
            code = static_cast<xcb_keycode_t>(setup->min_keycode + i);
    }
    std::free(map);
    return code;
}

// Presses the keys in order and releases them in reverse.
void press(std::initializer_list<xcb_keysym_t> syms)
{
    std::vector<xcb_keycode_t> codes;
    for (xcb_keysym_t s : syms)
        codes.push_back(keycode(s));
    for (xcb_keycode_t k : codes)
        xcb_test_fake_input(c, XCB_KEY_PRESS, k, XCB_CURRENT_TIME, XCB_WINDOW_NONE, 0, 0, 0);
    for (auto k = codes.rbegin(); k != codes.rend(); ++k)
        xcb_test_fake_input(c, XCB_KEY_RELEASE, *k, XCB_CURRENT_TIME, XCB_WINDOW_NONE, 0, 0, 0);
    xcb_flush(c);
}

constexpr xcb_keysym_t ControlL = 0xffe3, AltL = 0xffe9, ShiftL = 0xffe1, Insert = 0xff63, Return = 0xff0d,
                       Escape = 0xff1b;

void activate(xcb_window_t w)
{
    xcb_client_message_event_t ev = {};
    ev.response_type = XCB_CLIENT_MESSAGE;
    ev.format = 32;
    ev.window = w;
    ev.type = active_atom;
    ev.data.data32[0] = 2;
    xcb_send_event(c, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
        reinterpret_cast<const char *>(&ev));
    xcb_flush(c);
    while (active() != w)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
}

std::string read_file(const std::string &path)
{
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

size_t count(const std::string &text, const std::string &part)
{
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
        ++n;
    return n;
}

// Milliseconds until the file holds one more `part` than `before` did.
double wait_changed(const std::string &path, const std::string &before, std::chrono::steady_clock::time_point t0,
    const std::string &part = "(^o^)")
{
    const size_t had = count(before, part);
    while (count(read_file(path), part) <= had) {
        if (std::chrono::steady_clock::now() - t0 > std::chrono::seconds(5)) {
            std::fprintf(stderr, "nothing arrived in %s\n", path.c_str());
            std::exit(4);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 4) {
        std::fputs("usage: bench_summon summon|paste|floorpaste RUNS ...\n", stderr);
        return 2;
    }
    const std::string mode = argv[1];
    const int runs = std::atoi(argv[2]);
    c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c))
        return 3;
    root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
    clock_window = xcb_generate_id(c);
    xcb_create_window(c, 0, clock_window, root, 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT,
        XCB_CW_EVENT_MASK, &mask);
    active_atom = atom("_NET_ACTIVE_WINDOW");
    name_atom = atom("_NET_WM_NAME");
    utf8_atom = atom("UTF8_STRING");

    std::vector<double> ms;
    for (int run = 0; run < runs; ++run) {
        if (mode == "floorpaste") {
            const xcb_window_t target = static_cast<xcb_window_t>(std::strtoul(argv[3], nullptr, 0));
            const std::string file = argv[4];
            activate(target);
            const std::string before = read_file(file);
            const auto t0 = std::chrono::steady_clock::now();
            press({ ShiftL, Insert });
            ms.push_back(wait_changed(file, before, t0));
            continue;
        }
        const std::string title = argv[3];
        const xcb_window_t target = static_cast<xcb_window_t>(std::strtoul(argv[4], nullptr, 0));
        activate(target);
        const xcb_timestamp_t key = server_time();
        press({ ControlL, AltL, 'z' });
        const xcb_timestamp_t shown = wait_active(title);
        if (mode == "summon") {
            ms.push_back(static_cast<double>(shown - key));
            // Esc hides it again; the next run starts once it has gone.
            press({ Escape });
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
            while (property(active(), name_atom, utf8_atom) == title && std::chrono::steady_clock::now() < deadline)
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            continue;
        }
        const std::string file = argv[5];
        press({ 'k' });
        press({ 'x' });
        const std::string before = read_file(file);
        const auto t0 = std::chrono::steady_clock::now();
        press({ Return });
        ms.push_back(wait_changed(file, before, t0));
    }
    for (double m : ms)
        std::printf("%.1f\n", m);
    std::sort(ms.begin(), ms.end());
    if (!ms.empty())
        std::printf(
            "median %.1f ms (min %.1f, max %.1f, %zu runs)\n", ms[ms.size() / 2], ms.front(), ms.back(), ms.size());
    xcb_disconnect(c);
    return 0;
}
