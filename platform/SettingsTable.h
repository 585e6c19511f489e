#pragma once

#include <QList>
#include <QString>

#include <array>
#include <utility>

// Every setting the program keeps in the settings store, in one table. A setting is a key
// of the store whose presence is its value; every one is absent until the program or the
// user sets it. Setting one writes its values in the order listed; they are never read back.
struct StoredSetting
{
    enum class Kind {
        Switch, // a choice in 〖设  置〗
        Marker, // remembers that something happened once
        Text, // a text the user chose, kept under the one value name
    };
    QString key;
    Kind kind;
    QList<std::pair<QString, QString>> values; // value name, value
};

namespace Settings {

namespace Detail {
inline QList<std::pair<QString, QString>> markerValues()
{
    return { { QStringLiteral("rjname"), QStringLiteral("Zelto签名字符2008") },
        { QStringLiteral("banben"), QStringLiteral("v 4.0.3") },
        { QStringLiteral("gxriqi"), QStringLiteral("2008-02-23") } };
}
} // namespace Detail

// Present: the close asks "您真的要退出…?" first.
inline const StoredSetting ExitConfirmation { QStringLiteral("\\Software\\zelsigtcts"), StoredSetting::Kind::Switch,
    { { QStringLiteral("tuichutishi"), QStringLiteral("tishi") } } };
// Present: semi-transparency off.
inline const StoredSetting Opaque { QStringLiteral("\\Software\\zelsigtm"), StoredSetting::Kind::Switch,
    { { QStringLiteral("tm"), QStringLiteral("tm") } } };
// Present: the window docks at the screen edges.
inline const StoredSetting Docking { QStringLiteral("\\Software\\zelsigxfct"), StoredSetting::Kind::Switch,
    { { QStringLiteral("xfct"), QStringLiteral("xfct") } } };
// Present: copies show a brief note instead of the notice.
inline const StoredSetting QuietCopy { QStringLiteral("\\Software\\zelsigajfz"), StoredSetting::Kind::Switch,
    { { QStringLiteral("ajfz"), QStringLiteral("ajfz") } } };
// The first-run help notice has been shown.
inline const StoredSetting HelpMarker { QStringLiteral("\\Software\\zeltorjqm"), StoredSetting::Kind::Marker,
    Detail::markerValues() };
// The welcome page has been opened.
inline const StoredSetting WebMarker { QStringLiteral("\\Software\\zeltowllj"), StoredSetting::Kind::Marker,
    Detail::markerValues() };
// The personal page has been opened on a close.
inline const StoredSetting CloseMarker { QStringLiteral("\\Software\\zeltoqzone"), StoredSetting::Kind::Marker,
    Detail::markerValues() };

// Present: emoji that take a skin tone come in this one, from the lightest to the darkest.
// At most one is present; none means no tone.
inline const StoredSetting SkinTone1 { QStringLiteral("\\Software\\zelsigfs1"), StoredSetting::Kind::Switch,
    { { QStringLiteral("fs"), QStringLiteral("1") } } };
inline const StoredSetting SkinTone2 { QStringLiteral("\\Software\\zelsigfs2"), StoredSetting::Kind::Switch,
    { { QStringLiteral("fs"), QStringLiteral("2") } } };
inline const StoredSetting SkinTone3 { QStringLiteral("\\Software\\zelsigfs3"), StoredSetting::Kind::Switch,
    { { QStringLiteral("fs"), QStringLiteral("3") } } };
inline const StoredSetting SkinTone4 { QStringLiteral("\\Software\\zelsigfs4"), StoredSetting::Kind::Switch,
    { { QStringLiteral("fs"), QStringLiteral("4") } } };
inline const StoredSetting SkinTone5 { QStringLiteral("\\Software\\zelsigfs5"), StoredSetting::Kind::Switch,
    { { QStringLiteral("fs"), QStringLiteral("5") } } };
inline const std::array<const StoredSetting *, 5> SkinTones { &SkinTone1, &SkinTone2, &SkinTone3, &SkinTone4,
    &SkinTone5 };

// The desktop-wide key that summons the find window, in QKeySequence's portable form.
// Absent: DefaultShortcut; empty: no key.
inline const StoredSetting Shortcut { QStringLiteral("\\Software\\zelsigkjj"), StoredSetting::Kind::Text,
    { { QStringLiteral("kjj"), QString() } } };
inline const QString DefaultShortcut = QStringLiteral("Ctrl+Alt+Z");
// Present: the paste into another program's window presses Ctrl+V instead of Shift+Insert.
inline const StoredSetting PasteWithCtrlV { QStringLiteral("\\Software\\zelsigztcv"), StoredSetting::Kind::Switch,
    { { QStringLiteral("ztcv"), QStringLiteral("ztcv") } } };
// Window classes (as `xprop WM_CLASS` shows them, separated by commas or spaces) that get
// Ctrl+V whatever the default.
inline const StoredSetting CtrlVClasses { QStringLiteral("\\Software\\zelsigztlb"), StoredSetting::Kind::Text,
    { { QStringLiteral("ztlb"), QString() } } };
// Present: what the clipboard held goes back into it after a paste.
inline const StoredSetting RestoreClipboard { QStringLiteral("\\Software\\zelsighfjtb"), StoredSetting::Kind::Switch,
    { { QStringLiteral("hfjtb"), QStringLiteral("hfjtb") } } };

// On a Wayland desktop without the shortcut portal, the note on binding a key to
// `zelto --find` has been shown.
inline const StoredSetting ShortcutHintMarker { QStringLiteral("\\Software\\zeltokjts"), StoredSetting::Kind::Marker,
    Detail::markerValues() };

// The switches and markers, with the values they are written with.
inline const QList<const StoredSetting *> All { &ExitConfirmation, &Opaque, &Docking, &QuietCopy, &HelpMarker,
    &WebMarker, &CloseMarker, &SkinTone1, &SkinTone2, &SkinTone3, &SkinTone4, &SkinTone5, &ShortcutHintMarker };

} // namespace Settings
