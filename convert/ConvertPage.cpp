#include "convert/ConvertPage.h"

#include "convert/CVCODE.h"
#include "convert/GbToBig.h"
#include "convert/TableText.h"
#include "skin/Skin.h"
#include "widgets/ClipboardTextWatch.h"
#include "widgets/CopyNotice.h"
#include "widgets/SkinMemo.h"
#include "window/Guard.h"
#include "window/TbsSkinMessage.h"

#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>

ConvertPage::ConvertPage(const PageContext &context, QWidget *sheet, TGbToBig *gbToBig)
    : QObject(context.form)
    , m_context(context)
    , m_gbToBig(gbToBig)
    , m_clipboard(new ClipboardTextWatch(QGuiApplication::clipboard(), this))
{
    setObjectName(QStringLiteral("convertPage"));

    auto *content = new QGroupBox(QStringLiteral("内容"), sheet);
    content->setObjectName(QStringLiteral("bsSkinGroupBox6"));
    content->setGeometry(0, 0, 684, 357);
    bsSkinMemo220 = new SkinMemo(content);
    bsSkinMemo220->setObjectName(QStringLiteral("bsSkinMemo220"));
    bsSkinMemo220->setAccessibleName(QStringLiteral("简转繁"));
    bsSkinMemo220->setGeometry(2, 24, 662, 331);
    bsSkinMemo220->setFont(Skin::arialFont(16));
    bsSkinMemo220->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    bsSkinMemo220->setContextMenuPolicy(Qt::CustomContextMenu);
    bsSkinMemo220->setLongestLine(LongestLine);
    auto *bar = new QScrollBar(Qt::Vertical, content);
    bar->setObjectName(QStringLiteral("bsSkinScrollBar24"));
    bar->setGeometry(663, 23, 19, 331);
    bsSkinMemo220->attachScrollBar(bar);

    auto *buttons = new QGroupBox(QStringLiteral("简转繁（繁转简）"), sheet);
    buttons->setObjectName(QStringLiteral("bsSkinGroupBox8"));
    buttons->setGeometry(0, 358, 684, 64);
    // The captions fill their 75 px buttons: no room for the skin's side padding.
    buttons->setStyleSheet(QStringLiteral("QPushButton { padding-left: 0px; padding-right: 0px; }"));
    addButton("bsSkinButton6", QStringLiteral("简转繁[普通]"), 51, buttons, &ConvertPage::bsSkinButton6Click);
    addButton("bsSkinButton7", QStringLiteral("繁转简[普通]"), 151, buttons, &ConvertPage::bsSkinButton7Click);
    addButton("bsSkinButton9", QStringLiteral("简转繁[增强]"), 251, buttons, &ConvertPage::bsSkinButton9Click);
    addButton("bsSkinButton11", QStringLiteral("繁转简[增强]"), 351, buttons, &ConvertPage::bsSkinButton11Click);
    addButton("bsSkinButton8", QStringLiteral("复制全部"), 451, buttons, &ConvertPage::bsSkinButton8Click);
    addButton("bsSkinButton10", QStringLiteral("全部清空"), 551, buttons, &ConvertPage::bsSkinButton10Click);

    bsSkinPopupMenu5 = new QMenu(context.form);
    bsSkinPopupMenu5->setObjectName(QStringLiteral("bsSkinPopupMenu5"));
    N66 = bsSkinPopupMenu5->addAction(QStringLiteral("复制"));
    N66->setObjectName(QStringLiteral("N66"));
    N67 = bsSkinPopupMenu5->addAction(QStringLiteral("粘贴"));
    N67->setObjectName(QStringLiteral("N67"));
    connect(N66, &QAction::triggered, this, guardedSlot(context.form, [this] { N66Click(); }));
    connect(N67, &QAction::triggered, this, guardedSlot(context.form, [this] { N67Click(); }));

    connect(bsSkinMemo220, &QWidget::customContextMenuRequested, this,
        [this](const QPoint &pos) { bsSkinPopupMenu5->popup(bsSkinMemo220->viewport()->mapToGlobal(pos)); });
    connect(bsSkinMemo220, &SkinMemo::lineTooLong, this, guardedSlot(context.form, [this] {
        m_context.messages->ShowMessageDialog(LineTooLongText, mtWarning, mbOKSet, 0);
    }));
    connect(
        bsSkinMemo220, &SkinMemo::mouseMoved, this, guardedSlot(context.form, [this] { bsSkinMemo220MouseMove(); }));
}

QPushButton *ConvertPage::addButton(
    const char *name, const QString &caption, int left, QWidget *box, void (ConvertPage::*handler)())
{
    auto *b = new QPushButton(caption, box);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(left, 30, 75, 25);
    connect(b, &QPushButton::clicked, this, guardedSlot(m_context.form, [this, handler] { (this->*handler)(); }));
    return b;
}

// The whole text is replaced; a selection does not limit a conversion.
void ConvertPage::replaceText(const QString &text)
{
    bsSkinMemo220->setExactText(text);
}

void ConvertPage::convertByTable(int mode)
{
    emit aboutToUseText();
    // Each click sets its own direction, whatever the converter was left in.
    m_gbToBig->SetMode(TGbToBig::TMode(mode));
    replaceText(::convertWithTable(*m_gbToBig, bsSkinMemo220->exactText()));
}

void ConvertPage::bsSkinButton6Click()
{
    emit aboutToUseText();
    replaceText(ToTraditional(bsSkinMemo220->exactText()));
}
void ConvertPage::bsSkinButton7Click()
{
    emit aboutToUseText();
    replaceText(ToSimplified(bsSkinMemo220->exactText()));
}
void ConvertPage::bsSkinButton9Click()
{
    convertByTable(TGbToBig::Gb2Big);
}
void ConvertPage::bsSkinButton11Click()
{
    convertByTable(TGbToBig::Big2Gb);
}

void ConvertPage::bsSkinButton8Click()
{
    emit aboutToUseText();
    bsSkinMemo220->selectAll();
    if (!bsSkinMemo220->hasSelection())
        return;
    bsSkinMemo220->copy();
    CopyNotice::show(m_context, CopyNotice::CopyAllTimeoutMs);
}

void ConvertPage::bsSkinButton10Click()
{
    emit aboutToUseText();
    bsSkinMemo220->clear();
}

void ConvertPage::bsSkinMemo220MouseMove()
{
    N66->setEnabled(bsSkinMemo220->hasSelection());
    N67->setEnabled(m_clipboard->holdsText());
}

void ConvertPage::N66Click()
{
    emit aboutToUseText();
    if (!bsSkinMemo220->hasSelection())
        return;
    bsSkinMemo220->copy();
    CopyNotice::show(m_context, CopyNotice::ListTimeoutMs);
}

void ConvertPage::N67Click()
{
    emit aboutToUseText();
    bsSkinMemo220->paste();
}
