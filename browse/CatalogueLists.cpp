#include "browse/CatalogueLists.h"

#include "browse/DataGrid.h"
#include "browse/PageTabs.h"
#include "browse/SkinEdit.h"
#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueQuery.h"
#include "catalogue/DataSource.h"
#include "find/EntrySplitter.h"
#include "platform/AppError.h"
#include "widgets/CopyNotice.h"
#include "window/Guard.h"

#include <QGroupBox>
#include <QPushButton>

#include <vector>

namespace {

QString pageCaption(const char *name)
{
    for (const PageTabs::Page &page : PageTabs::Pages) {
        if (QLatin1String(page.name) == QLatin1String(name))
            return QString::fromUtf16(page.caption);
    }
    return {};
}

} // namespace

CatalogueLists::CatalogueLists(const PageContext &context, PageTabs *pages, Catalogue *catalogue)
    : QObject(context.form)
    , m_context(context)
    , m_catalogue(catalogue)
{
    setObjectName(QStringLiteral("catalogueLists"));
    buildSignaturePage(pages->bsSkinTabSheet21);
    buildNamePage(pages->bsSkinTabSheet22);

    using Handler = void (CatalogueLists::*)();
    static constexpr std::array<Handler, GridCount> clicks
        = { &CatalogueLists::bsSkinDBGrid1CellClick, &CatalogueLists::bsSkinDBGrid2CellClick,
              &CatalogueLists::bsSkinDBGrid3CellClick, &CatalogueLists::bsSkinDBGrid4CellClick };
    for (int n = 1; n <= GridCount; ++n) {
        const Handler h = clicks[n - 1];
        connect(grid(n), &DataGrid::cellClick, this, guardedSlot(context.form, [this, h] { (this->*h)(); }));
        // The keyboard takes the same path: choosing a row shows it, Enter copies it.
        connect(grid(n), &DataGrid::rowChosen, this, guardedSlot(context.form, [this, h] { (this->*h)(); }));
        connect(grid(n), &DataGrid::copyRequested, this, guardedSlot(context.form, [this, n, h] {
            (this->*h)();
            n == 1 ? bsSkinButton4Click() : bsSkinButton5Click();
        }));
    }
    connect(bsSkinButton4, &QPushButton::clicked, this, guardedSlot(context.form, [this] { bsSkinButton4Click(); }));
    connect(bsSkinButton5, &QPushButton::clicked, this, guardedSlot(context.form, [this] { bsSkinButton5Click(); }));
}

QGroupBox *CatalogueLists::makeGroup(const char *name, const QString &caption, QWidget *parent, const QRect &place)
{
    auto *box = new QGroupBox(caption, parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(place);
    return box;
}

DataGrid *CatalogueLists::makeGrid(int number, QWidget *parent, const QRect &place)
{
    auto *g = new DataGrid(parent);
    g->setObjectName(QStringLiteral("bsSkinDBGrid%1").arg(number));
    g->setGeometry(place);
    const GridPlace &where = GridPlaces[std::size_t(number - 1)];
    const QString list
        = where.list ? QString::fromUtf16(where.list) : pageCaption(where.page).remove(u'〖').remove(u'〗');
    g->setAccessibleName(list);
    g->setDataSource(m_catalogue->dataSource(number), list);
    m_grids[number - 1] = g;
    return g;
}

void CatalogueLists::buildSignaturePage(QWidget *sheet)
{
    makeGrid(1, sheet, QRect(0, 0, 665, 369));
    QGroupBox *box = makeGroup("bsSkinGroupBox4", QStringLiteral("个性签名查看"), sheet, QRect(0, 371, 683, 49));
    bsSkinEdit1 = new SkinEdit(box);
    bsSkinEdit1->setObjectName(QStringLiteral("bsSkinEdit1"));
    bsSkinEdit1->setGeometry(2, 25, 635, 20);
    bsSkinEdit1->setReadOnly(true);
    bsSkinEdit1->setText(SignaturePrompt);
    bsSkinButton4 = new QPushButton(QStringLiteral("复制"), box);
    bsSkinButton4->setObjectName(QStringLiteral("bsSkinButton4"));
    bsSkinButton4->setGeometry(638, 24, 41, 20);
    bsSkinButton4->setEnabled(false);
}

void CatalogueLists::buildNamePage(QWidget *sheet)
{
    struct List
    {
        const char *box;
        int left;
        int grid;
    };
    static constexpr List lists[] = {
        { "bsSkinGroupBox1", 1, 2 },
        { "bsSkinGroupBox2", 228, 3 },
        { "bsSkinGroupBox3", 456, 4 },
    };
    for (const List &l : lists) {
        const QString caption = QString::fromUtf16(GridPlaces[std::size_t(l.grid - 1)].list);
        QGroupBox *box = makeGroup(l.box, caption, sheet, QRect(l.left, 1, 226, 368));
        makeGrid(l.grid, box, QRect(2, 23, 203, 342));
    }
    QGroupBox *box = makeGroup("bsSkinGroupBox5", QStringLiteral("个性网名查看"), sheet, QRect(0, 371, 683, 49));
    bsSkinEdit2 = new SkinEdit(box);
    bsSkinEdit2->setObjectName(QStringLiteral("bsSkinEdit2"));
    bsSkinEdit2->setGeometry(144, 25, 297, 20);
    bsSkinEdit2->setReadOnly(true);
    bsSkinEdit2->setText(NamePrompt);
    bsSkinButton5 = new QPushButton(QStringLiteral("复制"), box);
    bsSkinButton5->setObjectName(QStringLiteral("bsSkinButton5"));
    bsSkinButton5->setGeometry(448, 24, 40, 20);
    bsSkinButton5->setEnabled(false);
}

void CatalogueLists::cellClick(int number)
{
    QPushButton *button = number == 1 ? bsSkinButton4 : bsSkinButton5;
    SkinEdit *viewer = number == 1 ? bsSkinEdit1 : bsSkinEdit2;
    button->setEnabled(true);
    const DataSource *source = grid(number)->dataSource();
    const QString entry = source->DataSet()->FieldByName(Catalogue::Columns.at(number - 1));
    viewer->setText(entry);
    // A long entry shows from its start.
    viewer->home(false);
}

void CatalogueLists::copyViewer(SkinEdit *viewer)
{
    viewer->selectAll();
    if (!viewer->hasSelectedText())
        return;
    viewer->copy();
    CopyNotice::show(m_context, CopyNotice::ListTimeoutMs, viewer->text());
}

void CatalogueLists::bsSkinButton4Click()
{
    copyViewer(bsSkinEdit1);
}
void CatalogueLists::bsSkinButton5Click()
{
    copyViewer(bsSkinEdit2);
}

EntrySource::Reader CatalogueLists::entryReader() const
{
    std::vector<EntrySource::Reader> lists;
    for (int n = 1; n <= GridCount; ++n) {
        const GridPlace &place = GridPlaces[std::size_t(n - 1)];
        const CatalogueQuery *query = grid(n)->dataSource()->DataSet();
        // The grid holds only the rows shown so far; the rest are read by the reader
        // itself, so the grids never fetch everything.
        std::function<QStringList()> read;
        if (query->Active() && query->fieldCount() >= 2) {
            if (query->canFetchMore()) {
                read = query->columnReader(1);
            } else {
                QStringList rows;
                rows.reserve(query->rowCount());
                for (int r = 0; r < query->rowCount(); ++r)
                    rows.append(query->cell(r, 1));
                read = [rows = std::move(rows)] { return rows; };
            }
        }
        lists.push_back([read = std::move(read), caption = pageCaption(place.page),
                            list = place.list ? QString::fromUtf16(place.list) : QString()] {
            return EntrySplitter::catalogueList(read ? read() : QStringList(), caption, list);
        });
    }
    return [lists = std::move(lists)] {
        QList<Entry> entries;
        for (const EntrySource::Reader &list : lists)
            entries += list();
        return entries;
    };
}

qsizetype CatalogueLists::entryCount() const
{
    qsizetype rows = 0;
    for (int n = 1; n <= GridCount; ++n) {
        const CatalogueQuery *query = grid(n)->dataSource()->DataSet();
        if (!query->canFetchMore()) {
            rows += query->rowCount();
            continue;
        }
        // The grid has not fetched them all: the engine counts them.
        try {
            rows += query->RecordCount();
        } catch (const AppError &) {
            return -1;
        }
    }
    return rows;
}
