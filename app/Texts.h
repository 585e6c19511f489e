#pragma once

#include "info/Maker.h"

#include <QString>

// Texts that the start-up and the taskbar-menu commands show.
namespace Texts {

inline const QString FileMissing = QStringLiteral("运行失败！有文件丢失，请您重新安装本软件！");
inline const QString AlreadyRunning = QStringLiteral("Zelto签名字符2008已经在运行了！");

inline QString firstRunHelp()
{
    return QStringLiteral("使用帮助:\r\r本软件极易上手,点击类别就可以显示了，然后选择需要的字符和签名，在选择的文本上点击右键，点击复制"
                          "\r\r感谢您使用Zelto软件！\r\r注：V4.0.2版本（2008年2月20日）后，本站主页和E-mail做了相应的调整！"
                          "详细调整如下：\r\rE-mail:")
        + Maker::Email + QStringLiteral("\r\r") + Maker::SiteAddress;
}

// The help and about texts of the taskbar entry's menu carry the older addresses.
inline QString olderHelp()
{
    return QStringLiteral("Zelto签名字符\r\r欢迎您使用Zelto软件，该软件的内容收集了\r\r大量的信息.\r\r感谢您支持Zelto软件！"
                          "\r\r访问Zelto设计室网：\r\r")
        + Maker::OlderSiteAddress + QStringLiteral("\r\r制作人：") + Maker::AuthorName + QStringLiteral("\r\rE-mail:")
        + Maker::OlderEmail;
}

inline QString olderAbout()
{
    return QStringLiteral("欢迎您使用Zelto软件！制作人：") + Maker::AuthorName + QStringLiteral(",E-mail:") + Maker::OlderEmail;
}

} // namespace Texts
