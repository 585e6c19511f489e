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
    a.settings.exitConfirmation = { item(settings, "N42", QStringLiteral("显示退出确定")),
        item(settings, "N43", QStringLiteral("显示退出确定"), true) };
    separator(settings, "N46");
    a.settings.transparency
        = { item(settings, "N47", QStringLiteral("半透明")), item(settings, "N48", QStringLiteral("半透明"), true) };
    separator(settings, "N52");
    a.settings.docking = { item(settings, "N53", QStringLiteral("吸附窗体")),
        item(settings, "N54", QStringLiteral("吸附窗体"), true) };
    separator(settings, "quietCopySeparator");
    a.settings.quietCopy = { item(settings, "quietCopyItem", QStringLiteral("安静复制")),
        item(settings, "quietCopyCheckedItem", QStringLiteral("安静复制"), true) };
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
    return a;
}

} // namespace MainMenu
