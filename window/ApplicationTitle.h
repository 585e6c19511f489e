#pragma once

#include <QString>

// The application title: the taskbar text, the name of the single-instance lock and the
// caption of the error box. Set once by the process entry.
namespace ApplicationTitle {

inline const QString Default = QStringLiteral("Zelto签名字符2008 V4.0.3");

QString get();
void set(const QString &title);

} // namespace ApplicationTitle
