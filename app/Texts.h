#pragma once

#include <QString>

// Texts that the start-up shows; the maker's texts are in info/InfoTexts.h.
namespace Texts {

inline const QString FileMissing = QStringLiteral("运行失败！有文件丢失，请您重新安装本软件！");
inline const QString AlreadyRunning = QStringLiteral("Zelto签名字符2008已经在运行了！");
inline const QString WaylandShortcutHint
    = QStringLiteral("这个桌面没有为程序提供全局快捷键。要在任何程序里用快捷键呼出“查找与收藏”，"
                     "请在桌面的系统设置里添加一个自定义快捷键（如 Ctrl+Alt+Z），命令填写：\n\n"
                     "zelto --find\n\n"
                     "KDE Plasma：系统设置→快捷键→添加新的→命令；GNOME：设置→键盘→查看及自定义快捷键→自定义快捷键。"
                     "本提示只显示一次。");

} // namespace Texts
