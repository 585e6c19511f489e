#pragma once

#include "Version.h"

#include <QString>

// The application title: the taskbar text, the name of the single-instance lock and the
// caption of the error box.
inline const QString ApplicationTitle = QStringLiteral("Zelto签名字符2008 V" ZELTO_VERSION);
