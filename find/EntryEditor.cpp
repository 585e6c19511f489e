#include "find/EntryEditor.h"

#include "skin/Skin.h"
#include "skin/SkinFrame.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

EntryEditor::EntryEditor(QWidget *parent, const QString &title, const QString &text)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("entryEditor"));
    setWindowTitle(title);
    setWindowModality(Qt::WindowModal);
    m_frame = new SkinFrame(this, SkinTitleBar::Close);
    QWidget *client = m_frame->client();

    m_edit = new QPlainTextEdit(client);
    m_edit->setObjectName(QStringLiteral("entryText"));
    m_edit->setFont(Skin::memoFont());
    m_edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_edit->setTabChangesFocus(true);
    m_edit->setPlainText(text);
    m_edit->setPlaceholderText(QStringLiteral("输入或粘贴一条，可以有多行"));

    auto *ok = new QPushButton(QStringLiteral("确定"), client);
    ok->setObjectName(QStringLiteral("OK"));
    ok->setToolTip(QStringLiteral("Ctrl+Enter"));
    auto *cancel = new QPushButton(QStringLiteral("取消"), client);
    cancel->setObjectName(QStringLiteral("Cancel"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    for (const QKeySequence &keys : { QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter) })
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(client);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(m_edit, 1);
    layout->addLayout(buttons);
    m_frame->setFixedClientSize(QSize(420, 260));
    m_edit->setFocus();
}

EntryEditor::~EntryEditor()
{
    delete m_frame;
}

QString EntryEditor::text() const
{
    return m_edit->toPlainText();
}
