#pragma once

#include "find/EntrySource.h"
#include "window/PageContext.h"

#include <QObject>

#include <array>

class Catalogue;
class DataGrid;
class PageTabs;
class QGroupBox;
class QPushButton;
class SkinEdit;

// The two catalogue pages: the signature list with its viewer, and the three nick-name
// lists sharing one viewer. A click on a row shows its entry in the viewer; "复制" copies
// the viewer's text and shows the copy notice. Its entries are the rows of the four
// lists, under their page's caption and list name.
class CatalogueLists : public QObject, public EntrySource
{
    Q_OBJECT
public:
    static constexpr int GridCount = 4;
    static inline const QString SignaturePrompt = QStringLiteral("请选择任意一条经典个性签名...");
    static inline const QString NamePrompt = QStringLiteral("请选择任意一条经典个性网名...");

    // Where each grid sits: its page, and the caption of its list on a page of several.
    struct GridPlace
    {
        const char *page;
        const char16_t *list; // nullptr: the page's only list
    };
    static constexpr std::array<GridPlace, GridCount> GridPlaces = { {
        { "bsSkinTabSheet21", nullptr },
        { "bsSkinTabSheet22", u"个性情侣网名" },
        { "bsSkinTabSheet22", u"个性男生网名" },
        { "bsSkinTabSheet22", u"个性女生网名" },
    } };

    CatalogueLists(const PageContext &context, PageTabs *pages, Catalogue *catalogue);

    void bsSkinDBGrid1CellClick() { cellClick(1); }
    void bsSkinDBGrid2CellClick() { cellClick(2); }
    void bsSkinDBGrid3CellClick() { cellClick(3); }
    void bsSkinDBGrid4CellClick() { cellClick(4); }
    void bsSkinButton4Click();
    void bsSkinButton5Click();

    Reader entryReader() const override;
    qsizetype entryCount() const override;

    // 1-based, as the components are numbered.
    DataGrid *grid(int number) const { return m_grids.at(number - 1); }

    SkinEdit *bsSkinEdit1 = nullptr;
    SkinEdit *bsSkinEdit2 = nullptr;
    QPushButton *bsSkinButton4 = nullptr;
    QPushButton *bsSkinButton5 = nullptr;

private:
    void buildSignaturePage(QWidget *sheet);
    void buildNamePage(QWidget *sheet);
    DataGrid *makeGrid(int number, QWidget *parent, const QRect &place);
    QGroupBox *makeGroup(const char *name, const QString &caption, QWidget *parent, const QRect &place);
    void cellClick(int number);
    void copyViewer(SkinEdit *viewer);

    PageContext m_context;
    Catalogue *m_catalogue;
    std::array<DataGrid *, GridCount> m_grids {};
};
