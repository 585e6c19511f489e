// bench_summon_window --target FILE: a line edit titled "paste target" that writes its
// text to FILE at every change.
// bench_summon_window --floor: holds Ctrl+Alt+Z and shows a bare window titled "floor"
// on it, activated with the key's time; Esc hides it. The least any program can do.
#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

xcb_connection_t *connection()
{
    auto *x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t atom(xcb_connection_t *c, const char *name)
{
    xcb_intern_atom_reply_t *r
        = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t a = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(r);
    return a;
}

class Floor : public QAbstractNativeEventFilter
{
public:
    explicit Floor(QLineEdit *window)
        : m_window(window)
    {
    }
    bool grab()
    {
        xcb_connection_t *c = connection();
        const xcb_setup_t *setup = xcb_get_setup(c);
        m_root = xcb_setup_roots_iterator(setup).data->root;
        const int count = setup->max_keycode - setup->min_keycode + 1;
        xcb_get_keyboard_mapping_reply_t *map = xcb_get_keyboard_mapping_reply(
            c, xcb_get_keyboard_mapping(c, setup->min_keycode, static_cast<uint8_t>(count)), nullptr);
        if (!map)
            return false;
        const xcb_keysym_t *syms = xcb_get_keyboard_mapping_keysyms(map);
        for (int i = 0; i < count && !m_key; ++i) {
            if (syms[i * map->keysyms_per_keycode] == 'z')
                m_key = static_cast<xcb_keycode_t>(setup->min_keycode + i);
        }
        std::free(map);
        xcb_generic_error_t *error = xcb_request_check(c,
            xcb_grab_key_checked(
                c, 0, m_root, XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1, m_key, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        const bool grabbed = m_key && !error;
        std::free(error);
        return grabbed;
    }
    bool nativeEventFilter(const QByteArray &, void *message, qintptr *) override
    {
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        if ((event->response_type & 0x7f) != XCB_KEY_PRESS)
            return false;
        const auto *key = static_cast<const xcb_key_press_event_t *>(message);
        if (key->event != m_root || key->detail != m_key)
            return false;
        m_window->show();
        m_window->raise();
        xcb_connection_t *c = connection();
        xcb_client_message_event_t ev = {};
        ev.response_type = XCB_CLIENT_MESSAGE;
        ev.format = 32;
        ev.window = static_cast<xcb_window_t>(m_window->winId());
        ev.type = atom(c, "_NET_ACTIVE_WINDOW");
        ev.data.data32[0] = 1;
        ev.data.data32[1] = key->time;
        xcb_send_event(c, 0, m_root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
            reinterpret_cast<const char *>(&ev));
        xcb_flush(c);
        return true;
    }

private:
    QLineEdit *m_window;
    xcb_window_t m_root = 0;
    xcb_keycode_t m_key = 0;
};

class HideOnEscape : public QLineEdit
{
protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        if (event->key() == Qt::Key_Escape)
            hide();
        else
            QLineEdit::keyPressEvent(event);
    }
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc >= 3 && std::strcmp(argv[1], "--target") == 0) {
        const QString path = QString::fromLocal8Bit(argv[2]);
        QLineEdit edit;
        edit.setWindowTitle(QStringLiteral("paste target"));
        edit.setMinimumWidth(300);
        QObject::connect(&edit, &QLineEdit::textChanged, &edit, [path](const QString &text) {
            QFile file(path);
            if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
                file.write(text.toUtf8());
        });
        edit.show();
        return app.exec();
    }
    if (argc >= 2 && std::strcmp(argv[1], "--floor") == 0) {
        HideOnEscape window;
        window.setWindowTitle(QStringLiteral("floor"));
        window.resize(400, 480);
        Floor floor(&window);
        if (!floor.grab())
            return 1;
        app.installNativeEventFilter(&floor);
        std::puts("grabbed");
        std::fflush(stdout);
        return app.exec();
    }
    std::fputs("usage: bench_summon_window --target FILE | --floor\n", stderr);
    return 2;
}
