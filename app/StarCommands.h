#pragma once

#include <QObject>

class CatalogueLists;
class CollectionMemos;
class FindCommands;
class QAction;
class QMenu;

// Starring from the pages: the category menu's "收藏此条" after a right click on a grid
// row, and the collections' menu item "收藏" for the selected text.
class StarCommands : public QObject
{
    Q_OBJECT
public:
    struct Context
    {
        QWidget *form = nullptr;
        QMenu *categoryMenu = nullptr;
        // "收藏此条" goes before this item of the category menu.
        QAction *categoryBefore = nullptr;
        CatalogueLists *grids = nullptr;
        CollectionMemos *memos = nullptr;
        // Its lists and note, used only when a star is set: the lists load on first use.
        FindCommands *find = nullptr;
    };

    explicit StarCommands(const Context &context);

    void starMemoSelection();
    void starGridRow();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Context m_context;
    QAction *m_starRow;
    QAction *m_starSelection;
    // The grid row a right click opened the category menu on.
    int m_menuGrid = 0;
    int m_menuRow = -1;
    bool m_rowClickPending = false;
};
