#pragma once

#include "platform/SettingsStore.h"

#include <QString>

// The keys of the settings store. A setting or marker is the presence of its key.
namespace SettingsKeys {

inline const QString ExitConfirmation = QStringLiteral("\\Software\\zelsigtcts");
inline const QString Opaque = QStringLiteral("\\Software\\zelsigtm"); // present: semi-transparency off
inline const QString Docking = QStringLiteral("\\Software\\zelsigxfct");
inline const QString HelpMarker = QStringLiteral("\\Software\\zeltorjqm");
inline const QString WebMarker = QStringLiteral("\\Software\\zeltowllj");
inline const QString CloseMarker = QStringLiteral("\\Software\\zeltoqzone");

// Creates a first-run marker with its three values, in this order.
inline void writeMarker(SettingsStore &store, const QString &key)
{
    store.writeString(key, QStringLiteral("rjname"), QStringLiteral("Zelto签名字符2008"));
    store.writeString(key, QStringLiteral("banben"), QStringLiteral("v 4.0.3"));
    store.writeString(key, QStringLiteral("gxriqi"), QStringLiteral("2008-02-23"));
}

} // namespace SettingsKeys
