#include "info/InfoTexts.h"

#include "info/Maker.h"
#include "platform/Gbk.h"

namespace InfoTexts {

namespace {
QString helpText(const QString &site, const QString &email)
{
    return QStringLiteral(
               "Zelto签名字符\r\r欢迎您使用Zelto软件，该软件的内容收集了\r\r大量的信息.\r\r感谢您支持Zelto软件！"
               "\r\r访问Zelto设计室网：\r\r")
        + site + QStringLiteral("\r\r制作人：") + Maker::AuthorName + QStringLiteral("\r\rE-mail:") + email;
}
} // namespace

QString help()
{
    return helpText(Maker::HomePage, Maker::Email);
}

QString olderHelp()
{
    return helpText(Maker::OlderSiteAddress, Maker::OlderEmail);
}

QString olderAbout()
{
    return QStringLiteral("欢迎您使用Zelto软件！制作人：") + Maker::AuthorName + QStringLiteral(",E-mail:")
        + Maker::OlderEmail;
}

QString firstRunHelp()
{
    return QStringLiteral(
               "使用帮助:\r\r本软件极易上手,"
               "点击类别就可以显示了，然后选择需要的字符和签名，在选择的文本上点击右键，点击复制"
               "\r\r感谢您使用Zelto软件！\r\r注：V4.0.2版本（2008年2月20日）后，本站主页和E-mail做了相应的调整！"
               "详细调整如下：\r\rE-mail:")
        + Maker::Email + QStringLiteral("\r\r") + Maker::SiteAddress;
}

QString about()
{
    return QStringLiteral("欢迎您使用Zelto软件！\r\r制作人：") + Maker::AuthorName + QStringLiteral("\r\rE-mail:")
        + Maker::Email;
}

QString advertising()
{
    return QStringLiteral(
               "广告招租说明以及收费：\r\r类型有以下4种：\r\r1、打开软件弹出主页广告\r\r2、退出软件弹出主页广告"
               "\r\r3、软件指定广告招租区域（建议SWF格式  687*52（注：请把SWF格式的网络链接发给我））"
               "\r\r4、安装程序捆绑（选择型安装）\r\r收费说明：\r\r类型1与类型2每月8元，类型3每月5元，类型4每月6元，"
               "成功发布后请在3天内付款！\r\r联系方式\r\rE-mail:")
        + Maker::Email + QStringLiteral("\r\rQQ：") + Maker::ChatAccount
        + QStringLiteral("\r\r（建议联系我的E-mail，QQ请留言）\r\r感谢您使用Zelto软件！");
}

QString donation()
{
    return QStringLiteral("〖捐助说明〗\r\r本软件为免费软件，无需注册，您的捐助将支持Zelto设计室的发展！"
                          "\r\r捐助金额由您自行决定，捐助后请您发E-mail通知我."
                          "\r\r您的捐助可以保持Zelto软件的发展，维持Zelto设计室正常运行，"
                          "\r\r支付租用空间的费用，补贴上网费用，（当然筹集足够租用空间"
                          "\r\r的费用，Zelto设计室主页将更改）\r\r银行卡信息\r\r发卡银行：")
        + Maker::BankName + QStringLiteral("\r\r卡号：") + Maker::BankCardNumber + QStringLiteral("\r\r户名：")
        + Maker::BankCardHolder
        + QStringLiteral("\r\r感谢您支持Zelto软件（Zelto设计室）！\r\r（注：具体捐助详情请查看主页“捐助中心”）");
}

QString localUpgrade()
{
    return QStringLiteral("对不起，暂时不支持该功能！");
}

QString mailAddress()
{
    return QStringLiteral("mailto:") + Maker::Email;
}

QString chatAddress()
{
    return Maker::ChatHost + QStringLiteral("/msgrd?V=1&Uin=") + Maker::ChatAccount + QStringLiteral("&Site=")
        + QString::fromLatin1(Gbk::encode(Maker::SiteName).toPercentEncoding());
}

} // namespace InfoTexts
