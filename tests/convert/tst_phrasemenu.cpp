#include "OpenccFiles.h"
#include "convert/ConvertPage.h"
#include "convert/GbToBig.h"
#include "convert/PhraseLibrary.h"
#include "convert/PhraseMenu.h"
#include "convert/ReviewMarks.h"
#include "support/TestSupport.h"
#include "widgets/SkinMemo.h"
#include "window/TbsSkinMessage.h"

#include <QClipboard>
#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QThreadPool>
#include <QToolTip>

namespace {

const QString Shop = QStringLiteral("Zelto设计室");

QLabel *statusPanel(QWidget *form)
{
    auto *panel = new QLabel(Shop, form);
    panel->setObjectName(QStringLiteral("bsSkinStatusPanel1"));
    return panel;
}

// The page on a window of its own with a status panel, and the phrase-level menu on it.
struct Page
{
    QWidget form;
    QLabel *status = statusPanel(&form);
    TbsSkinMessage messages { &form };
    TGbToBig gbToBig { &form };
    QWidget *sheet = new QWidget(&form);
    ConvertPage page { PageContext { .form = &form, .messages = &messages }, sheet, &gbToBig };
    SkinMemo *memo = page.bsSkinMemo220;
    PhraseMenu menu;
    ReviewMarks *marks = menu.reviewMarks;

    explicit Page(const QString &dataDir = PhraseLibrary::defaultDataDir(), DictionaryCheck check = DictionaryCheck())
        : menu({ .form = &form, .messages = &messages, .bsSkinStatusPanel1 = status }, &page, dataDir, std::move(check))
    {
        form.resize(700, 450);
        sheet->setGeometry(0, 0, 690, 425);
    }
    bool load()
    {
        menu.startLoading();
        return QTest::qWaitFor([this] { return menu.isLoaded(); }, SlowWorkWaitMs);
    }
    QString convert(const QString &text, PhraseConverter::Config config = PhraseConverter::S2T)
    {
        memo->setPlainText(text);
        menu.convertActions[config]->trigger();
        return memo->toPlainText();
    }
    QList<qsizetype> positions() const
    {
        QList<qsizetype> list;
        for (const ReviewMark &mark : marks->marks())
            list.append(mark.position);
        return list;
    }
    void putCaret(int position, int anchor = -1)
    {
        QTextCursor c = memo->textCursor();
        c.setPosition(anchor < 0 ? position : anchor);
        c.setPosition(position, QTextCursor::KeepAnchor);
        memo->setTextCursor(c);
    }
    // The middle of the character at a position, in the memo's viewport.
    QPoint pointAt(int position) const
    {
        QTextCursor c(memo->document());
        c.setPosition(position);
        const QRect r = memo->cursorRect(c);
        return QPoint(
            r.left() + memo->fontMetrics().horizontalAdvance(memo->toPlainText().mid(position, 1)) / 2, r.center().y());
    }
    QAction *replaceItem(const QString &candidate) const
    {
        for (QAction *a : page.bsSkinPopupMenu5->actions()) {
            if (a->text() == QStringLiteral("换成 ") + candidate)
                return a;
        }
        return nullptr;
    }
};

} // namespace

class TestPhraseMenu : public QObject
{
    Q_OBJECT
private slots:
    void itemsConvertByTheirConfigurationAsOneUndoStep();
    void loneCharacterIsMarkedAndChosenByClick();
    void marksFollowEditsAndF3AndReplaceItems();
    void pageButtonsAndUndoEndTheReview();
    void longTextConvertsInTheBackground();
    void pageCommandsDuringALongConversionSeeTheWholeText();
    void changesFromElsewhereKeepTheRemovedText();
    void missingDataDisablesTheItems();
    void damagedUserDictionaryDisablesItsItems();
};

void TestPhraseMenu::itemsConvertByTheirConfigurationAsOneUndoStep()
{
    Page p;
    QCOMPARE(p.menu.phraseMenu->title(), QStringLiteral("按词组转换"));
    QVERIFY(p.page.bsSkinPopupMenu5->actions().contains(p.menu.phraseMenu->menuAction()));
    QStringList captions;
    for (QAction *a : p.menu.phraseMenu->actions())
        captions.append(a->text());
    QCOMPARE(captions,
        (QStringList { QStringLiteral("简体→繁体"), QStringLiteral("简体→台湾正体（含用词）"),
            QStringLiteral("简体→香港繁体"), QStringLiteral("繁体→简体"), QStringLiteral("台湾正体→简体（含用词）") }));
    QVERIFY(p.load());
    for (QAction *a : p.menu.convertActions)
        QVERIFY(a->isEnabled());

    QCOMPARE(p.convert(QStringLiteral("我的头发和发展")), QStringLiteral("我的頭髮和發展"));
    QCOMPARE(p.marks->count(), 0);
    QCOMPARE(p.status->text(), Shop);
    p.memo->undo();
    QCOMPARE(p.memo->toPlainText(), QStringLiteral("我的头发和发展"));
    p.memo->redo();
    QCOMPARE(p.memo->toPlainText(), QStringLiteral("我的頭髮和發展"));

    // Spaces and breaks other than line feeds come out as they went in, also after undo.
    const QString odd = QStringLiteral("头发\u00a0发展\u2028汉\u2029字\ufdd0东\ufdd1车");
    p.memo->setExactText(odd);
    p.menu.convertActions[PhraseConverter::S2T]->trigger();
    QCOMPARE(p.memo->exactText(), QStringLiteral("頭髮\u00a0發展\u2028漢\u2029字\ufdd0東\ufdd1車"));
    p.memo->undo();
    QCOMPARE(p.memo->exactText(), odd);

    QCOMPARE(p.convert(QStringLiteral("软件"), PhraseConverter::S2TWP), QStringLiteral("軟體"));
    QCOMPARE(p.convert(QStringLiteral("说"), PhraseConverter::S2HK), QStringLiteral("説"));
    QCOMPARE(p.convert(QStringLiteral("頭髮"), PhraseConverter::T2S), QStringLiteral("头发"));
    QCOMPARE(p.convert(QStringLiteral("軟體"), PhraseConverter::TW2SP), QStringLiteral("软件"));
}

void TestPhraseMenu::loneCharacterIsMarkedAndChosenByClick()
{
    Page p;
    QVERIFY(p.load());
    p.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&p.form));
    // 一发 would be a phrase.
    QCOMPARE(p.convert(QStringLiteral("甲发")), QStringLiteral("甲發"));
    QCOMPARE(p.positions(), QList<qsizetype> { 1 });
    QCOMPARE(p.status->text(), QStringLiteral("还有 1 个字待核对（F3 到下一个）"));
    const QList<QTextEdit::ExtraSelection> drawn = p.memo->extraSelections();
    QCOMPARE(drawn.size(), 1);
    QCOMPARE(drawn[0].cursor.selectedText(), QStringLiteral("發"));
    QCOMPARE(drawn[0].format.underlineStyle(), QTextCharFormat::DotLine);

    QHelpEvent help(QEvent::ToolTip, p.pointAt(1), p.memo->viewport()->mapToGlobal(p.pointAt(1)));
    QApplication::sendEvent(p.memo->viewport(), &help);
    QTRY_VERIFY(QToolTip::text().contains(QStringLiteral("發、髮")));

    // Copies carry the text only.
    p.memo->selectAll();
    p.memo->copy();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("甲發"));
    QCOMPARE(QGuiApplication::clipboard()->mimeData()->formats(), QStringList { QStringLiteral("text/plain") });

    // A click beside the mark offers nothing; a click on it offers the candidates.
    QTest::mouseClick(p.memo->viewport(), Qt::LeftButton, {}, p.pointAt(0));
    QTest::qWait(QuietWaitMs);
    QVERIFY(!p.marks->candidateMenu()->isVisible());
    QTest::mouseClick(p.memo->viewport(), Qt::LeftButton, {}, p.pointAt(1));
    QTRY_VERIFY(p.marks->candidateMenu()->isVisible());
    const QList<QAction *> offered = p.marks->candidateMenu()->actions();
    QCOMPARE(offered.size(), 2);
    QCOMPARE(offered[0]->text(), QStringLiteral("發"));
    QVERIFY(offered[0]->isChecked());
    offered[1]->trigger();
    p.marks->candidateMenu()->hide();
    QCOMPARE(p.memo->toPlainText(), QStringLiteral("甲髮"));
    QCOMPARE(p.marks->count(), 0);
    QCOMPARE(p.status->text(), Shop);
    QTRY_VERIFY(p.memo->extraSelections().isEmpty());

    // Keeping the chosen form ends its review too.
    p.convert(QStringLiteral("发"));
    p.marks->choose(0, QStringLiteral("發"));
    QCOMPARE(p.memo->toPlainText(), QStringLiteral("發"));
    QCOMPARE(p.marks->count(), 0);
}

void TestPhraseMenu::marksFollowEditsAndF3AndReplaceItems()
{
    Page p;
    QVERIFY(p.load());
    p.form.show();
    QVERIFY(QTest::qWaitForWindowActive(&p.form));
    p.memo->setFocus();
    QCOMPARE(p.convert(QStringLiteral("发，后，发")), QStringLiteral("發，後，發"));
    QCOMPARE(p.positions(), (QList<qsizetype> { 0, 2, 4 }));
    QCOMPARE(p.status->text(), QStringLiteral("还有 3 个字待核对（F3 到下一个）"));

    // Typing before and after a mark moves it; deleting one drops it.
    p.putCaret(0);
    QTest::keyClicks(p.memo, QStringLiteral("x"));
    p.putCaret(2);
    QTest::keyClicks(p.memo, QStringLiteral("y"));
    QCOMPARE(p.memo->toPlainText(), QStringLiteral("x發y，後，發"));
    QCOMPARE(p.positions(), (QList<qsizetype> { 1, 4, 6 }));
    p.putCaret(5, 4);
    QTest::keyClick(p.memo, Qt::Key_Delete);
    QCOMPARE(p.positions(), (QList<qsizetype> { 1, 5 }));
    QCOMPARE(p.status->text(), QStringLiteral("还有 2 个字待核对（F3 到下一个）"));

    // F3 selects the next mark, from the top again after the last.
    p.putCaret(0);
    QTest::keyClick(p.memo, Qt::Key_F3);
    QCOMPARE(p.memo->textCursor().selectionStart(), 1);
    QCOMPARE(p.memo->textCursor().selectedText(), QStringLiteral("發"));
    QTest::keyClick(p.memo, Qt::Key_F3);
    QCOMPARE(p.memo->textCursor().selectionStart(), 5);
    p.menu.nextMarkAction->trigger();
    QCOMPARE(p.memo->textCursor().selectionStart(), 1);

    // The memo's menu offers the other candidates of the mark at the caret.
    emit p.page.bsSkinPopupMenu5->aboutToShow();
    QVERIFY(p.replaceItem(QStringLiteral("髮")));
    QVERIFY(!p.replaceItem(QStringLiteral("發")));
    p.replaceItem(QStringLiteral("髮"))->trigger();
    QCOMPARE(p.memo->toPlainText(), QStringLiteral("x髮y，，發"));
    QCOMPARE(p.positions(), QList<qsizetype> { 5 });
    p.putCaret(0);
    emit p.page.bsSkinPopupMenu5->aboutToShow();
    QVERIFY(!p.replaceItem(QStringLiteral("髮")));
    // A right click on a mark offers its candidates wherever the caret is.
    QTest::mousePress(p.memo->viewport(), Qt::RightButton, {}, p.pointAt(5));
    emit p.page.bsSkinPopupMenu5->aboutToShow();
    QVERIFY(p.replaceItem(QStringLiteral("髮")));
    p.page.bsSkinPopupMenu5->hide();
}

void TestPhraseMenu::pageButtonsAndUndoEndTheReview()
{
    Page p;
    QVERIFY(p.load());
    for (const char *button :
        { "bsSkinButton6", "bsSkinButton7", "bsSkinButton9", "bsSkinButton11", "bsSkinButton10" }) {
        p.convert(QStringLiteral("发"));
        QCOMPARE(p.marks->count(), 1);
        QTest::mouseClick(p.form.findChild<QPushButton *>(QLatin1String(button)), Qt::LeftButton);
        QCOMPARE(p.marks->count(), 0);
        QCOMPARE(p.status->text(), Shop);
    }
    p.convert(QStringLiteral("发"));
    p.memo->undo();
    QCOMPARE(p.memo->toPlainText(), QStringLiteral("发"));
    QCOMPARE(p.marks->count(), 0);
    QVERIFY(!p.menu.nextMarkAction->isEnabled());
}

void TestPhraseMenu::longTextConvertsInTheBackground()
{
    Page p;
    QVERIFY(p.load());
    const QString line = QStringLiteral("我的头发和发展，发\n");
    const QString text = line.repeated(PhraseMenu::BackgroundLength / line.size() + 1);
    QCOMPARE(p.convert(text), text);
    QVERIFY(p.menu.isConverting());
    QVERIFY(p.memo->isReadOnly());
    QVERIFY(!p.menu.convertActions[PhraseConverter::T2S]->isEnabled());
    QCOMPARE(p.status->text(), QStringLiteral("正在按词组转换…"));
    QTRY_VERIFY_WITH_TIMEOUT(!p.menu.isConverting(), SlowWorkWaitMs);
    QVERIFY(!p.memo->isReadOnly());
    QCOMPARE(p.memo->toPlainText(), QStringLiteral("我的頭髮和發展，發\n").repeated(text.size() / line.size()));
    QCOMPARE(p.marks->count(), text.size() / line.size());
    QVERIFY(p.status->text().startsWith(QStringLiteral("还有 %1 个字待核对").arg(p.marks->count())));
    QVERIFY(p.memo->extraSelections().size() < 100); // only those in view are drawn
    // Put into the memo in pieces, still one undo step.
    QVERIFY(text.size() > 2 * PhraseMenu::PieceLength);
    p.memo->undo();
    QCOMPARE(p.memo->toPlainText(), text);
    QCOMPARE(p.marks->count(), 0);

    // A change meanwhile wins over the conversion.
    p.convert(text);
    QVERIFY(p.menu.isConverting());
    QTest::mouseClick(p.form.findChild<QPushButton *>(QStringLiteral("bsSkinButton10")), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!p.menu.isConverting(), SlowWorkWaitMs);
    QCOMPARE(p.memo->toPlainText(), QString());
    QCOMPARE(p.marks->count(), 0);
    QCOMPARE(p.status->text(), Shop);
}

namespace {

// A long conversion whose pieces go into the memo only when the test says so.
struct SteppedConversion
{
    Page &p;
    QList<std::function<void()>> steps;
    static inline const QString Line = QStringLiteral("我的头发和发展，发\n");
    static inline const QString Text = Line.repeated(5 * PhraseMenu::PieceLength / 2 / Line.size());
    static constexpr int RemovalSteps = 3;

    explicit SteppedConversion(Page &page)
        : p(page)
    {
        p.menu.setStepScheduler([this](std::function<void()> step) { steps.append(std::move(step)); });
    }
    // Stage 0: still converting; 1: a piece of the source removed; 2: a piece of the result in.
    void startTo(int stage)
    {
        steps.clear();
        p.memo->setExactText(Text);
        p.menu.convertActions[PhraseConverter::S2T]->trigger();
        QVERIFY(p.menu.isConverting());
        if (stage == 0)
            return;
        QVERIFY(QTest::qWaitFor([this] { return !steps.isEmpty(); }, SlowWorkWaitMs));
        for (int i = stage == 2 ? RemovalSteps : 0; i > 0; --i)
            steps.takeFirst()();
        QVERIFY(p.menu.isConverting());
        QCOMPARE(p.memo->textInteractionFlags(), Qt::NoTextInteraction);
    }
    void runTheRest()
    {
        while (!steps.isEmpty())
            steps.takeFirst()();
        // A cancelled conversion's result arrives to no effect.
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::processEvents();
    }
};

} // namespace

void TestPhraseMenu::pageCommandsDuringALongConversionSeeTheWholeText()
{
    Page p;
    QVERIFY(p.load());
    SteppedConversion conversion(p);
    const QString text = SteppedConversion::Text;
    for (const char *button :
        { "bsSkinButton6", "bsSkinButton7", "bsSkinButton9", "bsSkinButton11", "bsSkinButton10" }) {
        auto *b = p.form.findChild<QPushButton *>(QLatin1String(button));
        p.memo->setExactText(text);
        b->click();
        const QString expected = p.memo->exactText();
        for (int stage = 0; stage <= 2; ++stage) {
            conversion.startTo(stage);
            b->click();
            QVERIFY(!p.menu.isConverting());
            QVERIFY2(p.memo->exactText() == expected, button);
            conversion.runTheRest();
            QVERIFY2(p.memo->exactText() == expected, button);
            QCOMPARE(p.status->text(), Shop);
        }
    }

    for (int stage = 0; stage <= 2; ++stage) {
        // 复制全部 copies the source whole and leaves it as it was, undo history included.
        conversion.startTo(stage);
        ScriptedDialog notice(p.messages);
        p.form.findChild<QPushButton *>(QStringLiteral("bsSkinButton8"))->click();
        QTRY_VERIFY(notice.seen());
        QVERIFY(QGuiApplication::clipboard()->text() == text);
        QVERIFY(p.memo->exactText() == text);
        QVERIFY(!p.memo->document()->isUndoAvailable() && !p.memo->document()->isRedoAvailable());
        QVERIFY(!p.memo->isReadOnly());
        QCOMPARE(p.memo->textInteractionFlags(), Qt::TextEditorInteraction);
        conversion.runTheRest();
        QVERIFY(p.memo->exactText() == text);

        // 粘贴 goes into the source.
        conversion.startTo(stage);
        QGuiApplication::clipboard()->setText(QStringLiteral("贴"));
        p.page.N67->trigger();
        conversion.runTheRest();
        QVERIFY(p.memo->exactText().remove(QStringLiteral("贴")) == text);
        QCOMPARE(p.memo->exactText().size(), text.size() + 1);
    }

    // A cancelled conversion puts back the marks of its source and keeps the history:
    // one undo still goes back before the conversion that made them.
    conversion.startTo(2);
    conversion.runTheRest();
    const QString converted = p.memo->exactText();
    const qsizetype marks = p.marks->count();
    QVERIFY(marks > 0);
    p.menu.convertActions[PhraseConverter::T2S]->trigger();
    QVERIFY(QTest::qWaitFor([&] { return !conversion.steps.isEmpty(); }, SlowWorkWaitMs));
    conversion.steps.takeFirst()();
    ScriptedDialog notice(p.messages);
    p.form.findChild<QPushButton *>(QStringLiteral("bsSkinButton8"))->click();
    QVERIFY(p.memo->exactText() == converted);
    QCOMPARE(p.marks->count(), marks);
    p.memo->undo();
    QVERIFY(p.memo->exactText() == text);
}

void TestPhraseMenu::changesFromElsewhereKeepTheRemovedText()
{
    Page p;
    QVERIFY(p.load());
    SteppedConversion conversion(p);
    const QString text = SteppedConversion::Text;
    conversion.startTo(1);
    QTextCursor(p.memo->document()).insertText(QStringLiteral("甲"));
    conversion.runTheRest();
    QVERIFY(!p.menu.isConverting());
    QVERIFY(p.memo->exactText() == QStringLiteral("甲") + text);

    conversion.startTo(2);
    QTextCursor end(p.memo->document());
    end.movePosition(QTextCursor::End);
    end.insertText(QStringLiteral("乙"));
    conversion.runTheRest();
    QVERIFY(!p.menu.isConverting());
    QVERIFY(p.memo->exactText() == text + QStringLiteral("乙"));
    QCOMPARE(p.memo->textInteractionFlags(), Qt::TextEditorInteraction);
}

void TestPhraseMenu::missingDataDisablesTheItems()
{
    QTemporaryDir empty;
    Page p(empty.path());
    for (QAction *a : p.menu.convertActions) {
        QVERIFY(!a->isEnabled());
        QCOMPARE(a->toolTip(), QStringLiteral("正在载入 OpenCC 的词典…"));
    }
    QVERIFY(p.load());
    for (int c = 0; c < PhraseConverter::ConfigCount; ++c) {
        QAction *a = p.menu.convertActions[c];
        QVERIFY(!a->isEnabled());
        QCOMPARE(a->toolTip(),
            QStringLiteral("无法按词组转换：缺少 OpenCC 的数据文件“%1”（%2）")
                .arg(PhraseLibrary::configFileName(PhraseConverter::Config(c)), empty.path()));
    }
    QCOMPARE(p.convert(QStringLiteral("发")), QStringLiteral("发"));
    // The page's own converters still work.
    QTest::mouseClick(p.form.findChild<QPushButton *>(QStringLiteral("bsSkinButton6")), Qt::LeftButton);
    QCOMPARE(p.memo->toPlainText(), QStringLiteral("發"));
}

void TestPhraseMenu::damagedUserDictionaryDisablesItsItems()
{
    QTemporaryDir dir;
    QVERIFY(OpenccFiles::copySystemData(dir.path()));
    const QString cache = dir.filePath(QStringLiteral("checks.json"));
    {
        // Checked in a child first, then loaded here.
        Page p(dir.path(), DictionaryCheck(QStringLiteral(ZELTO_OPENCC_CHECK), cache));
        ScriptedDialog none(p.messages);
        QVERIFY(p.load());
        for (QAction *a : p.menu.convertActions)
            QVERIFY(a->isEnabled());
        QCOMPARE(p.convert(QStringLiteral("头发")), QStringLiteral("頭髮"));
        QVERIFY(!none.seen());
    }
    QVERIFY(OpenccFiles::damage(dir.filePath(QStringLiteral("STPhrases.ocd2"))));
    Page p(dir.path(), DictionaryCheck(QStringLiteral(ZELTO_OPENCC_CHECK), cache));
    ScriptedDialog notice(p.messages);
    QVERIFY(p.load());
    const QString why = QStringLiteral("OpenCC 的词典“STPhrases.ocd2”已损坏，无法使用（%1）").arg(dir.path());
    QTRY_VERIFY(notice.seen());
    QCOMPARE(notice.shown().kind, mtWarning);
    QVERIFY(notice.text().startsWith(why));
    for (const auto c : { PhraseConverter::S2T, PhraseConverter::S2TWP, PhraseConverter::S2HK }) {
        QVERIFY(!p.menu.convertActions[c]->isEnabled());
        QCOMPARE(p.menu.convertActions[c]->toolTip(), QStringLiteral("无法按词组转换：") + why);
    }
    // Configurations without it still work.
    QCOMPARE(p.convert(QStringLiteral("頭髮"), PhraseConverter::T2S), QStringLiteral("头发"));
}

QTEST_MAIN(TestPhraseMenu)
#include "tst_phrasemenu.moc"
