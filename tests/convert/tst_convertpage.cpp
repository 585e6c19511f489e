#include "convert/ConvertPage.h"
#include "convert/GbToBig.h"
#include "support/TestSupport.h"
#include "widgets/CopyNotice.h"
#include "widgets/SkinMemo.h"
#include "window/TbsSkinMessage.h"

#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>

namespace {

// The page on a window of its own, with the window's one table converter.
struct Page
{
    QWidget form;
    TbsSkinMessage messages { &form };
    TGbToBig gbToBig { &form };
    QWidget *sheet = new QWidget(&form);
    ConvertPage page { PageContext { .form = &form, .messages = &messages }, sheet, &gbToBig };
    SkinMemo *memo = page.bsSkinMemo220;

    Page()
    {
        form.resize(700, 450);
        sheet->setGeometry(0, 0, 690, 425);
    }
    QPushButton *button(const char *name) const { return form.findChild<QPushButton *>(QLatin1String(name)); }
    QString press(const char *name)
    {
        QTest::mouseClick(button(name), Qt::LeftButton);
        return memo->toPlainText();
    }
    void moveMouse()
    {
        const QPoint at(20, 20);
        QMouseEvent move(
            QEvent::MouseMove, at, memo->viewport()->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(memo->viewport(), &move);
    }
};

// Counts how often its formats are asked for: on X every such question goes to the program
// that owns the clipboard.
class CountingMimeData : public QMimeData
{
public:
    QStringList formats() const override
    {
        ++queries;
        return QMimeData::formats();
    }
    mutable int queries = 0;
};

} // namespace

class TestConvertPage : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { cancelPendingAnswers(); }

    void theTwoConverters()
    {
        Page p;
        p.memo->setPlainText(QStringLiteral("你好"));
        QCOMPARE(p.press("bsSkinButton6"), QStringLiteral("你好"));
        QCOMPARE(p.press("bsSkinButton9"), QStringLiteral("伱恏"));
        QCOMPARE(p.press("bsSkinButton7"), QStringLiteral("伱恏"));
        QCOMPARE(p.press("bsSkinButton11"), QStringLiteral("你好"));

        // A level-2 character: only the locale mapping knows it.
        p.memo->setPlainText(QStringLiteral("骅"));
        QCOMPARE(p.press("bsSkinButton9"), QStringLiteral("骅"));
        QCOMPARE(p.press("bsSkinButton6"), QStringLiteral("驊"));
        QCOMPARE(p.press("bsSkinButton7"), QStringLiteral("骅"));

        // Each 增强 click sets its own direction, whatever the converter was left in.
        p.memo->setPlainText(QStringLiteral("你好"));
        p.gbToBig.SetMode(TGbToBig::Big2Gb);
        QCOMPARE(p.press("bsSkinButton9"), QStringLiteral("伱恏"));
        QCOMPARE(p.gbToBig.Mode(), TGbToBig::Gb2Big);
        QCOMPARE(p.press("bsSkinButton11"), QStringLiteral("你好"));
        QCOMPARE(p.gbToBig.Mode(), TGbToBig::Big2Gb);
    }

    void wholeTextAndCharactersOutsideGbk()
    {
        Page p;
        const QString text = QStringLiteral("简体😀\U00020000好\r\nABC，１２３\n第二行");
        const QString shown = QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        p.memo->setPlainText(text);
        // A selection does not limit a conversion.
        QTextCursor c = p.memo->textCursor();
        c.setPosition(0);
        c.setPosition(1, QTextCursor::KeepAnchor);
        p.memo->setTextCursor(c);
        const QString traditional = p.press("bsSkinButton6");
        QCOMPARE(traditional, QStringLiteral("簡體😀\U00020000好\nABC，１２３\n第二行"));
        QCOMPARE(p.press("bsSkinButton7"), shown);
        const QString table = p.press("bsSkinButton9");
        QVERIFY(table.contains(QStringLiteral("😀\U00020000恏\nABC，１２３\n")));
        QCOMPARE(p.press("bsSkinButton11"), shown);

        QCOMPARE(p.press("bsSkinButton10"), QString());
        for (const char *b : { "bsSkinButton6", "bsSkinButton7", "bsSkinButton9", "bsSkinButton11" })
            QCOMPARE(p.press(b), QString());
    }

    void spacesAndBreaksOtherThanLineFeedsStay()
    {
        Page p;
        const QString text = QStringLiteral("简体\u00a0汉字\u2028东\u2029车\ufdd0马\ufdd1门\n鱼");
        QGuiApplication::clipboard()->setText(text);
        p.page.N67->trigger();
        QCOMPARE(p.memo->exactText(), text);
        QCOMPARE(p.press("bsSkinButton6"), QStringLiteral("簡體 漢字\n東\n車\n馬\n門\n魚"));
        QCOMPARE(p.memo->exactText(), QStringLiteral("簡體\u00a0漢字\u2028東\u2029車\ufdd0馬\ufdd1門\n魚"));
        p.press("bsSkinButton7");
        QCOMPARE(p.memo->exactText(), text);
        p.press("bsSkinButton9");
        p.press("bsSkinButton11");
        QCOMPARE(p.memo->exactText(), text);
        ScriptedDialog notice(p.messages);
        p.press("bsSkinButton8");
        QTRY_VERIFY(notice.seen());
        QCOMPARE(QGuiApplication::clipboard()->text(), text);
        QCOMPARE(p.memo->exactText(2, 6), QStringLiteral("\u00a0汉字\u2028"));
        QCOMPARE(p.memo->exactText(7, 9), QStringLiteral("\u2029车"));

        // Enter after a kept break is a line feed; undo keeps the breaks around it.
        p.form.show();
        p.memo->setFocus();
        QTextCursor c = p.memo->textCursor();
        c.setPosition(9);
        p.memo->setTextCursor(c);
        QTest::keyClick(p.memo, Qt::Key_Return);
        QTest::keyClicks(p.memo, QStringLiteral("x"));
        QCOMPARE(p.memo->exactText(), QString(text).insert(9, QStringLiteral("\nx")));
        p.memo->undo();
        p.memo->undo();
        QCOMPARE(p.memo->exactText(), text);
        p.memo->selectAll();
        QTest::keyClick(p.memo, Qt::Key_Delete);
        p.memo->undo();
        QCOMPARE(p.memo->exactText(), text);
    }

    void copyAll()
    {
        Page p;
        p.memo->setPlainText(QStringLiteral("第一行\n😀第二行"));
        ScriptedDialog notice(p.messages);
        p.press("bsSkinButton8");
        QTRY_VERIFY(notice.seen());
        QCOMPARE(notice.shown().kind, mtInformation);
        QCOMPARE(notice.shown().timeoutMs, CopyNotice::CopyAllTimeoutMs);
        QCOMPARE(notice.text(), CopyNotice::Text);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("第一行\n😀第二行"));
        QCOMPARE(p.memo->textCursor().selectedText().size(), p.memo->toPlainText().size());

        // An empty memo: nothing copied, nothing shown.
        p.press("bsSkinButton10");
        QGuiApplication::clipboard()->setText(QStringLiteral("留着"));
        ScriptedDialog none(p.messages);
        p.press("bsSkinButton8");
        QVERIFY(!none.seen());
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("留着"));
    }

    void contextMenu()
    {
        Page p;
        // Both items enabled until the mouse first moves over the memo.
        QGuiApplication::clipboard()->clear();
        QVERIFY(p.page.N66->isEnabled() && p.page.N67->isEnabled());
        QCOMPARE(p.page.bsSkinPopupMenu5->actions(), (QList<QAction *> { p.page.N66, p.page.N67 }));

        p.moveMouse();
        QVERIFY(!p.page.N66->isEnabled());
        QVERIFY(!p.page.N67->isEnabled());

        QGuiApplication::clipboard()->setText(QStringLiteral("贴进来"));
        QVERIFY(!p.page.N67->isEnabled()); // only a mouse movement refreshes it
        p.memo->setPlainText(QStringLiteral("甲乙丙丁"));
        QTextCursor c = p.memo->textCursor();
        c.setPosition(1);
        c.setPosition(3, QTextCursor::KeepAnchor);
        p.memo->setTextCursor(c);
        p.moveMouse();
        QVERIFY(p.page.N66->isEnabled());
        QVERIFY(p.page.N67->isEnabled());

        // 粘贴 replaces the selection.
        p.page.N67->trigger();
        QCOMPARE(p.memo->toPlainText(), QStringLiteral("甲贴进来丁"));

        c.setPosition(0);
        c.setPosition(2, QTextCursor::KeepAnchor);
        p.memo->setTextCursor(c);
        ScriptedDialog notice(p.messages);
        p.page.N66->trigger();
        QTRY_VERIFY(notice.seen());
        QCOMPARE(notice.shown().timeoutMs, CopyNotice::ListTimeoutMs);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("甲贴"));
        QCOMPARE(QGuiApplication::clipboard()->mimeData()->formats(), QStringList { QStringLiteral("text/plain") });

        // Nothing selected: the clipboard keeps what it held.
        c.clearSelection();
        p.memo->setTextCursor(c);
        ScriptedDialog none(p.messages);
        p.page.N66->trigger();
        QVERIFY(!none.seen());
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("甲贴"));
    }

    void pasteFromASourceWithoutFormats()
    {
        // What a clipboard owner that does not answer leaves: no formats at all.
        Page p;
        p.memo->setPlainText(QStringLiteral("原有的文字"));
        p.memo->selectAll();
        QGuiApplication::clipboard()->setMimeData(new QMimeData);
        p.page.N67->trigger();
        QTest::keyClick(p.memo, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(p.memo->toPlainText(), QStringLiteral("原有的文字"));
    }

    void aMouseMoveNeverAsksTheClipboard()
    {
        Page p;
        auto *text = new CountingMimeData;
        text->setText(QStringLiteral("别处复制的"));
        QGuiApplication::clipboard()->setMimeData(text);
        text->queries = 0;
        for (int i = 0; i < 3; ++i)
            p.moveMouse();
        QCOMPARE(text->queries, 0);
        QVERIFY(p.page.N67->isEnabled());

        QGuiApplication::clipboard()->setMimeData(new QMimeData);
        p.moveMouse();
        QVERIFY(!p.page.N67->isEnabled());
    }

    void aLineTooLongToShowIsNotPasted()
    {
        Page p;
        const int most = ConvertPage::LongestLine;
        p.memo->setPlainText(QStringLiteral("第一行\n") + QString(most - 4, QLatin1Char('x')));
        const QString before = p.memo->toPlainText();
        QTextCursor c = p.memo->textCursor();
        c.movePosition(QTextCursor::End);
        p.memo->setTextCursor(c);

        // Four more characters fill the last line; five would go beyond it, also when the
        // line is only completed by the text after the caret.
        QGuiApplication::clipboard()->setText(QStringLiteral("一二三四五\n短行"));
        ScriptedDialog notice(p.messages);
        p.page.N67->trigger();
        QTRY_VERIFY(notice.seen());
        QCOMPARE(notice.text(), ConvertPage::LineTooLongText);
        QCOMPARE(p.memo->toPlainText(), before);
        QCOMPARE(p.memo->textCursor().position(), before.size());

        c.setPosition(before.indexOf(QLatin1Char('x')));
        p.memo->setTextCursor(c);
        QGuiApplication::clipboard()->setText(QStringLiteral("前\n一二三四五"));
        ScriptedDialog again(p.messages);
        QTest::keyClick(p.memo, Qt::Key_V, Qt::ControlModifier);
        QTRY_VERIFY(again.seen());
        QCOMPARE(p.memo->toPlainText(), before);

        QGuiApplication::clipboard()->setText(QStringLiteral("前\n一二三四"));
        ScriptedDialog none(p.messages);
        QTest::keyClick(p.memo, Qt::Key_V, Qt::ControlModifier);
        QVERIFY(!none.seen());
        QCOMPARE(p.memo->toPlainText(), QStringLiteral("第一行\n前\n一二三四") + QString(most - 4, QLatin1Char('x')));
    }
};

QTEST_MAIN(TestConvertPage)
#include "tst_convertpage.moc"
