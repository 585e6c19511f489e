#include "app/ShortcutDialog.h"

#include "skin/SkinFrame.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

ShortcutDialog::ShortcutDialog(const QKeySequence &current, Attempt attempt, QWidget *parent)
    : QDialog(parent)
    , m_attempt(std::move(attempt))
{
    setObjectName(QStringLiteral("shortcutDialog"));
    setWindowTitle(QStringLiteral("快捷键"));
    setWindowModality(Qt::WindowModal);
    m_frame = new SkinFrame(this, SkinTitleBar::Close);
    QWidget *client = m_frame->client();

    auto *intro = new QLabel(QStringLiteral("在任何程序中按下此快捷键，即可呼出“查找与收藏”(&K)："), client);
    intro->setWordWrap(true);
    m_edit = new QKeySequenceEdit(current, client);
    m_edit->setObjectName(QStringLiteral("shortcutEdit"));
    m_edit->setAccessibleName(QStringLiteral("快捷键"));
    m_edit->setAccessibleDescription(QStringLiteral("按下新的组合键；清除则不用快捷键"));
    intro->setBuddy(m_edit);
    // The field records every key: Tab and Esc alone keep their usual meaning instead.
    m_edit->installEventFilter(this);
    for (QLineEdit *line : m_edit->findChildren<QLineEdit *>())
        line->installEventFilter(this);
    m_problem = new QLabel(client);
    m_problem->setObjectName(QStringLiteral("shortcutProblem"));
    m_problem->setWordWrap(true);
    m_problem->setAccessibleName(QStringLiteral("提示"));

    auto *clear = new QPushButton(QStringLiteral("清除(&C)"), client);
    clear->setObjectName(QStringLiteral("shortcutClear"));
    clear->setToolTip(QStringLiteral("不用快捷键"));
    auto *ok = new QPushButton(QStringLiteral("确定"), client);
    ok->setObjectName(QStringLiteral("OK"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("取消"), client);
    cancel->setObjectName(QStringLiteral("Cancel"));
    connect(clear, &QPushButton::clicked, this, [this] {
        m_edit->clear();
        m_problem->clear();
        m_edit->setFocus();
    });
    connect(ok, &QPushButton::clicked, this, &ShortcutDialog::tryAccept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    // Only one combination: the desktop grabs single keys, not sequences.
    connect(m_edit, &QKeySequenceEdit::editingFinished, this, [this, ok] {
        const QKeySequence keys = m_edit->keySequence();
        if (keys.count() > 1)
            m_edit->setKeySequence(QKeySequence(keys[0]));
        m_problem->clear();
        ok->setFocus();
    });

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(clear);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(client);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(intro);
    layout->addWidget(m_edit);
    layout->addWidget(m_problem, 1);
    layout->addLayout(buttons);
    m_frame->setFixedClientSize(QSize(360, 150));
    m_edit->setFocus();
}

ShortcutDialog::~ShortcutDialog()
{
    delete m_frame;
}

QString ShortcutDialog::problem() const
{
    return m_problem->text();
}

void ShortcutDialog::tryAccept()
{
    const QString problem = m_attempt(m_edit->keySequence());
    if (problem.isEmpty()) {
        accept();
        return;
    }
    m_problem->setText(problem);
    m_edit->setFocus();
}

bool ShortcutDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::ShiftModifier) {
            switch (key->key()) {
            case Qt::Key_Tab:
                focusNextChild();
                return true;
            case Qt::Key_Backtab:
                focusPreviousChild();
                return true;
            case Qt::Key_Escape:
                if (key->modifiers() == Qt::NoModifier) {
                    reject();
                    return true;
                }
                break;
            default:
                break;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}
