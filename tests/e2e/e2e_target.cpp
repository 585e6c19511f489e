// zelto_e2e_target FILE [--grab]: a window titled "paste target" with one focused line
// edit; every change of its text is written to FILE, so that a test can read what arrived.
// --grab: holds Ctrl+Alt+Z on the root window and prints "grabbed" once it has it.
#include <QApplication>
#include <QFile>
#include <QLineEdit>

#ifdef ZELTO_HAVE_XCB
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>

namespace {

bool grabCtrlAltZ()
{
    auto *x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *c = x11 ? x11->connection() : nullptr;
    if (!c)
        return false;
    const xcb_setup_t *setup = xcb_get_setup(c);
    const xcb_window_t root = xcb_setup_roots_iterator(setup).data->root;
    const int count = setup->max_keycode - setup->min_keycode + 1;
    xcb_get_keyboard_mapping_reply_t *map = xcb_get_keyboard_mapping_reply(
        c, xcb_get_keyboard_mapping(c, setup->min_keycode, static_cast<quint8>(count)), nullptr);
    if (!map)
        return false;
    const xcb_keysym_t *syms = xcb_get_keyboard_mapping_keysyms(map);
    xcb_keycode_t z = 0;
    for (int i = 0; i < count && !z; ++i) {
        if (syms[i * map->keysyms_per_keycode] == 'z')
            z = static_cast<xcb_keycode_t>(setup->min_keycode + i);
    }
    std::free(map);
    if (!z)
        return false;
    xcb_generic_error_t *error = xcb_request_check(c,
        xcb_grab_key_checked(
            c, 0, root, XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1, z, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    const bool grabbed = !error;
    std::free(error);
    return grabbed;
}

} // namespace
#endif

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const QString path = QString::fromLocal8Bit(argv[1]);
    if (argc > 2 && qstrcmp(argv[2], "--grab") == 0) {
#ifdef ZELTO_HAVE_XCB
        if (!grabCtrlAltZ())
            return 1;
        std::puts("grabbed");
        std::fflush(stdout);
#else
        return 1;
#endif
    }
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
