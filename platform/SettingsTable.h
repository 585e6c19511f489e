#pragma once

#include <QList>
#include <QString>

#include <utility>

// Every setting the program keeps in the settings store, in one table. A setting is a key
// of the store whose presence is its value; every one is absent until the program or the
// user sets it. Setting one writes its values in the order listed; they are never read back.
struct StoredSetting
{
    enum class Kind {
        Switch, // a choice in 〖设  置〗
        Marker, // remembers that something happened once
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

// On a Wayland desktop without the shortcut portal, the note on binding a key to
// `zelto --find` has been shown.
inline const StoredSetting ShortcutHintMarker { QStringLiteral("\\Software\\zeltokjts"), StoredSetting::Kind::Marker,
    Detail::markerValues() };

inline const QList<const StoredSetting *> All { &ExitConfirmation, &Opaque, &Docking, &QuietCopy, &HelpMarker,
    &WebMarker, &CloseMarker, &ShortcutHintMarker };

} // namespace Settings
