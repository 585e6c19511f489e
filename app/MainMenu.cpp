#include "app/MainMenu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

QAction *item(QMenu *menu, const char *name, const QString &caption, bool checked = false)
{
    QAction *a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    if (checked) {
        a->setCheckable(true);
        a->setChecked(true);
        // The checked twin of a pair: choosing it must not clear the mark.
        QObject::connect(a, &QAction::triggered, a, [a] { a->setChecked(true); });
    }
    return a;
}

// One setting's pair: only one of them shows at a time, so to a reader the pair is one
// check item. The plain twin is an unchecked check item that stays unchecked; the skin
// draws no mark for it.
MainMenu::SettingPair pair(QMenu *menu, const char *offName, const char *onName, const QString &caption)
{
    QAction *off = item(menu, offName, caption);
    off->setCheckable(true);
    QObject::connect(off, &QAction::triggered, off, [off] { off->setChecked(false); });
    return { off, item(menu, onName, caption, true) };
}

void separator(QMenu *menu, const char *name = nullptr)
{
    QAction *s = menu->addSeparator();
    if (name)
        s->setObjectName(QString::fromLatin1(name));
}

QMenu *submenu(QMenuBar *bar, const char *name, const QString &caption)
{
    QMenu *m = bar->addMenu(caption);
    m->setObjectName(QString::fromLatin1(name) + QStringLiteral("Menu"));
    m->menuAction()->setObjectName(QString::fromLatin1(name));
    return m;
}

QAction *topItem(QMenuBar *bar, const char *name, const QString &caption)
{
    QAction *a = bar->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

} // namespace

namespace MainMenu {

Actions build(QMenuBar *bar)
{
    Actions a;
    a.N38 = topItem(bar, "N38", QStringLiteral("主  页"));

    QMenu *settings = submenu(bar, "N40", QStringLiteral("设  置"));
    a.settings.exitConfirmation = pair(settings, "N42", "N43", QStringLiteral("显示退出确定"));
    separator(settings, "N46");
    a.settings.transparency = pair(settings, "N47", "N48", QStringLiteral("半透明"));
    separator(settings, "N52");
    a.settings.docking = pair(settings, "N53", "N54", QStringLiteral("吸附窗体"));
    separator(settings, "quietCopySeparator");
    a.settings.quietCopy = pair(settings, "quietCopyItem", "quietCopyCheckedItem", QStringLiteral("安静复制"));
    separator(settings, "shortcutSeparator");
    a.settings.shortcut = item(settings, "shortcutItem", QStringLiteral("快捷键…"));

    QMenu *help = submenu(bar, "N39", QStringLiteral("帮  助"));
    a.N44 = item(help, "N44", QStringLiteral("帮  助"));
    a.N45 = item(help, "N45", QStringLiteral("关  于"));
    separator(help);
    a.N51 = item(help, "N51", QStringLiteral("广告招租说明"));

    QMenu *links = submenu(bar, "N6", QStringLiteral("链  接"));
    a.portals = { item(links, "N7", QStringLiteral("华军软件园")), item(links, "N49", QStringLiteral("天空下载站")),
        item(links, "N55", QStringLiteral("多特软件站")), item(links, "N59", QStringLiteral(" 起点下载")) };

    QMenu *upgrade = submenu(bar, "N41", QStringLiteral("升  级"));
    a.N56 = item(upgrade, "N56", QStringLiteral("升  级"));
    a.N58 = item(upgrade, "N58", QStringLiteral("本地升级"));
    separator(upgrade);
    a.N64 = item(upgrade, "N64", QStringLiteral("数据信息"));

    a.N57 = topItem(bar, "N57", QStringLiteral("捐  助"));

    QMenu *info = submenu(bar, "N65", QStringLiteral("信  息"));
    a.Email1 = item(info, "Email1", QStringLiteral("E-mail"));
    a.QQ1 = item(info, "QQ1", QStringLiteral("在线QQ"));

    a.MyQzone1 = topItem(bar, "MyQzone1", QStringLiteral("My Qzone"));
    a.find = topItem(bar, "findMenuItem", QStringLiteral("查  找"));
    a.decorate = topItem(bar, "decorateMenuItem", QStringLiteral("花  样"));
    return a;
}

} // namespace MainMenu
