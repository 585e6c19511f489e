#include "BrowseFixture.h"
#include "browse/CatalogueLists.h"
#include "browse/DataGrid.h"
#include "browse/SkinEdit.h"
#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueQuery.h"
#include "find/FindCommands.h"
#include "find/UserStore.h"
#include "widgets/CopyNotice.h"

#include <QClipboard>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>

namespace {

const QStringList Signatures
    = { QStringLiteral("第一条签名"), QStringLiteral("第二条签名，比较长的一条"), QStringLiteral("第三条 ≈ 签名 ≈") };
const QStringList Couples = { QStringLiteral("情侣甲 ∝ 情侣乙") };
const QStringList Boys = { QStringLiteral("男生一"), QStringLiteral("男生二"), QStringLiteral("男生三") };
const QStringList Girls = { QStringLiteral("女生一"), QStringLiteral("女生二") };

struct Pages : BrowseForm
{
    Pages()
    {
        writeCatalogue(QStringLiteral("zeltodata.dll"), Signatures, Couples, Boys, Girls);
        started = startShown();
    }
    CatalogueLists *lists() const { return form.catalogueLists(); }
    DataGrid *grid(int n) const { return lists()->grid(n); }
    // Shows the grid's page, then clicks the cell.
    void click(int gridNumber, int row, int column, Qt::MouseButton button = Qt::LeftButton)
    {
        DataGrid *g = grid(gridNumber);
        form.pages()->showPage(
            gridNumber == 1 ? form.pages()->page("bsSkinTabSheet21") : form.pages()->page("bsSkinTabSheet22"));
        const QRect cell = g->visualRect(g->model()->index(row, column));
        QTest::mouseClick(g->viewport(), button, {}, cell.center());
    }
    bool started = false;
};

} // namespace

class TestCatalogueLists : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { quietOpacityWarnings(); }
    void cleanup() { cancelPendingAnswers(); }

    void beforeAnyClick()
    {
        Pages p;
        QVERIFY(p.started);
        CatalogueLists *l = p.lists();
        QCOMPARE(l->bsSkinEdit1->text(), QStringLiteral("请选择任意一条经典个性签名..."));
        QCOMPARE(l->bsSkinEdit2->text(), QStringLiteral("请选择任意一条经典个性网名..."));
        QVERIFY(!l->bsSkinButton4->isEnabled());
        QVERIFY(!l->bsSkinButton5->isEnabled());
        QVERIFY(l->bsSkinEdit1->isReadOnly() && l->bsSkinEdit2->isReadOnly());

        // Every row, ID then the entry.
        const QList<QStringList> lists = { Signatures, Couples, Boys, Girls };
        for (int n = 1; n <= 4; ++n) {
            DataGrid *g = p.grid(n);
            QCOMPARE(g->model()->rowCount(), lists[n - 1].size());
            QCOMPARE(g->model()->columnCount(), 2);
            QCOMPARE(g->model()->index(0, 0).data().toString(), QStringLiteral("1"));
            QCOMPARE(g->model()->index(0, 1).data().toString(), lists[n - 1].first());
            // The entry gets the width the key leaves.
            QVERIFY(g->columnWidth(0) < 40);
            QVERIFY(g->columnWidth(1) > g->viewport()->width() - 45);
        }

        QCOMPARE(p.grid(4)->parentWidget()->objectName(), QStringLiteral("bsSkinGroupBox3"));
    }

    // Rows come as the grid scrolls; its end is the list's last entry, and a click on it shows it.
    void scrollingReachesTheLastOfManyRows()
    {
        BrowseForm b;
        QVERIFY(writeLargeCatalogue(QStringLiteral("zeltodata.dll"), 100000));
        QVERIFY(b.startShown());
        b.form.pages()->showPage(b.form.pages()->page("bsSkinTabSheet21"));
        DataGrid *g = b.form.catalogueLists()->grid(1);
        QVERIFY(g->model()->rowCount() < 1000);
        QScrollBar *bar = g->verticalScrollBar();
        for (int i = 0; i < 5000 && g->model()->canFetchMore({}); ++i) {
            bar->setValue(bar->maximum() - 1);
            bar->setValue(bar->maximum());
            QCoreApplication::processEvents();
        }
        QCOMPARE(g->model()->rowCount(), 100000);
        QCOMPARE(b.form.catalogue()->query(1)->RecordCount(), 100000);
        const QModelIndex last = g->model()->index(99999, 1);
        QCOMPARE(g->model()->index(99999, 0).data().toString(), QStringLiteral("100000"));
        g->scrollToBottom();
        QTRY_VERIFY(g->viewport()->rect().contains(g->visualRect(last).center()));
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(last).center());
        QCOMPARE(b.form.catalogueLists()->bsSkinEdit1->text(), QStringLiteral("签名100000"));
        // The key column widened with the keys.
        QVERIFY(g->columnWidth(0) >= g->fontMetrics().horizontalAdvance(QStringLiteral("100000")));
    }

    void aClickShowsTheRowsEntry()
    {
        Pages p;
        QVERIFY(p.started);
        CatalogueLists *l = p.lists();
        p.click(1, 1, 1);
        QCOMPARE(l->bsSkinEdit1->text(), Signatures[1]);
        QVERIFY(l->bsSkinButton4->isEnabled());
        QCOMPARE(l->bsSkinEdit1->cursorPosition(), 0);
        QVERIFY(!l->bsSkinButton5->isEnabled());
        QCOMPARE(p.form.catalogue()->query(1)->currentRow(), 1);

        // The key cell gives the entry, not the key.
        p.click(1, 2, 0);
        QCOMPARE(l->bsSkinEdit1->text(), Signatures[2]);

        // A right click is no row click, nor is a click below the last row.
        p.click(1, 0, 1, Qt::RightButton);
        QCOMPARE(l->bsSkinEdit1->text(), Signatures[2]);
        QTest::mouseClick(p.grid(1)->viewport(), Qt::LeftButton, {}, QPoint(100, p.grid(1)->viewport()->height() - 5));
        QCOMPARE(l->bsSkinEdit1->text(), Signatures[2]);
    }

    // The keyboard chooses and copies as the mouse does; the key column never gets the cursor.
    void theKeyboardChoosesAndCopiesRows()
    {
        Pages p;
        QVERIFY(p.started);
        CatalogueLists *l = p.lists();
        DataGrid *g = p.grid(1);
        p.form.pages()->showPage(p.form.pages()->page("bsSkinTabSheet21"));
        p.form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&p.form));
        // Entered by Tab: the first row, its entry in the viewer.
        g->setFocus(Qt::TabFocusReason);
        QVERIFY(g->hasFocus());
        QCOMPARE(g->currentIndex().row(), 0);
        QCOMPARE(l->bsSkinEdit1->text(), Signatures[0]);
        QVERIFY(l->bsSkinButton4->isEnabled());

        QTest::keyClick(g, Qt::Key_Down);
        QTest::keyClick(g, Qt::Key_Down);
        QCOMPARE(g->currentIndex().row(), 2);
        QCOMPARE(g->currentIndex().column(), DataGrid::EntryColumn);
        QVERIFY(g->selectionModel()->isRowSelected(2, {}));
        QCOMPARE(l->bsSkinEdit1->text(), Signatures[2]);
        QCOMPARE(p.form.catalogue()->query(1)->currentRow(), 2);
        QTest::keyClick(g, Qt::Key_Home);
        QCOMPARE(l->bsSkinEdit1->text(), Signatures[0]);
        QTest::keyClick(g, Qt::Key_End);
        QCOMPARE(l->bsSkinEdit1->text(), Signatures[2]);
        QTest::keyClick(g, Qt::Key_PageUp);
        QCOMPARE(l->bsSkinEdit1->text(), Signatures[0]);
        QTest::keyClick(g, Qt::Key_Right);
        QTest::keyClick(g, Qt::Key_Left);
        QCOMPARE(g->currentIndex().column(), DataGrid::EntryColumn);
        QTest::keyClick(g, Qt::Key_Down);

        // Enter copies through 复制: the entry (never its key), the notice, 最近.
        QGuiApplication::clipboard()->setText(QStringLiteral("旧的内容"));
        {
            ScriptedDialog notice(p.messages());
            QTest::keyClick(g, Qt::Key_Return);
            QTRY_VERIFY(notice.seen());
            QCOMPARE(notice.text(), CopyNotice::Text);
        }
        QCOMPARE(QGuiApplication::clipboard()->text(), Signatures[1]);
        QCOMPARE(p.form.findCommands()->store().entries(UserStore::Recent), QStringList { Signatures[1] });

        // A click on the key puts the cursor on the entry; Ctrl+C copies the entry too.
        p.click(1, 2, DataGrid::KeyColumn);
        QCOMPARE(g->currentIndex(), g->model()->index(2, DataGrid::EntryColumn));
        {
            ScriptedDialog notice(p.messages());
            QTest::keyClick(g, Qt::Key_C, Qt::ControlModifier);
            QTRY_VERIFY(notice.seen());
        }
        QCOMPARE(QGuiApplication::clipboard()->text(), Signatures[2]);

        // On the nick-name page the shared viewer follows whichever list the keys move in.
        p.form.pages()->showPage(p.form.pages()->page("bsSkinTabSheet22"));
        p.grid(4)->setFocus(Qt::TabFocusReason);
        QCOMPARE(l->bsSkinEdit2->text(), Girls[0]);
        QTest::keyClick(p.grid(4), Qt::Key_Down);
        QCOMPARE(l->bsSkinEdit2->text(), Girls[1]);
        QVERIFY(l->bsSkinButton5->isEnabled());
        // Readers hear what a list and its columns hold.
        QCOMPARE(p.grid(4)->accessibleName(), QStringLiteral("个性女生网名"));
        QCOMPARE(g->accessibleName(), QStringLiteral("经典个性签名"));
        QCOMPARE(
            g->model()->headerData(DataGrid::EntryColumn, Qt::Horizontal).toString(), QStringLiteral("经典个性签名"));
    }

    void theNickNameListsShareOneViewer()
    {
        Pages p;
        QVERIFY(p.started);
        CatalogueLists *l = p.lists();
        p.click(3, 2, 1);
        QCOMPARE(l->bsSkinEdit2->text(), Boys[2]);
        QVERIFY(l->bsSkinButton5->isEnabled());
        p.click(4, 1, 0);
        QCOMPARE(l->bsSkinEdit2->text(), Girls[1]);
        p.click(2, 0, 1);
        QCOMPARE(l->bsSkinEdit2->text(), Couples[0]);
        p.click(4, 1, 1);
        QCOMPARE(l->bsSkinEdit1->text(), QStringLiteral("请选择任意一条经典个性签名..."));
        QVERIFY(!l->bsSkinButton4->isEnabled());

        QGuiApplication::clipboard()->setText(QStringLiteral("旧的内容"));
        ScriptedDialog notice(p.messages());
        QTest::mouseClick(l->bsSkinButton5, Qt::LeftButton);
        QTRY_VERIFY(notice.seen());
        QCOMPARE(QGuiApplication::clipboard()->text(), Girls[1]);
        QCOMPARE(notice.shown().kind, mtInformation);
        QCOMPARE(notice.shown().timeoutMs, CopyNotice::ListTimeoutMs);
        QCOMPARE(notice.text(), CopyNotice::Text);
        QCOMPARE(l->bsSkinEdit2->selectedText(), Girls[1]);
    }

    void entriesOfAnyLengthAreShownAndCopiedWhole()
    {
        // Beyond a line edit's default 32,767: emoji end inside a surrogate pair there.
        const QString emoji = QString(QStringLiteral("😀")).repeated(20000);
        const QString name = QString(QStringLiteral("长")).repeated(40000);
        BrowseForm f;
        writeCatalogue(QStringLiteral("zeltodata.dll"), { emoji }, { name });
        QVERIFY(f.startShown());
        CatalogueLists *l = f.form.catalogueLists();
        for (int n : { 1, 2 }) {
            DataGrid *g = l->grid(n);
            f.form.pages()->showPage(f.form.pages()->page(n == 1 ? "bsSkinTabSheet21" : "bsSkinTabSheet22"));
            QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(g->model()->index(0, 1)).center());
            const QString &entry = n == 1 ? emoji : name;
            QCOMPARE((n == 1 ? l->bsSkinEdit1 : l->bsSkinEdit2)->text(), entry);
            ScriptedDialog notice(f.messages());
            QTest::mouseClick(n == 1 ? l->bsSkinButton4 : l->bsSkinButton5, Qt::LeftButton);
            QTRY_VERIFY(notice.seen());
            QCOMPARE(QGuiApplication::clipboard()->text(), entry);
        }
    }

    void viewerEditMenu()
    {
        Pages p;
        QVERIFY(p.started);
        CatalogueLists *l = p.lists();
        p.click(1, 0, 1);
        auto enabledItems = [](QMenu *menu) {
            QStringList out;
            for (QAction *a : menu->actions()) {
                if (!a->isSeparator() && a->isEnabled())
                    out << a->text();
            }
            return out;
        };
        std::unique_ptr<QMenu> menu(l->bsSkinEdit1->createEditMenu());
        QGuiApplication::clipboard()->setText(QStringLiteral("别处的文字"));
        QCOMPARE(enabledItems(menu.get()), QStringList { QStringLiteral("全选") });

        menu->findChild<QAction *>(QStringLiteral("editSelectAll"))->trigger();
        menu.reset(l->bsSkinEdit1->createEditMenu());
        QCOMPARE(enabledItems(menu.get()), QStringList { QStringLiteral("复制") });
        // Its copy shows no notice.
        ScriptedDialog notice(p.messages());
        menu->findChild<QAction *>(QStringLiteral("editCopy"))->trigger();
        QCoreApplication::processEvents();
        QVERIFY(!notice.seen());
        QCOMPARE(QGuiApplication::clipboard()->text(), Signatures[0]);
        QCOMPARE(l->bsSkinEdit1->text(), Signatures[0]);
    }
};

QTEST_MAIN(TestCatalogueLists)
#include "tst_cataloguelists.moc"
