#pragma once

#include <QString>

// Texts that the start-up shows; the maker's texts are in info/InfoTexts.h.
namespace Texts {

inline const QString FileMissing = QStringLiteral("运行失败！有文件丢失，请您重新安装本软件！");
inline const QString AlreadyRunning = QStringLiteral("Zelto签名字符2008已经在运行了！");

} // namespace Texts
