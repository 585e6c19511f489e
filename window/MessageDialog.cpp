#include "window/MessageDialog.h"

#include "skin/Skin.h"
#include "skin/SkinFrame.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace {

struct ButtonInfo
{
    const char *name;
    const char16_t *caption;
    int result;
};

constexpr ButtonInfo kButtons[mbButtonCount] = {
    { "Yes", u"是(&Y)", mrYes },
    { "No", u"否(&N)", mrNo },
    { "OK", u"确定", mrOk },
    { "Cancel", u"取消", mrCancel },
    { "Abort", u"放弃(&A)", mrAbort },
    { "Retry", u"重试(&R)", mrRetry },
    { "Ignore", u"忽略(&I)", mrIgnore },
    { "All", u"全部(&A)", mrAll },
    { "NoToAll", u"全部否(&O)", mrNoToAll },
    { "YesToAll", u"全部是(&Y)", mrYesToAll },
    { "Help", u"帮助(&H)", mrNone },
};

bool has(TMsgDlgButtons set, TMsgDlgBtn b)
{
    return set & buttonBit(b);
}

} // namespace

QString MessageDialog::caption(TMsgDlgBtn button)
{
    return QString::fromUtf16(kButtons[button].caption);
}
QString MessageDialog::buttonName(TMsgDlgBtn button)
{
    return QString::fromLatin1(kButtons[button].name);
}
int MessageDialog::resultOf(TMsgDlgBtn button)
{
    return kButtons[button].result;
}

TMsgDlgBtn MessageDialog::defaultButtonOf(TMsgDlgButtons buttons)
{
    if (has(buttons, mbOK))
        return mbOK;
    if (has(buttons, mbYes))
        return mbYes;
    return mbRetry;
}

TMsgDlgBtn MessageDialog::cancelButtonOf(TMsgDlgButtons buttons)
{
    if (has(buttons, mbCancel))
        return mbCancel;
    if (has(buttons, mbNo))
        return mbNo;
    return mbOK;
}

QString MessageDialog::displayText(const QString &text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

MessageDialog::MessageDialog(
    QWidget *parent, const QString &title, const QIcon &icon, const QString &text, TMsgDlgButtons buttons)
    : QDialog(parent)
    , m_text(text)
    , m_buttons(buttons)
{
    setProperty("messageDialog", true);
    setWindowTitle(title);
    if (parent)
        setWindowModality(Qt::WindowModal);
    m_frame = new SkinFrame(this, SkinTitleBar::NoButtons);
    QWidget *client = m_frame->client();

    auto *label = new QLabel(client);
    label->setObjectName(QStringLiteral("Message"));
    label->setTextFormat(Qt::PlainText);
    // An empty text still takes one line, as a label sized to a blank would.
    const QString shown = displayText(text);
    label->setText(shown);
    const QFontMetrics fm(label->font());
    QSize textSize = fm.size(0, shown.isEmpty() ? QStringLiteral(" ") : shown);

    int buttonCount = 0;
    for (int b = 0; b < mbButtonCount; ++b)
        buttonCount += has(buttons, TMsgDlgBtn(b)) ? 1 : 0;

    const QRect work
        = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->availableGeometry() : QRect();
    const int frameExtra = SkinFrame::frameSizeFor(QSize(0, 0)).width();
    m_layout = MessageLayout::compute(
        textSize, buttonCount, Skin::ButtonPictureHeight, Skin::FrameMinimumWidth, work.width(), frameExtra);

    label->setGeometry(QRect(m_layout.labelPos, textSize));

    auto *image = new QLabel(client);
    image->setObjectName(QStringLiteral("Image"));
    image->setGeometry(m_layout.iconRect);
    if (!icon.isNull())
        image->setPixmap(icon.pixmap(32, 32));

    const TMsgDlgBtn def = defaultButtonOf(buttons);
    const TMsgDlgBtn cancel = cancelButtonOf(buttons);
    int i = 0;
    for (int b = 0; b < mbButtonCount; ++b) {
        if (!has(buttons, TMsgDlgBtn(b)))
            continue;
        auto *pb = new QPushButton(caption(TMsgDlgBtn(b)), client);
        pb->setObjectName(buttonName(TMsgDlgBtn(b)));
        pb->setGeometry(m_layout.buttonRects[i++]);
        pb->setFocusPolicy(Qt::StrongFocus);
        pb->setAutoDefault(true);
        pb->setProperty("cancelButton", b == cancel);
        if (b == def)
            pb->setDefault(true);
        const int result = resultOf(TMsgDlgBtn(b));
        if (b != mbHelp)
            connect(pb, &QPushButton::clicked, this, [this, result] { done(result); });
        m_buttonWidgets[b] = pb;
    }
    m_frame->setFixedClientSize(m_layout.clientSize);
}

MessageDialog::~MessageDialog()
{
    delete m_frame;
}

QPushButton *MessageDialog::button(TMsgDlgBtn b) const
{
    return m_buttonWidgets[b];
}

void MessageDialog::reject()
{
    done(mrCancel);
}

void MessageDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (QPushButton *pb = m_buttonWidgets[cancelButtonOf(m_buttons)])
            pb->click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void MessageDialog::showEvent(QShowEvent *event)
{
    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect s = screen->geometry();
        move(s.left() + (s.width() - width()) / 2, s.top() + (s.height() - height()) / 2);
    }
    if (QPushButton *pb = m_buttonWidgets[defaultButtonOf(m_buttons)])
        pb->setFocus(Qt::OtherFocusReason);
    QDialog::showEvent(event);
}
