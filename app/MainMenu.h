#pragma once

#include <array>

class QAction;
class QMenuBar;

// Fills the menu bar with the program's menus. Every item carries its component name
// (N38, N42 …) as objectName; build() hands the items back so that the subsystems that
// own them connect their handlers to the items themselves.
namespace MainMenu {

// A stored setting's two items with one caption: the plain one shown while the setting is
// off, the checked one while it is on.
struct SettingPair
{
    QAction *off = nullptr;
    QAction *on = nullptr;
};

// "设  置".
struct SettingItems
{
    SettingPair exitConfirmation; // N42, N43
    SettingPair transparency; // N47, N48
    SettingPair docking; // N53, N54
    SettingPair quietCopy; // quietCopyItem, quietCopyCheckedItem
    QAction *shortcut = nullptr; // 快捷键…
};

struct Actions
{
    QAction *N38 = nullptr; // 主  页
    SettingItems settings;
    QAction *N44 = nullptr; // 帮  助
    QAction *N45 = nullptr; // 关  于
    QAction *N51 = nullptr; // 广告招租说明
    std::array<QAction *, 4> portals {}; // N7, N49, N55, N59
    QAction *N56 = nullptr; // 升  级
    QAction *N58 = nullptr; // 本地升级
    QAction *N64 = nullptr; // 数据信息
    QAction *N57 = nullptr; // 捐  助
    QAction *Email1 = nullptr;
    QAction *QQ1 = nullptr;
    QAction *MyQzone1 = nullptr;
    QAction *find = nullptr; // 查  找
    QAction *decorate = nullptr; // 花  样
};

Actions build(QMenuBar *bar);

} // namespace MainMenu
