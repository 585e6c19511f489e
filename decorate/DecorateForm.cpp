#include "decorate/DecorateForm.h"

#include "decorate/DecorationModel.h"
#include "decorate/Decorations.h"
#include "decorate/FrameList.h"
#include "find/EntryEditor.h"
#include "find/UserStore.h"
#include "skin/SkinFrame.h"
#include "window/Guard.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSpinBox>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int StatusMs = 1500;

} // namespace

DecorateForm::DecorateForm(UserStore &store, FrameList &frames, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_store(store)
    , m_frames(frames)
{
    setObjectName(QStringLiteral("DecorateForm"));
    setWindowTitle(Caption);
    if (parent)
        setWindowIcon(parent->windowIcon());
    m_frame = new SkinFrame(this, SkinTitleBar::Close);
    m_frame->setFixedClientSize(QSize(ClientWidth, ClientHeight));
    buildLayout();
    refresh();
}

DecorateForm::~DecorateForm()
{
    delete m_frame;
}

QPushButton *DecorateForm::button(
    const char *name, const QString &caption, const QString &keys, void (DecorateForm::*handler)())
{
    auto *b = new QPushButton(caption, m_frame->client());
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(keys);
    b->setAccessibleName(caption);
    b->setAccessibleDescription(keys);
    b->setFocusPolicy(Qt::TabFocus);
    connect(b, &QPushButton::clicked, this, guardedSlot(this, [this, handler] { (this->*handler)(); }));
    return b;
}

void DecorateForm::buildLayout()
{
    QWidget *client = m_frame->client();
    m_name = new QLineEdit(client);
    m_name->setObjectName(QStringLiteral("decorateEdit"));
    m_name->setPlaceholderText(Placeholder);
    m_name->setAccessibleName(QStringLiteral("网名"));
    m_name->setClearButtonEnabled(true);
    m_name->installEventFilter(this);
    connect(m_name, &QLineEdit::textChanged, this, guardedSlot(this, [this] { refresh(); }));

    auto *separatorLabel = new QLabel(QStringLiteral("间隔(&J)"), client);
    m_separator = new QComboBox(client);
    m_separator->setObjectName(QStringLiteral("separatorBox"));
    m_separator->addItems(Decorations::separators());
    m_separator->setAccessibleName(QStringLiteral("间隔符"));
    separatorLabel->setBuddy(m_separator);
    connect(m_separator, &QComboBox::currentIndexChanged, this, guardedSlot(this, [this] { refresh(); }));

    auto *columnLabel = new QLabel(QStringLiteral("竖排每列(&L)"), client);
    m_columns = new QSpinBox(client);
    m_columns->setObjectName(QStringLiteral("columnBox"));
    m_columns->setRange(0, 20);
    m_columns->setSpecialValueText(QStringLiteral("一列"));
    m_columns->setSuffix(QStringLiteral(" 字"));
    m_columns->setAccessibleName(QStringLiteral("竖排每列字数"));
    columnLabel->setBuddy(m_columns);
    connect(m_columns, &QSpinBox::valueChanged, this, guardedSlot(this, [this] { refresh(); }));

    auto *options = new QHBoxLayout;
    options->setSpacing(4);
    options->addWidget(separatorLabel);
    options->addWidget(m_separator);
    options->addSpacing(8);
    options->addWidget(columnLabel);
    options->addWidget(m_columns);
    options->addStretch();

    auto *actions = new QHBoxLayout;
    actions->setSpacing(4);
    actions->addWidget(
        button("copyDecorationButton", QStringLiteral("复制"), QStringLiteral("Enter"), &DecorateForm::copyCurrent));
    actions->addWidget(
        button("starDecorationButton", QStringLiteral("☆ 收藏"), QStringLiteral("Ctrl+D"), &DecorateForm::toggleStar));
    actions->addWidget(
        button("mineDecorationButton", QStringLiteral("加入我的"), QStringLiteral("Insert"), &DecorateForm::addToMine));
    actions->addStretch();
    actions->addWidget(
        button("addFrameButton", QStringLiteral("添加花边"), QStringLiteral("Ctrl+N"), &DecorateForm::addFrame));

    m_results = new QTableView(client);
    m_results->setObjectName(QStringLiteral("decorateResults"));
    m_results->setAccessibleName(QStringLiteral("花样列表"));
    m_model = new DecorationModel([this](const QString &t) { return m_store.isFavourite(t); }, this);
    m_results->setModel(m_model);
    connect(&m_store, &UserStore::changed, this, [this](UserStore::List list) {
        if (list == UserStore::Favourites)
            m_model->refreshStars();
    });
    connect(&m_frames, &FrameList::changed, this, [this] { refresh(); });
    m_results->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_results->setSelectionMode(QAbstractItemView::SingleSelection);
    m_results->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_results->setShowGrid(false);
    m_results->setWordWrap(false);
    m_results->setTabKeyNavigation(false);
    m_results->horizontalHeader()->hide();
    m_results->verticalHeader()->hide();
    m_results->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    QHeaderView *header = m_results->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setSectionResizeMode(DecorationModel::TextColumn, QHeaderView::Stretch);
    m_results->setColumnWidth(DecorationModel::StarColumn, 20);
    m_results->setColumnWidth(DecorationModel::StyleColumn, 84);
    m_results->setColumnWidth(DecorationModel::LengthColumn, 28);
    m_results->setColumnWidth(DecorationModel::WarningColumn, 20);
    m_results->installEventFilter(this);
    connect(m_results, &QAbstractItemView::clicked, this, [this](const QModelIndex &at) {
        guarded(this, [&] {
            if (at.column() == DecorationModel::StarColumn)
                toggleStar();
            else
                copyCurrent();
        });
    });

    m_status = new QLabel(client);
    m_status->setObjectName(QStringLiteral("decorateStatus"));
    m_status->setProperty("statusPanel", true);
    m_statusTimer = new QTimer(this);
    m_statusTimer->setSingleShot(true);
    m_statusTimer->setInterval(StatusMs);
    connect(m_statusTimer, &QTimer::timeout, this, [this] { showCount(); });

    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_D), this), &QShortcut::activated, this,
        guardedSlot(this, [this] { toggleStar(); }));
    connect(new QShortcut(QKeySequence(Qt::Key_Insert), this), &QShortcut::activated, this,
        guardedSlot(this, [this] { addToMine(); }));
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_N), this), &QShortcut::activated, this,
        guardedSlot(this, [this] { addFrame(); }));

    auto *layout = new QVBoxLayout(client);
    layout->setContentsMargins(6, 6, 6, 4);
    layout->setSpacing(5);
    layout->addWidget(m_name);
    layout->addLayout(options);
    layout->addLayout(actions);
    layout->addWidget(m_results, 1);
    layout->addWidget(m_status);
    setFocusProxy(m_name);
}

void DecorateForm::open(const QWidget *beside, const QString &name)
{
    if (!m_placed) {
        placeBeside(beside);
        m_placed = true;
    }
    if (!name.isEmpty()) {
        m_name->setText(name);
        selectRow(0);
    }
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
    m_name->setFocus(Qt::ShortcutFocusReason);
    m_name->selectAll();
}

void DecorateForm::placeBeside(const QWidget *beside)
{
    if (!beside)
        return;
    const QRect main = beside->frameGeometry();
    const QScreen *screen = beside->screen() ? beside->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1 << 14, 1 << 14);
    QPoint at(main.right() + 1, main.top());
    if (at.x() + width() > area.right() + 1)
        at.setX(std::max(area.left(), main.left() - width()));
    at.setY(std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() + 1 - height())));
    move(at);
}

void DecorateForm::refresh()
{
    const int previous = m_results->currentIndex().row();
    Decorations::Options options;
    options.separator = m_separator->currentText();
    options.columnHeight = m_columns->value();
    options.frames = m_frames.all();
    options.ownFramesFrom = m_frames.own().isEmpty() ? -1 : options.frames.size() - m_frames.own().size();
    m_model->setRows(Decorations::rows(m_name->text(), options));
    // The same style stays chosen while the name is typed.
    selectRow(std::max(previous, 0));
    if (!m_statusTimer->isActive())
        showCount();
}

void DecorateForm::showCount()
{
    const int n = m_model->rowCount();
    m_status->setText(
        n == 0 ? QStringLiteral("输入网名，下面就列出它的各种花样") : QStringLiteral("共 %1 种花样").arg(n));
}

void DecorateForm::selectRow(int row)
{
    if (m_model->rowCount() == 0)
        return;
    row = std::clamp(row, 0, m_model->rowCount() - 1);
    const QModelIndex at = m_model->index(row, DecorationModel::TextColumn);
    m_results->setCurrentIndex(at);
    m_results->scrollTo(at);
}

bool DecorateForm::selectStyle(const QString &style)
{
    for (int r = 0; r < m_model->rowCount(); ++r) {
        if (m_model->style(r) == style) {
            selectRow(r);
            return true;
        }
    }
    return false;
}

void DecorateForm::showStatus(const QString &message)
{
    m_status->setText(message);
    m_statusTimer->start();
}

QString DecorateForm::currentText() const
{
    const QModelIndex at = m_results->currentIndex();
    return at.isValid() ? m_model->text(at.row()) : QString();
}

void DecorateForm::copyCurrent()
{
    const QString text = currentText();
    if (!text.isEmpty())
        emit copyRequested(text);
}

void DecorateForm::toggleStar()
{
    const QString text = currentText();
    if (text.isEmpty())
        return;
    showStatus(m_store.toggleFavourite(text) ? QStringLiteral("已收藏") : QStringLiteral("已取消收藏"));
}

void DecorateForm::addToMine()
{
    const QString text = currentText();
    if (text.isEmpty())
        return;
    if (m_store.entries(UserStore::Mine).contains(text)) {
        showStatus(QStringLiteral("“我的”里已经有这一条"));
        return;
    }
    if (m_store.addOwn(text))
        showStatus(QStringLiteral("已加入“我的”"));
}

void DecorateForm::addFrame()
{
    EntryEditor editor(this, QStringLiteral("添加花边（用 {} 表示网名的位置）"), QStringLiteral("★{}★"));
    if (editor.exec() != QDialog::Accepted || editor.text().trimmed().isEmpty())
        return;
    if (m_frames.add(editor.text()))
        showStatus(QStringLiteral("已添加花边"));
}

bool DecorateForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    const bool plain = !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    switch (key->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        if (watched == m_name) {
            // The field keeps the focus, so typing goes on while the list moves.
            QKeyEvent copy(key->type(), key->key(), key->modifiers());
            QCoreApplication::sendEvent(m_results, &copy);
            return true;
        }
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (plain) {
            guarded(this, [this] { copyCurrent(); });
            return true;
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void DecorateForm::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
