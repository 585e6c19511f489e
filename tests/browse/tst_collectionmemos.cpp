#include "BrowseFixture.h"
#include "browse/CollectionMemos.h"
#include "widgets/CopyNotice.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QTabWidget>
#include <QTextBlock>

namespace {

void openMenuOn(SkinMemo *memo)
{
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(10, 10), memo->viewport()->mapToGlobal(QPoint(10, 10)));
    QApplication::sendEvent(memo->viewport(), &event);
}

// Clicks the item in the open menu, which closes the menu first, as a user's click does.
void choose(QMenu *menu, QAction *item)
{
    QVERIFY(menu->isVisible());
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
}

void moveMouseOver(SkinMemo *memo)
{
    const QPoint at(30, 30);
    QMouseEvent move(
        QEvent::MouseMove, at, memo->viewport()->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(memo->viewport(), &move);
}

void select(SkinMemo *memo, int from, int to)
{
    QTextCursor c = memo->textCursor();
    c.setPosition(from);
    c.setPosition(to, QTextCursor::KeepAnchor);
    memo->setTextCursor(c);
}

QStringList lines(const QPlainTextEdit *memo)
{
    QStringList out;
    for (QTextBlock b = memo->document()->begin(); b.isValid(); b = b.next())
        out << b.text();
    return out;
}

} // namespace

class TestCollectionMemos : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { quietOpacityWarnings(); }
    void cleanup()
    {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (qobject_cast<QMenu *>(w))
                w->hide();
        }
        cancelPendingAnswers();
    }

    void everyFileOnItsPage()
    {
        BrowseForm f;
        f.start();
        CollectionMemos *c = f.form.collections();
        QTabWidget *pages = f.form.bsSkinPageControl1;
        int lastTab = -1;
        for (int n = 1; n <= 19; ++n) {
            SkinMemo *memo = c->memo(n);
            QCOMPARE(memo->objectName(), QStringLiteral("bsSkinMemo2%1").arg(n));
            QCOMPARE(lines(memo),
                (QStringList { QStringLiteral("第%1个集合").arg(n), QStringLiteral("第二行"), QString() }));
            // The file numbers follow the tab order of the collection pages.
            const int tab = pages->indexOf(memo->parentWidget());
            QVERIFY(tab > lastTab);
            lastTab = tab;

            const bool wraps = n == 1 || n == 17 || n == 19;
            QCOMPARE(memo->lineWrapMode(), wraps ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
            QVERIFY(memo->isReadOnly());
        }
        QCOMPARE(pages->tabText(pages->indexOf(c->memo(19)->parentWidget())), QStringLiteral("〖网络情缘〗"));
        // The last start-up step.
        QVERIFY(!c->N5->isEnabled());
    }

    void fileContentsAsLoaded()
    {
        BrowseForm f;
        f.writeCollection(1, QByteArray("one\ntwo\nthree"));
        f.writeCollection(2, QByteArray("one\rtwo\r\rthree\r"));
        f.writeCollection(3, QByteArray());
        f.writeCollection(4, QByteArray("before\0after\r\n\0tail", 19));
        f.writeCollection(5, QByteArray("\xFE\x51\xFE\x52 \x80"));
        f.start();
        CollectionMemos *c = f.form.collections();
        QCOMPARE(lines(c->memo(1)), (QStringList { "one", "two", "three" }));
        QCOMPARE(lines(c->memo(2)), (QStringList { "one", "two", "", "three", "" }));
        QVERIFY(c->memo(3)->document()->isEmpty());
        QCOMPARE(lines(c->memo(4)), (QStringList { "beforeafter", "tail" }));
        QCOMPARE(c->memo(5)->toPlainText(), QStringLiteral("\uE816\uE817 \u20AC"));
        QVERIFY(!c->N5->isEnabled());

        // The private-use characters go to the clipboard as they are, and as plain text only.
        c->memo(5)->selectAll();
        moveMouseOver(c->memo(5));
        openMenuOn(c->memo(5));
        ScriptedDialog notice(f.messages());
        choose(c->bsSkinPopupMenu2, c->N5);
        QTRY_VERIFY(notice.seen());
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("\uE816\uE817 \u20AC"));
        QCOMPARE(QGuiApplication::clipboard()->mimeData()->formats(), QStringList { QStringLiteral("text/plain") });
    }

    void missingFileEndsTheLoadingThere()
    {
        BrowseForm f;
        QFile::remove(QStringLiteral("data/5.zelto"));
        QString error;
        onNextModal([&error](QWidget *w) {
            error = w->findChild<QLabel *>(QStringLiteral("Message"))->text();
            postKey(w, Qt::Key_Return);
        });
        f.start();
        QCOMPARE(error,
            QStringLiteral("Cannot open file \"%1\". No such file or directory.")
                .arg(QDir::current().absoluteFilePath(QStringLiteral("data/5.zelto"))));
        CollectionMemos *c = f.form.collections();
        for (int n = 1; n <= 19; ++n)
            QCOMPARE(c->memo(n)->document()->isEmpty(), n >= 5);
        QVERIFY(c->N5->isEnabled());
        QVERIFY(!f.form.terminationRequested());
    }

    void copyTakesTheMemoWhoseMenuWasOpened()
    {
        BrowseForm f;
        f.start();
        CollectionMemos *c = f.form.collections();
        select(c->memo(19), 0, 3);
        select(c->memo(1), 5, 8);
        moveMouseOver(c->memo(1));
        openMenuOn(c->memo(1));
        QCOMPARE(c->menuMemo(), c->memo(1));
        QVERIFY(c->bsSkinPopupMenu2->isVisible());
        ScriptedDialog notice(f.messages());
        choose(c->bsSkinPopupMenu2, c->N5);
        QTRY_VERIFY(notice.seen());
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("\n第二"));
        QCOMPARE(notice.text(), CopyNotice::Text);
        QCOMPARE(notice.shown().timeoutMs, CopyNotice::ListTimeoutMs);
        // The older selection stays where it was.
        QCOMPARE(c->memo(19)->textCursor().selectedText(), QStringLiteral("第19"));

        // Nothing selected where the menu was opened: clipboard untouched, no notice.
        QGuiApplication::clipboard()->setText(QStringLiteral("原来的"));
        moveMouseOver(c->memo(7));
        QVERIFY(!c->N5->isEnabled());
        // Even if the item were left enabled by an earlier step.
        c->N5->setEnabled(true);
        openMenuOn(c->memo(7));
        const auto asked = f.messages().scriptedDialogs().size();
        f.messages().setNextAnswer(mrOk); // would answer a wrongly shown notice
        choose(c->bsSkinPopupMenu2, c->N5);
        QCoreApplication::processEvents();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("原来的"));

        // Ctrl+C copies without a notice.
        select(c->memo(19), 4, 7);
        c->memo(19)->setFocus();
        QTest::keyClick(c->memo(19), Qt::Key_C, Qt::ControlModifier);
        QCoreApplication::processEvents();
        QCOMPARE(f.messages().scriptedDialogs().size(), asked);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("集合\n"));
    }

    void mouseMovementSetsTheCopyItem()
    {
        BrowseForm f;
        f.start();
        CollectionMemos *c = f.form.collections();
        QVERIFY(!c->N5->isEnabled());
        select(c->memo(3), 0, 1);
        moveMouseOver(c->memo(3));
        QVERIFY(c->N5->isEnabled());
        // The memo the mouse moved over last decides, though another still holds a selection.
        moveMouseOver(c->memo(4));
        QVERIFY(!c->N5->isEnabled());
        moveMouseOver(c->memo(3));
        QVERIFY(c->N5->isEnabled());
    }

    void scrollBarMovesWithTheText()
    {
        BrowseForm f;
        QByteArray many;
        for (int i = 0; i < 300; ++i)
            many += "line " + QByteArray::number(i) + "\r\n";
        f.writeCollection(7, many);
        QVERIFY(f.startShown());
        f.action("N21")->trigger();
        SkinMemo *memo = f.form.collections()->memo(7);
        QScrollBar *bar = memo->scrollBar();
        QTRY_VERIFY(bar->maximum() > 200);
        QCOMPARE(bar->maximum(), memo->verticalScrollBar()->maximum());
        QCOMPARE(bar->pageStep(), memo->verticalScrollBar()->pageStep());

        bar->setValue(120);
        QCOMPARE(memo->verticalScrollBar()->value(), 120);
        QCOMPARE(memo->cursorForPosition(QPoint(2, 2)).block().text(), QStringLiteral("line 120"));

        QTextCursor end(memo->document());
        end.movePosition(QTextCursor::End);
        memo->setTextCursor(end);
        memo->ensureCursorVisible();
        QVERIFY(memo->verticalScrollBar()->value() > 250);
        QCOMPARE(bar->value(), memo->verticalScrollBar()->value());

        // The wheel scrolls, with Ctrl too, and never changes the font.
        const int before = bar->value();
        const QPoint at(50, 50);
        for (Qt::KeyboardModifiers mods :
            { Qt::KeyboardModifiers(Qt::NoModifier), Qt::KeyboardModifiers(Qt::ControlModifier) }) {
            QWheelEvent wheel(at, memo->viewport()->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, mods,
                Qt::NoScrollPhase, false);
            QApplication::sendEvent(memo->viewport(), &wheel);
        }
        QVERIFY(bar->value() < before);
        QCOMPARE(memo->font().pixelSize(), 14);
    }
};

QTEST_MAIN(TestCollectionMemos)
#include "tst_collectionmemos.moc"
