#pragma once

#include <QString>

// Everything the program says about its maker, in one place. The addresses use reserved
// example domains and the account details are invented.
namespace Maker {

inline const QString SiteAddress = QStringLiteral("http://www.zelto.example.com");
inline const QString OlderSiteAddress = QStringLiteral("http://zelto.example.org");
inline const QString HomePage = QStringLiteral("http://www.zelto.example.com/blog/");
inline const QString UpgradePage = QStringLiteral("http://www.zelto.example.com/blog/article/zelto-2008-upgrade.html");
inline const QString PersonalSpacePage = QStringLiteral("http://space.example.net/zelto/");
inline const QString AdvertisingPage = QStringLiteral("http://www.zelto.example.com/welcome/");
inline const QString Email = QStringLiteral("zelto.studio@example.com");
inline const QString OlderEmail = QStringLiteral("zelto2006@example.org");
inline const QString AuthorName = QStringLiteral("阿泽");
inline const QString ChatAccount = QStringLiteral("80000001");
inline const QString ChatHost = QStringLiteral("http://chat.example.net");
inline const QString SiteName = QStringLiteral("Zelto设计室");

inline const QString BankName = QStringLiteral("示例银行");
inline const QString BankCardNumber = QStringLiteral("6200 0000 0000 0000 000");
inline const QString BankCardHolder = QStringLiteral("张示例");

struct Portal
{
    const char16_t *caption;
    const char *address;
};
inline constexpr Portal Portals[4] = {
    { u"华军软件园", "http://www.huajun-soft.example.com/" },
    { u"天空下载站", "http://www.sky-download.example.org/" },
    { u"多特软件站", "http://www.duote-soft.example.net/" },
    { u" 起点下载", "http://www.qidian-download.example.com/" },
};

} // namespace Maker
