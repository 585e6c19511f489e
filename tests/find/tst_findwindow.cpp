#include "platform/SettingsTable.h"
// The find window in the main window: opening it, searching, copying, starring, own
// entries, the menus' new items, and copies recorded as recent, quietly or with the notice.

#include "BrowseFixture.h"
#include "browse/CatalogueLists.h"
#include "browse/CollectionMemos.h"
#include "browse/DataGrid.h"
#include "browse/SkinEdit.h"
#include "find/CopyNote.h"
#include "find/EmojiGridModel.h"
#include "find/EmojiSource.h"
#include "find/EntryEditor.h"
#include "find/EntrySource.h"
#include "find/FindCommands.h"
#include "find/FindForm.h"
#include "find/ResultModel.h"
#include "find/UserStore.h"
#include "skin/Skin.h"
#include "support/Files.h"
#include "support/Recorders.h"

#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableView>
#include <QThread>
#include <QToolButton>

namespace {

const QString Faces
    = QStringLiteral("【开心】\r\n(^_^)       微笑\r\n(^o^)       开心\r\n\r\n【难过】\r\n(T_T)       哭\r\n");

struct FindFixture : BrowseForm
{
    bool started = false;
    explicit FindFixture(int catalogueRows = 0)
    {
        writeCollection(18, Gbk::encode(Faces));
        if (catalogueRows > 0)
            writeLargeCatalogue(QStringLiteral("zeltodata.dll"), catalogueRows);
        else
            writeCatalogue(QStringLiteral("zeltodata.dll"), { QStringLiteral("心情不错"), QStringLiteral("天天开心") });
        started = startShown();
        // Only the pages: the emoji, which many searches find as well, are searched in
        // tests of their own.
        find()->setEntrySources({ form.catalogueLists(), form.collections() });
    }
    FindCommands *find() const { return form.findCommands(); }
    FindForm *openFind()
    {
        form.activateWindow();
        if (!QTest::qWaitForWindowActive(&form))
            return nullptr;
        QTest::keyClick(&form, Qt::Key_F, Qt::ControlModifier);
        FindForm *w = find()->findForm();
        return w && QTest::qWaitForWindowExposed(w) ? w : nullptr;
    }
    QStringList rows() const
    {
        QStringList out;
        const ResultModel *m = find()->findForm()->model();
        for (int r = 0; r < m->rowCount(); ++r)
            out << m->text(r);
        return out;
    }
};

// A collection the find window has never heard of.
struct CatSource : EntrySource
{
    Reader entryReader() const override
    {
        return [] {
            return QList<Entry> { { QStringLiteral("=^.^="), QStringLiteral("猫脸"), QStringLiteral("猫"),
                QStringLiteral("〖颜文字〗") } };
        };
    }
    // Unknown, so it is read on the worker thread.
    qsizetype entryCount() const override { return -1; }
};

// A page entry that starts with 笑.
struct SmileSource : EntrySource
{
    Reader entryReader() const override
    {
        return [] { return QList<Entry> { { QStringLiteral("笑一笑"), {}, {}, QStringLiteral("〖签名〗") } }; };
    }
    qsizetype entryCount() const override { return 1; }
};

void rightClick(QWidget *target, QPoint pos)
{
    QContextMenuEvent event(QContextMenuEvent::Mouse, pos, target->mapToGlobal(pos));
    QSpontaneKeyEvent::setSpontaneous(&event);
    QApplication::sendEvent(target, &event);
}

} // namespace

class TestFindWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { quietOpacityWarnings(); }
    void cleanup() { cancelPendingAnswers(); }

    void searchCopyStarAndRemoveByKeys()
    {
        FindFixture f;
        QVERIFY(f.started);
        FindForm *w = f.openFind();
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), QStringLiteral("查找与收藏"));
        QCOMPARE(w->searchField()->placeholderText(), QStringLiteral("输入文字或拼音，如 xq"));
        QTRY_VERIFY(w->searchField()->hasFocus());

        QTest::keyClicks(w->searchField(), QStringLiteral("kx"));
        // The whole match first, then page order: the signature page before the emoticons.
        QCOMPARE(f.rows(), (QStringList { "(^o^)", "天天开心", "(^_^)" }));
        QCOMPARE(w->model()->origin(1), QStringLiteral("〖经典个性签名〗"));
        QCOMPARE(w->model()->origin(2), QStringLiteral("〖心情符号〗·【开心】"));
        QTest::keyClick(w->searchField(), Qt::Key_Down);
        QTest::keyClick(w->searchField(), Qt::Key_Down);
        QCOMPARE(w->currentText(), QStringLiteral("(^_^)"));
        QTest::keyClick(w->searchField(), Qt::Key_Return);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("(^_^)"));
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QCOMPARE(f.find()->store().entries(UserStore::Recent), QStringList { "(^_^)" });

        QTest::keyClick(w->searchField(), Qt::Key_D, Qt::ControlModifier);
        QVERIFY(f.find()->store().isFavourite(QStringLiteral("(^_^)")));
        QCOMPARE(w->model()->index(2, ResultModel::StarColumn).data().toString(), QStringLiteral("★"));
        QTest::keyClick(w->searchField(), Qt::Key_2, Qt::ControlModifier);
        QCOMPARE(w->filter(), FindForm::Favourites);
        QCOMPARE(f.rows(), QStringList { "(^_^)" });

        // Delete removes from 最近; in the field it first deletes what follows the cursor.
        QTest::keyClick(w->searchField(), Qt::Key_3, Qt::ControlModifier);
        QCOMPARE(f.rows(), QStringList { "(^_^)" });
        w->searchField()->setCursorPosition(0);
        QTest::keyClick(w->searchField(), Qt::Key_Delete);
        QCOMPARE(w->searchField()->text(), QStringLiteral("x"));
        QCOMPARE(f.find()->store().entries(UserStore::Recent).size(), 1);
        w->searchField()->clear();
        QTest::keyClick(w->searchField(), Qt::Key_Delete);
        QVERIFY(f.find()->store().entries(UserStore::Recent).isEmpty());
        QVERIFY(f.rows().isEmpty());

        // Esc closes; opening again brings back the text selected.
        w->searchField()->setText(QStringLiteral("哭"));
        QTest::keyClick(w->searchField(), Qt::Key_Escape);
        QVERIFY(!w->isVisible());
        QCOMPARE(f.openFind(), w);
        QCOMPARE(w->searchField()->selectedText(), QStringLiteral("哭"));
    }

    void ownEntriesAreAddedInTheEditorAndFoundByPinyin()
    {
        FindFixture f;
        QVERIFY(f.started);
        FindForm *w = f.openFind();
        QVERIFY(w);
        onNextModal([](QWidget *dialog) {
            auto *editor = qobject_cast<EntryEditor *>(dialog);
            QVERIFY(editor);
            editor->editor()->setPlainText(QStringLiteral(" /\\_/\\\n( 喵喵 )"));
            QTest::keyClick(editor->editor(), Qt::Key_Return, Qt::ControlModifier);
        });
        // The new entry shows, even when the search text would have hidden it.
        w->searchField()->setText(QStringLiteral("zz"));
        QTest::keyClick(w->searchField(), Qt::Key_Insert);
        QCOMPARE(w->filter(), FindForm::Mine);
        QCOMPARE(f.find()->store().entries(UserStore::Mine), QStringList { " /\\_/\\\n( 喵喵 )" });
        QVERIFY(w->searchField()->text().isEmpty());
        QCOMPARE(w->currentText(), QStringLiteral(" /\\_/\\\n( 喵喵 )"));
        QTest::keyClick(w->searchField(), Qt::Key_1, Qt::ControlModifier);
        QTest::keyClicks(w->searchField(), QStringLiteral("mm"));
        QCOMPARE(f.rows(), QStringList { " /\\_/\\\n( 喵喵 )" });
        QCOMPARE(w->model()->origin(0), FindForm::MineOrigin);
        QCOMPARE(w->model()->index(0, ResultModel::TextColumn).data().toString(), QStringLiteral("/\\_/\\ …"));
        QVERIFY(w->model()
                    ->index(0, ResultModel::TextColumn)
                    .data(Qt::ToolTipRole)
                    .toString()
                    .contains(QStringLiteral("( 喵喵 )")));
    }

    // One's own entries rank with the catalogue's, before them within a rank; a huge one
    // shows only its beginning when pointed at.
    void ownEntriesRankWithEverythingElse()
    {
        FindFixture f;
        QVERIFY(f.started);
        FindForm *w = f.openFind();
        QVERIFY(w);
        f.find()->store().addOwn(QStringLiteral("开心果"));
        f.find()->store().addOwn(QStringLiteral("很开心"));
        QTest::keyClicks(w->searchField(), QStringLiteral("kx"));
        QCOMPARE(f.rows(), (QStringList { "(^o^)", "开心果", "很开心", "天天开心", "(^_^)" }));

        const QString line = QString(300, u'喵');
        QStringList lines;
        for (int i = 0; i < 3000; ++i)
            lines.append(line);
        f.find()->store().addOwn(lines.join(u'\n'));
        w->searchField()->clear();
        QTest::keyClick(w->searchField(), Qt::Key_4, Qt::ControlModifier);
        const QString tip = w->model()->index(2, ResultModel::TextColumn).data(Qt::ToolTipRole).toString();
        QVERIFY2(tip.size() < 10000, qPrintable(QString::number(tip.size())));
        QVERIFY(tip.contains(QString(200, u'喵') + QStringLiteral("…\n")));
        QVERIFY(tip.contains(QStringLiteral("\n…</pre>")));
        QCOMPARE(tip.count(u'\n'), 40);
        QCOMPARE(w->model()->index(2, ResultModel::TextColumn).data().toString(), QString(200, u'喵') + " …");
    }

    // Typing on gives what the whole text pasted at once gives, also where a letter turns a
    // literal search into one by readings.
    void typingFindsWhatPastingFinds()
    {
        FindFixture f;
        QVERIFY(f.started);
        FindForm *w = f.openFind();
        QVERIFY(w);
        QTest::keyClicks(w->searchField(), QStringLiteral("'"));
        QVERIFY(f.rows().isEmpty());
        QTest::keyClicks(w->searchField(), QStringLiteral("t"));
        const QStringList typed = f.rows();
        w->searchField()->setText(QStringLiteral("x"));
        w->searchField()->setText(QStringLiteral("'t"));
        QCOMPARE(typed, f.rows());
        QVERIFY(typed.contains(QStringLiteral("天天开心")));
    }

    // The active filter looks pressed: a checked button is drawn as a pressed one.
    void activeFilterLooksPressed()
    {
        FindFixture f;
        QVERIFY(f.started);
        qApp->setStyleSheet(Skin::styleSheet());
        const auto restore = qScopeGuard([] { qApp->setStyleSheet(QString()); });
        FindForm *w = f.openFind();
        QVERIFY(w);
        auto *all = w->findChild<QPushButton *>(QStringLiteral("filterAll"));
        auto *mine = w->findChild<QPushButton *>(QStringLiteral("filterMine"));
        QVERIFY(all->isChecked() && !mine->isChecked());
        const QImage checked = all->grab().toImage();
        all->setChecked(false);
        const QImage plain = all->grab().toImage();
        all->setDown(true);
        const QImage pressed = all->grab().toImage();
        all->setDown(false);
        QCOMPARE(checked, pressed);
        QVERIFY(checked != plain);
        QTest::keyClick(w->searchField(), Qt::Key_4, Qt::ControlModifier);
        QVERIFY(mine->isChecked() && !all->isChecked());
    }

    // A source handed in beside the pages is searched after them, with its place, by its
    // label and its heading.
    void newSourceIsSearched()
    {
        FindFixture f;
        QVERIFY(f.started);
        const CatSource cats;
        f.find()->setEntrySources({ f.form.catalogueLists(), f.form.collections(), &cats });
        FindForm *w = f.openFind();
        QVERIFY(w);
        QTRY_VERIFY(w->hasIndex());
        QTest::keyClicks(w->searchField(), QStringLiteral("mao"));
        QCOMPARE(f.rows(), QStringList { "=^.^=" });
        QCOMPARE(w->model()->origin(0), QStringLiteral("〖颜文字〗·【猫】"));
        w->searchField()->setText(QStringLiteral("猫脸"));
        QCOMPARE(f.rows(), QStringList { "=^.^=" });
        w->searchField()->clear();
        QCOMPARE(f.rows().mid(0, 2), (QStringList { "心情不错", "天天开心" }));
        QCOMPARE(f.rows().back(), QStringLiteral("=^.^="));
    }

    // The index's worker thread goes with the window even when the window closes first.
    void indexThreadIsDeleted()
    {
        QPointer<QThread> thread;
        {
            FindFixture f;
            QVERIFY(f.started);
            f.find()->setBackgroundIndexFrom(0);
            f.find()->openFind();
            thread = f.find()->findChild<QThread *>(QStringLiteral("findIndexThread"));
            QVERIFY(thread);
        }
        QVERIFY(thread.isNull());
    }

    // "收藏此条" shows only after a right click on a grid row; "收藏" of the memos stars the
    // selection.
    void starFromTheMainWindowMenus()
    {
        FindFixture f;
        QVERIFY(f.started);
        QMenu *category = f.form.pages()->categoryMenu();
        QCOMPARE(category->actions().front()->text(), QStringLiteral("查找与收藏"));
        QAction *starRow = f.action("starRowItem");
        f.form.pages()->showPage(f.form.pages()->page("bsSkinTabSheet21"));
        DataGrid *grid = f.form.catalogueLists()->grid(1);
        rightClick(grid->viewport(), grid->visualRect(grid->model()->index(1, 1)).center());
        QTRY_VERIFY(category->isVisible());
        QVERIFY(starRow->isVisible());
        starRow->trigger();
        category->hide();
        QVERIFY(f.find()->store().isFavourite(QStringLiteral("天天开心")));
        rightClick(f.form.bsSkinPageControl1->tabBar(), f.form.bsSkinPageControl1->tabBar()->tabRect(0).center());
        QTRY_VERIFY(category->isVisible());
        QVERIFY(!starRow->isVisible());
        category->hide();

        SkinMemo *memo = f.form.collections()->memo(18);
        QTextCursor c = memo->textCursor();
        c.setPosition(5);
        c.setPosition(10, QTextCursor::KeepAnchor);
        memo->setTextCursor(c);
        QContextMenuEvent event(
            QContextMenuEvent::Mouse, QPoint(10, 10), memo->viewport()->mapToGlobal(QPoint(10, 10)));
        QApplication::sendEvent(memo->viewport(), &event);
        QAction *star = f.action("starSelectionItem");
        QTRY_VERIFY(f.form.collections()->bsSkinPopupMenu2->isVisible());
        QVERIFY(star->isEnabled());
        star->trigger();
        f.form.collections()->bsSkinPopupMenu2->hide();
        QVERIFY(f.find()->store().isFavourite(QStringLiteral("(^_^)")));
    }

    // A large catalogue's index is built on a worker thread; what is typed meanwhile is
    // searched once it is there.
    void largeCatalogueIsIndexedInTheBackground()
    {
        FindFixture f;
        QVERIFY(f.started);
        f.find()->setBackgroundIndexFrom(0);
        FindForm *w = f.openFind();
        QVERIFY(w);
        QTest::keyClicks(w->searchField(), QStringLiteral("kx"));
        QTRY_VERIFY(w->hasIndex());
        QCOMPARE(f.rows(), (QStringList { "(^o^)", "天天开心", "(^_^)" }));
    }

    // The grids fetch rows only as they are shown; the index's worker reads every row itself.
    void indexHoldsRowsTheGridsHaveNotFetched()
    {
        FindFixture f(3000);
        QVERIFY(f.started);
        f.find()->setBackgroundIndexFrom(0);
        FindForm *w = f.openFind();
        QVERIFY(w);
        QTest::keyClicks(w->searchField(), QStringLiteral("3000"));
        QTRY_VERIFY(w->hasIndex());
        QStringList found = f.rows();
        found.sort();
        QCOMPARE(found, (QStringList { "女生3000", "情侣3000", "男生3000", "签名3000" }));
        QVERIFY(f.form.catalogueLists()->grid(4)->model()->rowCount() < 3000);
    }

    // A list file the program cannot understand is reported once, in a message, and kept.
    void unreadableListIsReported()
    {
        FindFixture f;
        QVERIFY(f.started);
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(writeFile(folder + QStringLiteral("/favourites.txt"), "\xFF\xFE\n%\n"));
        ScriptedDialog notice(f.messages());
        QVERIFY(f.openFind());
        QTRY_VERIFY(notice.seen());
        QVERIFY(notice.text().contains(QStringLiteral("favourites.txt")));
        QVERIFY(notice.text().contains(QStringLiteral("保持原样")));
        f.find()->findForm()->toggleStar();
        QVERIFY(f.find()->store().isFavourite(f.find()->findForm()->currentText()));
        QCOMPARE(readFile(folder + QStringLiteral("/favourites.txt")), QByteArray("\xFF\xFE\n%\n"));
    }

    // 收藏 and 我的 reach the input methods from the window's "更多" menu, an emoticon by its
    // label; where a file cannot be written the notice says so and nothing is lost.
    void exportToInputMethods()
    {
        FindFixture f;
        QVERIFY(f.started);
        const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        QDir(data + QStringLiteral("/fcitx5")).removeRecursively();
        QVERIFY(QDir().mkpath(data + QStringLiteral("/fcitx5/rime")));
        FindForm *w = f.openFind();
        QVERIFY(w);
        QTRY_VERIFY(w->hasIndex());
        f.find()->store().setFavourite(QStringLiteral("(^o^)"), true);
        QVERIFY(f.find()->store().addOwn(QStringLiteral("天天开心\n第二行")));
        QCOMPARE(w->moreButton()->accessibleName(), QStringLiteral("更多"));
        QVERIFY(w->moreButton()->focusPolicy() & Qt::TabFocus);
        auto *item = w->findChild<QAction *>(QStringLiteral("exportToInputMethodsItem"));
        QVERIFY(item && w->moreButton()->menu()->actions().contains(item));
        QCOMPARE(item->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_E));

        auto *messages = w->findChild<TbsSkinMessage *>();
        {
            ScriptedDialog notice(*messages);
            item->trigger();
            QVERIFY(notice.seen());
            QCOMPARE(notice.shown().kind, mtInformation);
            QVERIFY2(notice.text().contains(QStringLiteral("已把 2 条")), qPrintable(notice.text()));
        }
        const QString fcitx = data + QStringLiteral("/fcitx5/data/quickphrase.d/zelto.mb");
        QCOMPARE(QString::fromUtf8(readFile(fcitx)),
            QStringLiteral("#zelto-export-begin\nkx \"(^o^)\"\nttkx \"天天开心\\n第二行\"\n#zelto-export-end\n"));
        const QString rime = QString::fromUtf8(readFile(data + QStringLiteral("/fcitx5/rime/custom_phrase.txt")));
        QVERIFY(rime.contains(QStringLiteral("\n(^o^)\tkx\n")));
        QVERIFY(!rime.contains(QStringLiteral("天天开心")));

        // The quick-phrase folder is a file now.
        QVERIFY(QDir(data + QStringLiteral("/fcitx5/data")).removeRecursively());
        QVERIFY(writeFile(data + QStringLiteral("/fcitx5/data"), "x"));
        ScriptedDialog notice(*messages);
        item->trigger();
        QCOMPARE(notice.shown().kind, mtWarning);
        QVERIFY2(notice.text().contains(QStringLiteral("无法写入")), qPrintable(notice.text()));
        QVERIFY(notice.text().contains(QStringLiteral("都还在")));
        QVERIFY(f.find()->store().isFavourite(QStringLiteral("(^o^)")));
        QCOMPARE(f.find()->store().entries(UserStore::Mine).size(), 1);
    }

    // A star made by another copy of the program shows in the open window.
    void changeByAnotherCopyShows()
    {
        FindFixture f;
        QVERIFY(f.started);
        FindForm *w = f.openFind();
        QVERIFY(w);
        w->setFilter(FindForm::Favourites);
        QVERIFY(f.rows().isEmpty());
        UserStore other(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
        other.load();
        other.setFavourite(QStringLiteral("别处"), true);
        QTRY_COMPARE(f.rows(), QStringList { "别处" });
    }

    // 表情 from the category menu: the grid by group, a click or Enter copies as every copy
    // of the window does; the chosen skin tone is stored and reaches grid and search.
    void emojiViewCopiesInTheChosenTone()
    {
        FindFixture f;
        QVERIFY(f.started);
        const SmileSource smiles;
        f.find()->setEntrySources({ f.form.catalogueLists(), f.form.collections(), &smiles, f.find()->emojiSource() });
        f.action("emojiItem")->trigger();
        FindForm *w = f.find()->findForm();
        QVERIFY(w && QTest::qWaitForWindowExposed(w));
        QCOMPARE(w->filter(), FindForm::Emoji);
        QListView *grid = w->emojiGrid();
        QVERIFY(grid && grid->isVisible());
        EmojiGridModel *cells = w->emojiModel();
        QCOMPARE(cells->index(0).data().toString(), QStringLiteral("笑脸与情感"));
        int joy = 0;
        while (joy < cells->rowCount() && cells->text(joy) != QStringLiteral("😂"))
            ++joy;
        QCOMPARE(cells->index(joy).data(Qt::AccessibleTextRole).toString(), QStringLiteral("笑哭了"));
        QCOMPARE(cells->index(joy).data(Qt::ToolTipRole).toString(), QStringLiteral("笑哭了"));
        grid->scrollTo(cells->index(joy));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(cells->index(joy)).center());
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("😂"));
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QCOMPARE(f.find()->store().entries(UserStore::Recent), QStringList { "😂" });
        // The keys move among the emoji; a heading is passed over.
        grid->setFocus();
        QCOMPARE(grid->currentIndex().row(), joy);
        QTest::keyClick(grid, Qt::Key_Right);
        QTest::keyClick(grid, Qt::Key_Return);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("🙂"));
        grid->setCurrentIndex(cells->index(cells->firstRowOf(1)));
        QTest::keyClick(grid, Qt::Key_Left);
        QVERIFY(!cells->isHeading(grid->currentIndex().row()));

        // Under 全部 an emoji whose name matches comes before a page's entry of the same rank.
        QTRY_VERIFY(w->hasIndex());
        QTest::keyClick(w->searchField(), Qt::Key_1, Qt::ControlModifier);
        QTest::keyClicks(w->searchField(), QStringLiteral("xiao"));
        const QStringList xiao = f.rows();
        QVERIFY(xiao.indexOf(QStringLiteral("😂")) >= 0 && xiao.indexOf(QStringLiteral("😂")) < 5);
        QVERIFY(xiao.indexOf(QStringLiteral("😂")) < xiao.indexOf(QStringLiteral("笑一笑")));
        w->searchField()->clear();
        QTest::keyClick(w->searchField(), Qt::Key_5, Qt::ControlModifier);

        emit w->toneBox()->activated(3);
        QVERIFY(f.store.isSet(Settings::SkinTone3));
        QCOMPARE(w->toneBox()->currentIndex(), 3);
        int thumbs = 0;
        while (thumbs < cells->rowCount()
            && cells->index(thumbs).data(Qt::AccessibleTextRole).toString() != QStringLiteral("拇指向上"))
            ++thumbs;
        QCOMPARE(cells->text(thumbs), QStringLiteral("👍🏽"));
        w->searchField()->setText(QStringLiteral("拇指向上"));
        QVERIFY(!grid->isVisible());
        QCOMPARE(w->model()->rowCount(), 1);
        QCOMPARE(w->model()->text(0), QStringLiteral("👍🏽"));
        QCOMPARE(w->model()->origin(0), QStringLiteral("〖Emoji表情〗·【人物与身体】"));

        // A tone that cannot be stored is reported and changes nothing.
        QVERIFY(QFile::remove(f.store.filePath()) && QDir().mkpath(f.store.filePath()));
        QString message;
        onNextModal([&](QWidget *box) {
            if (auto *label = box->findChild<QLabel *>(QStringLiteral("Message")))
                message = label->text();
            postKey(box, Qt::Key_Return);
        });
        emit w->toneBox()->activated(5);
        QVERIFY(!message.isEmpty());
        QCOMPARE(w->toneBox()->currentIndex(), 3);
        QCOMPARE(w->model()->text(0), QStringLiteral("👍🏽"));
    }

    // A tone chosen while the index is built on the worker reaches the index all the same.
    void toneChosenWhileIndexing()
    {
        FindFixture f;
        QVERIFY(f.started);
        f.find()->setEntrySources({ f.form.catalogueLists(), f.form.collections(), f.find()->emojiSource() });
        f.find()->setBackgroundIndexFrom(0);
        f.action("emojiItem")->trigger();
        FindForm *w = f.find()->findForm();
        QVERIFY(w);
        emit w->toneBox()->activated(2);
        QTRY_VERIFY(w->hasIndex());
        w->searchField()->setText(QStringLiteral("拇指向上"));
        QTRY_COMPARE(w->model()->rowCount(), 1);
        QTRY_COMPARE(w->model()->text(0), QStringLiteral("👍🏼"));
    }

    // Off: the notice as before; on: a brief note, no dialog, gone within 2 s. Both record.
    void quietCopy()
    {
        FindFixture f;
        QVERIFY(f.started);
        CatalogueLists *lists = f.form.catalogueLists();
        QAction *on = f.action("quietCopyItem");
        QAction *off = f.action("quietCopyCheckedItem");
        QVERIFY(on->isVisible() && !off->isVisible());

        f.form.pages()->showPage(f.form.pages()->page("bsSkinTabSheet21"));
        lists->bsSkinEdit1->setText(QStringLiteral("心情不错"));
        lists->bsSkinButton4->setEnabled(true);
        ScriptedDialog notice(f.messages());
        QTest::mouseClick(lists->bsSkinButton4, Qt::LeftButton);
        QTRY_VERIFY(notice.seen());

        on->trigger();
        QVERIFY(f.store.isSet(Settings::QuietCopy));
        QVERIFY(!on->isVisible() && off->isVisible());
        lists->bsSkinEdit1->setText(QStringLiteral("天天开心"));
        QWidget *active = QApplication::activeWindow();
        QTest::mouseClick(lists->bsSkinButton4, Qt::LeftButton);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("天天开心"));
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QCOMPARE(QApplication::activeWindow(), active);
        QVERIFY(f.find()->note()->isVisible());
        QCOMPARE(f.find()->note()->text(), QStringLiteral("已复制"));
        QTRY_VERIFY_WITH_TIMEOUT(!f.find()->note()->isVisible(), DialogWaitMs);
        QCOMPARE(f.find()->store().entries(UserStore::Recent), (QStringList { "天天开心", "心情不错" }));

        off->trigger();
        QVERIFY(!f.store.isSet(Settings::QuietCopy));
        ScriptedDialog again(f.messages());
        QTest::mouseClick(lists->bsSkinButton4, Qt::LeftButton);
        QTRY_VERIFY(again.seen());
    }

    // Summoned from another program: Enter puts the entry, without its label, into that
    // program's window with the key its class calls for, records it in 最近 and hides;
    // Shift+Enter pastes and stays.
    void summonedWindowPastesIntoThePreviousWindow()
    {
        FindFixture f;
        QVERIFY(f.started);
        ScriptedDesktopServices &desktop = f.desktopServices;
        desktop.can = ScriptedDesktopServices::Everything;
        constexpr DesktopServices::WindowId Chat = 4242;
        desktop.active = Chat;
        desktop.className = QStringLiteral("Chat");

        f.find()->summon(QString(), 777);
        FindForm *w = f.find()->findForm();
        QVERIFY(w && QTest::qWaitForWindowExposed(w));
        QVERIFY(w->isSummoned());
        QCOMPARE(desktop.activations.value(0), std::pair(DesktopServices::WindowId(w->winId()), quint32(777)));
        QTRY_VERIFY(w->searchField()->hasFocus());
        QTest::keyClicks(w->searchField(), QStringLiteral("kx"));
        QCOMPARE(w->currentText(), QStringLiteral("(^o^)"));
        QTest::keyClick(w->searchField(), Qt::Key_Return);
        QTRY_COMPARE(desktop.pastes.size(), 1);
        QCOMPARE(desktop.pastes[0], std::pair(Chat, DesktopServices::PasteKey::ShiftInsert));
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("(^o^)"));
        QCOMPARE(f.find()->store().entries(UserStore::Recent), QStringList { "(^o^)" });
        QVERIFY(!w->isVisible());

        // Listed for Ctrl+V; two in a row with the window kept open.
        f.store.setText(Settings::CtrlVClasses, QStringLiteral("xterm chat"));
        desktop.active = Chat;
        f.find()->summon(QStringLiteral("kx"), 778);
        QTRY_VERIFY(w->isVisible());
        QCOMPARE(w->searchField()->selectedText(), QStringLiteral("kx"));
        QTest::keyClick(w->searchField(), Qt::Key_Return, Qt::ShiftModifier);
        QTRY_COMPARE(desktop.pastes.size(), 2);
        QTest::keyClick(w->searchField(), Qt::Key_Down);
        QTest::keyClick(w->searchField(), Qt::Key_Return, Qt::ShiftModifier);
        QTRY_COMPARE(desktop.pastes.size(), 3);
        QCOMPARE(desktop.pastes[2], std::pair(Chat, DesktopServices::PasteKey::CtrlV));
        QVERIFY(w->isVisible());
        QCOMPARE(f.find()->store().entries(UserStore::Recent).first(), w->currentText());
        QCOMPARE(desktop.activations.last().first, DesktopServices::WindowId(w->winId()));
    }

    // No window to paste into (a session that cannot tell, or the program's own window) or
    // one that never comes to the front: the entry is copied and a note says how to paste.
    void withoutATargetTheEntryIsCopiedWithANote()
    {
        FindFixture f;
        QVERIFY(f.started);
        ScriptedDesktopServices &desktop = f.desktopServices;
        f.find()->summon(QStringLiteral("kx"), 0);
        FindForm *w = f.find()->findForm();
        QVERIFY(w && QTest::qWaitForWindowExposed(w));
        QTest::keyClick(w->searchField(), Qt::Key_Return);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("(^o^)"));
        QVERIFY(!w->isVisible());
        QVERIFY(f.find()->note()->isVisible());
        QCOMPARE(f.find()->note()->text(), FindCommands::CopiedForPaste);
        QCOMPARE(f.find()->store().entries(UserStore::Recent), QStringList { "(^o^)" });

        desktop.can = ScriptedDesktopServices::Everything;
        desktop.active = DesktopServices::WindowId(f.form.winId());
        f.find()->summon(QString(), 0);
        QTRY_VERIFY(w->isVisible());
        QTest::keyClick(w->searchField(), Qt::Key_Down);
        QTest::keyClick(w->searchField(), Qt::Key_Return);
        QVERIFY(desktop.pastes.isEmpty());
        QCOMPARE(QGuiApplication::clipboard()->text(), w->currentText());

        desktop.active = 4242;
        f.find()->summon(QString(), 0);
        QTRY_VERIFY(w->isVisible());
        desktop.active = 1;
        desktop.activates = false;
        f.find()->note()->hide();
        QTest::keyClick(w->searchField(), Qt::Key_Return);
        QTRY_VERIFY_WITH_TIMEOUT(f.find()->note()->isVisible(), DialogWaitMs);
        QVERIFY(desktop.pastes.isEmpty());
        QCOMPARE(QGuiApplication::clipboard()->text(), w->currentText());
    }
};

QTEST_MAIN(TestFindWindow)
#include "tst_findwindow.moc"
