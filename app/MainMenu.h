#pragma once

class QMenuBar;

// Fills the menu bar with the program's menus. Every item carries its component name
// (N38, N42 …) as objectName; handlers are connected by the subsystems that own them.
namespace MainMenu {

void build(QMenuBar *bar);

} // namespace MainMenu
