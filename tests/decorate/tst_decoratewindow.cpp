// The 花样网名 window in the main window: its three ways in, the live list, copying into 最近,
// 收藏 and 我的, the warning on characters no font draws, and the user's frames.

#include "BrowseFixture.h"
#include "app/TForm1.h"
#include "browse/CatalogueLists.h"
#include "browse/DataGrid.h"
#include "decorate/DecorateCommands.h"
#include "decorate/DecorateForm.h"
#include "decorate/DecorationModel.h"
#include "decorate/FrameList.h"
#include "decorate/GlyphCheck.h"
#include "find/FindCommands.h"
#include "find/UserStore.h"
#include "support/Files.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QLineEdit>
#include <QMenu>
#include <QStandardPaths>
#include <QTableView>

namespace {

struct DecorateFixture : BrowseForm
{
    bool started = false;
    DecorateFixture()
    {
        writeCatalogue(QStringLiteral("zeltodata.dll"), { QStringLiteral("签名一") }, { QStringLiteral("情侣一") },
            { QStringLiteral("男生一"), QStringLiteral("风之子") }, { QStringLiteral("女生一") });
        started = startShown();
    }
    DecorateCommands *commands() const { return form.decorateCommands(); }
    QAction *action(const char *name) const { return form.findChild<QAction *>(QLatin1String(name)); }
    QStringList styles() const
    {
        QStringList out;
        const DecorationModel *m = commands()->decorateForm()->model();
        for (int r = 0; r < m->rowCount(); ++r)
            out << m->style(r);
        return out;
    }
};

void rightClick(QWidget *target, QPoint pos)
{
    QContextMenuEvent event(QContextMenuEvent::Mouse, pos, target->mapToGlobal(pos));
    QSpontaneKeyEvent::setSpontaneous(&event);
    QApplication::sendEvent(target, &event);
}

} // namespace

class TestDecorateWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { quietOpacityWarnings(); }
    void cleanup() { cancelPendingAnswers(); }

    void typeCopyStarAndKeep()
    {
        DecorateFixture f;
        QVERIFY(f.started);
        f.action("decorateMenuItem")->trigger();
        DecorateForm *w = f.commands()->decorateForm();
        QVERIFY(w && QTest::qWaitForWindowExposed(w));
        QCOMPARE(w->objectName(), QStringLiteral("DecorateForm"));
        QCOMPARE(w->windowTitle(), QStringLiteral("花样网名"));
        QTRY_VERIFY(w->nameField()->hasFocus());
        QCOMPARE(w->model()->rowCount(), 0);

        // Chinese comes from an input method, as a whole.
        QTest::keyClicks(w->nameField(), QStringLiteral("Zelto"));
        w->nameField()->insert(QStringLiteral("小白"));
        QVERIFY(f.styles().contains(QStringLiteral("花边")));
        QVERIFY(w->selectStyle(QStringLiteral("哥特体")));
        const QString fraktur = QStringLiteral("ℨ𝔢𝔩𝔱𝔬小白");
        QCOMPARE(w->currentText(), fraktur);
        // The style stays chosen while the name changes.
        QTest::keyClick(w->nameField(), Qt::Key_Backspace);
        QCOMPARE(w->currentText(), QStringLiteral("ℨ𝔢𝔩𝔱𝔬小"));
        w->nameField()->insert(QStringLiteral("白"));

        QTest::keyClick(w->nameField(), Qt::Key_Return);
        QCOMPARE(QGuiApplication::clipboard()->text(), fraktur);
        UserStore &store = f.form.findCommands()->store();
        QCOMPARE(store.entries(UserStore::Recent), QStringList { fraktur });

        QTest::keyClick(w->nameField(), Qt::Key_D, Qt::ControlModifier);
        QVERIFY(store.isFavourite(fraktur));
        const QModelIndex star = w->model()->index(w->results()->currentIndex().row(), DecorationModel::StarColumn);
        QCOMPARE(star.data().toString(), QStringLiteral("★"));
        QTest::keyClick(w->nameField(), Qt::Key_Insert);
        QTest::keyClick(w->nameField(), Qt::Key_Insert);
        QCOMPARE(store.entries(UserStore::Mine), QStringList { fraktur });

        // Down moves the list while the field keeps the focus; Esc closes.
        QTest::keyClick(w->nameField(), Qt::Key_Down);
        QCOMPARE(w->model()->style(w->results()->currentIndex().row()), QStringLiteral("粗哥特体"));
        QVERIFY(w->nameField()->hasFocus());
        QTest::keyClick(w->nameField(), Qt::Key_Escape);
        QTRY_VERIFY(!w->isVisible());
    }

    // "装饰此网名" appears on a nick name's menu only, and fills that name in.
    void decorateFromNickNameMenu()
    {
        DecorateFixture f;
        QVERIFY(f.started);
        QMenu *category = f.form.pages()->categoryMenu();
        QAction *item = f.action("decorateRowItem");
        QVERIFY(f.action("decorateItem")->isVisible());
        f.form.pages()->showPage(f.form.pages()->page("bsSkinTabSheet22"));
        DataGrid *grid = f.form.catalogueLists()->grid(3);
        rightClick(grid->viewport(), grid->visualRect(grid->model()->index(1, 1)).center());
        QTRY_VERIFY(category->isVisible());
        QVERIFY(item->isVisible());
        item->trigger();
        category->hide();
        DecorateForm *w = f.commands()->decorateForm();
        QVERIFY(w && QTest::qWaitForWindowExposed(w));
        QCOMPARE(w->nameField()->text(), QStringLiteral("风之子"));
        QVERIFY(w->selectStyle(QStringLiteral("火星文·轻度")));
        QCOMPARE(w->currentText(), QStringLiteral("風之子"));

        f.form.pages()->showPage(f.form.pages()->page("bsSkinTabSheet21"));
        DataGrid *signatures = f.form.catalogueLists()->grid(1);
        rightClick(signatures->viewport(), signatures->visualRect(signatures->model()->index(0, 1)).center());
        QTRY_VERIFY(category->isVisible());
        QVERIFY(!item->isVisible());
        category->hide();
    }

    // A row with a character no installed font has is marked, and still copies.
    void undrawableRowIsMarked()
    {
        DecorationModel model(nullptr);
        const QString missing = QString(QChar(0xE000)) + QStringLiteral("小白"); // private use
        model.setRows({ { QStringLiteral("花边"), missing }, { QStringLiteral("花边"), QStringLiteral("『小白』") } });
        QCOMPARE(model.index(0, DecorationModel::WarningColumn).data().toString(), QStringLiteral("⚠"));
        QCOMPARE(model.index(0, DecorationModel::WarningColumn).data(Qt::ToolTipRole).toString(),
            QStringLiteral("部分字符可能显示为方框"));
        QVERIFY(!model.index(1, DecorationModel::WarningColumn).data().isValid());
        QCOMPARE(model.text(0), missing);
        QCOMPARE(model.index(0, DecorationModel::LengthColumn).data().toInt(), 3);
        QCOMPARE(DecorationModel::length(QStringLiteral("𝔷\n①") + QStringLiteral("👨‍👩‍👧")), 7);
    }

    // The styles the program ships, and its frames, draw with the fonts it depends on.
    void shippedStylesAreDrawable()
    {
        DecorateFixture f;
        QVERIFY(f.started);
        f.commands()->openDecorate(QStringLiteral("Zelto小白 2008，你好！"));
        DecorationModel *m = f.commands()->decorateForm()->model();
        QVERIFY(m->rowCount() > 90);
        QStringList undrawable;
        for (int r = 0; r < m->rowCount(); ++r) {
            if (m->drawable(r))
                continue;
            undrawable << m->style(r) + QStringLiteral(": ") + m->text(r);
        }
        QVERIFY2(undrawable.isEmpty(), qPrintable(undrawable.join(u'\n')));
    }

    // The user's frames come after the shipped ones; one added in the window is kept.
    void ownFrames()
    {
        DecorateFixture f;
        QVERIFY(f.started);
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(writeFile(QDir(folder).filePath(QStringLiteral("frames.txt")), "<<{}>>\n%\n"));
        f.commands()->openDecorate(QStringLiteral("小白"));
        DecorateForm *w = f.commands()->decorateForm();
        QVERIFY(w->selectStyle(QStringLiteral("我的花边")));
        QCOMPARE(w->currentText(), QStringLiteral("<<小白>>"));
        f.commands()->frames()->add(QStringLiteral("[{}]"));
        QCOMPARE(w->model()->text(w->model()->rowCount() - 1), QStringLiteral("[小白]"));
        QCOMPARE(readFile(QDir(folder).filePath(QStringLiteral("frames.txt"))), QByteArray("<<{}>>\n%\n[{}]\n%\n"));
    }
};

QTEST_MAIN(TestDecorateWindow)
#include "tst_decoratewindow.moc"
