#pragma once

#include <QLineEdit>

class QMenu;

// A one-line edit with the skin's edit menu: 撤消, 剪切, 复制, 粘贴, 删除, 全选, each
// enabled as the edit's state allows (on a read-only edit only 复制 and 全选).
class SkinEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit SkinEdit(QWidget *parent = nullptr);

    // The menu for the edit's present state; the caller owns it.
    QMenu *createEditMenu();

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;
};
