#pragma once

#include <QObject>
#include <QPointer>

class CatalogueLists;
class DecorateForm;
class FindCommands;
class FrameList;
class PageTabs;
class QAction;
class TbsSkinMessage;

// The 花样网名 window's place in the main window: the menu-bar item "花  样", the category
// menu's "花样网名" (Ctrl+H), and "装饰此网名" after a right click on a nick name, which opens the
// window with that name filled in. Copies go the find window's way (clipboard, 最近), and
// stars and own entries into the same user's lists.
class DecorateCommands : public QObject
{
    Q_OBJECT
public:
    struct Context
    {
        QWidget *form = nullptr;
        TbsSkinMessage *messages = nullptr;
        QAction *menuItem = nullptr; // 花  样
    };
    // The grids of nick names: the catalogue's lists from this one on.
    static constexpr int FirstNameGrid = 2;

    DecorateCommands(const Context &context, PageTabs *pages, CatalogueLists *grids, FindCommands *find);
    ~DecorateCommands() override;

    void openDecorate(const QString &name = {});
    void decorateGridRow();

    // Nothing before the first opening.
    DecorateForm *decorateForm() const;
    FrameList *frames() const { return m_frames; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildActions(PageTabs *pages);

    Context m_context;
    CatalogueLists *m_grids;
    FindCommands *m_find;
    FrameList *m_frames;
    QPointer<DecorateForm> m_form;
    QAction *m_decorateRow = nullptr;
    int m_menuGrid = 0;
    int m_menuRow = -1;
    bool m_rowClickPending = false;
};
