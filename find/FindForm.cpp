#include "find/FindForm.h"

#include "find/EmojiCatalogue.h"
#include "find/EmojiCellDelegate.h"
#include "find/EmojiGridModel.h"
#include "find/EmojiSource.h"
#include "find/EntryEditor.h"
#include "find/InputMethodExport.h"
#include "find/ResultModel.h"
#include "find/ResultView.h"
#include "skin/SkinFrame.h"
#include "widgets/Announcement.h"
#include "window/Guard.h"
#include "window/TbsSkinMessage.h"

#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int StatusMs = 1500;

} // namespace

FindForm::FindForm(const Pinyin &pinyin, UserStore &store, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_pinyin(pinyin)
    , m_store(store)
    , m_rows(pinyin, store)
{
    setObjectName(QStringLiteral("FindForm"));
    setWindowTitle(Caption);
    if (parent)
        setWindowIcon(parent->windowIcon());
    m_frame = new SkinFrame(this, SkinTitleBar::Close);
    m_frame->setFixedClientSize(QSize(ClientWidth, ClientHeight));
    buildLayout();
    setFilter(All);
}

FindForm::~FindForm()
{
    delete m_frame;
}

void FindForm::buildLayout()
{
    QWidget *client = m_frame->client();
    m_search = new QLineEdit(client);
    m_search->setObjectName(QStringLiteral("findEdit"));
    m_search->setPlaceholderText(Placeholder);
    m_search->setAccessibleName(QStringLiteral("查找"));
    m_search->setClearButtonEnabled(true);
    for (QToolButton *clear : m_search->findChildren<QToolButton *>())
        clear->setAccessibleName(QStringLiteral("清除"));
    m_search->installEventFilter(this);
    connect(m_search, &QLineEdit::textChanged, this, guardedSlot(this, [this] { search(); }));

    static constexpr struct
    {
        const char *name;
        const char16_t *caption;
    } filters[FilterCount] = { { "filterAll", u"全部" }, { "filterFavourites", u"收藏" }, { "filterRecent", u"最近" },
        { "filterMine", u"我的" }, { "filterEmoji", u"表情" } };
    auto *filterRow = new QHBoxLayout;
    filterRow->setSpacing(4);
    for (int i = 0; i < FilterCount; ++i) {
        auto *b = new QPushButton(QString::fromUtf16(filters[i].caption), client);
        b->setObjectName(QString::fromLatin1(filters[i].name));
        b->setCheckable(true);
        b->setFocusPolicy(Qt::TabFocus);
        b->setToolTip(QStringLiteral("Ctrl+%1").arg(i + 1));
        connect(b, &QPushButton::clicked, this, guardedSlot(this, [this, i] { setFilter(Filter(i)); }));
        connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_1 + i)), this), &QShortcut::activated, this,
            guardedSlot(this, [this, i] { setFilter(Filter(i)); }));
        m_filterButtons[std::size_t(i)] = b;
        filterRow->addWidget(b);
    }
    filterRow->addStretch();
    m_toneBox = new QComboBox(client);
    m_toneBox->setObjectName(QStringLiteral("toneBox"));
    m_toneBox->setAccessibleName(QStringLiteral("表情肤色"));
    m_toneBox->view()->setAccessibleName(QStringLiteral("表情肤色"));
    m_toneBox->setToolTip(QStringLiteral("可以换肤色的表情用这种肤色"));
    m_toneBox->setFocusPolicy(Qt::TabFocus);
    for (int tone = 0; tone <= EmojiCatalogue::ToneCount; ++tone)
        m_toneBox->addItem(EmojiCatalogue::toneName(tone));
    connect(m_toneBox, &QComboBox::activated, this, [this](int tone) { emit toneChosen(tone); });
    filterRow->addWidget(m_toneBox);
    const auto ownButton
        = [&](const char *name, const QString &caption, const QString &keys, void (FindForm::*handler)()) {
              auto *b = new QPushButton(caption, client);
              b->setObjectName(QString::fromLatin1(name));
              b->setToolTip(keys);
              b->setFocusPolicy(Qt::TabFocus);
              connect(b, &QPushButton::clicked, this, guardedSlot(this, [this, handler] { (this->*handler)(); }));
              filterRow->addWidget(b);
              return b;
          };
    m_addButton = ownButton("addOwnButton", QStringLiteral("添加"), QStringLiteral("Insert"), &FindForm::addOwn);
    m_editButton = ownButton("editOwnButton", QStringLiteral("编辑"), QStringLiteral("F2"), &FindForm::editOwn);
    m_removeButton
        = ownButton("removeOwnButton", QStringLiteral("删除"), QStringLiteral("Delete"), &FindForm::removeCurrent);

    m_results = new ResultView(client);
    m_results->setObjectName(QStringLiteral("findResults"));
    m_results->setAccessibleName(QStringLiteral("查找结果"));
    m_model = new ResultModel([this](const QString &t) { return m_store.isFavourite(t); }, this);
    m_results->setModel(m_model);
    // Whoever changed the user's lists, the rows follow.
    connect(&m_store, &UserStore::changed, this, [this](UserStore::List list) {
        if (list == RowChoice::listShown(m_filter))
            search();
        else if (list == UserStore::Favourites)
            m_model->refreshStars();
    });
    m_results->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_results->setSelectionMode(QAbstractItemView::SingleSelection);
    m_results->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_results->setShowGrid(false);
    m_results->setWordWrap(false);
    m_results->setTabKeyNavigation(false);
    m_results->horizontalHeader()->hide();
    m_results->verticalHeader()->hide();
    m_results->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_results->verticalHeader()->setDefaultSectionSize(22);
    m_results->horizontalHeader()->setSectionResizeMode(ResultModel::StarColumn, QHeaderView::Fixed);
    m_results->horizontalHeader()->setSectionResizeMode(ResultModel::TextColumn, QHeaderView::Stretch);
    m_results->horizontalHeader()->setSectionResizeMode(ResultModel::OriginColumn, QHeaderView::Fixed);
    m_results->setColumnWidth(ResultModel::StarColumn, 20);
    m_results->setColumnWidth(ResultModel::OriginColumn, 150);
    m_results->installEventFilter(this);
    connect(m_results, &QAbstractItemView::doubleClicked, this, guardedSlot(this, [this] { copyCurrent(); }));

    m_status = new QLabel(client);
    m_status->setObjectName(QStringLiteral("findStatus"));
    m_status->setProperty("statusPanel", true);
    m_statusTimer = new QTimer(this);
    m_statusTimer->setSingleShot(true);
    m_statusTimer->setInterval(StatusMs);
    connect(m_statusTimer, &QTimer::timeout, this, [this] { showCount(); });

    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_D), this), &QShortcut::activated, this,
        guardedSlot(this, [this] { toggleStar(); }));
    connect(new QShortcut(QKeySequence(Qt::Key_Insert), this), &QShortcut::activated, this,
        guardedSlot(this, [this] { addOwn(); }));
    connect(new QShortcut(QKeySequence(Qt::Key_F2), this), &QShortcut::activated, this,
        guardedSlot(this, [this] { editOwn(); }));

    // The window's less frequent commands, beside the field.
    m_more = new QToolButton(client);
    m_more->setObjectName(QStringLiteral("findMoreButton"));
    m_more->setText(QStringLiteral("更多"));
    m_more->setAccessibleName(QStringLiteral("更多"));
    m_more->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_more->setPopupMode(QToolButton::InstantPopup);
    m_more->setFocusPolicy(Qt::TabFocus);
    auto *moreMenu = new QMenu(m_more);
    moreMenu->setObjectName(QStringLiteral("findMoreMenu"));
    moreMenu->setAccessibleName(QStringLiteral("更多"));
    QAction *exportItem = moreMenu->addAction(QStringLiteral("导出到输入法(&E)…"));
    exportItem->setObjectName(QStringLiteral("exportToInputMethodsItem"));
    exportItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    exportItem->setShortcutContext(Qt::WindowShortcut);
    exportItem->setToolTip(QStringLiteral("把收藏和我的条目导出为 fcitx5 和 Rime 的短语，按拼音首字母输入"));
    addAction(exportItem);
    connect(exportItem, &QAction::triggered, this, guardedSlot(this, [this] { exportToInputMethods(); }));
    m_more->setMenu(moreMenu);
    m_messages = new TbsSkinMessage(this);

    auto *searchRow = new QHBoxLayout;
    searchRow->setSpacing(4);
    searchRow->addWidget(m_search, 1);
    searchRow->addWidget(m_more);

    m_layout = new QVBoxLayout(client);
    m_layout->setContentsMargins(6, 6, 6, 4);
    m_layout->setSpacing(5);
    m_layout->addLayout(searchRow);
    m_layout->addLayout(filterRow);
    m_layout->addWidget(m_results, 1);
    m_layout->addWidget(m_status);
    setFocusProxy(m_search);
    setTabOrder(m_search, m_more);
}

void FindForm::setEmojiSource(const EmojiSource *source)
{
    m_emojiSource = source;
}

void FindForm::setTone(int tone)
{
    m_tone = tone;
    m_toneBox->setCurrentIndex(tone);
    if (m_emojiModel)
        m_emojiModel->setTone(tone);
}

void FindForm::buildEmojiGrid()
{
    if (m_emojiGrid || !m_emojiSource)
        return;
    m_emojiGrid = new QListView(m_frame->client());
    m_emojiGrid->setObjectName(QStringLiteral("emojiGrid"));
    m_emojiGrid->setAccessibleName(QStringLiteral("Emoji表情"));
    m_emojiModel = new EmojiGridModel(m_emojiSource->catalogue(), this);
    m_emojiModel->setTone(m_tone);
    m_emojiGrid->setModel(m_emojiModel);
    m_emojiGrid->setItemDelegate(new EmojiCellDelegate(m_emojiGrid));
    m_emojiGrid->setViewMode(QListView::ListMode);
    m_emojiGrid->setFlow(QListView::LeftToRight);
    m_emojiGrid->setWrapping(true);
    m_emojiGrid->setResizeMode(QListView::Adjust);
    m_emojiGrid->setMovement(QListView::Static);
    m_emojiGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_emojiGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_emojiGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_emojiGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_emojiGrid->setTabKeyNavigation(false);
    m_emojiGrid->installEventFilter(this);
    m_emojiGrid->viewport()->installEventFilter(this);
    connect(m_emojiGrid, &QAbstractItemView::clicked, this, [this](const QModelIndex &at) {
        guarded(this, [&] {
            const QString text = m_emojiModel->text(at.row());
            if (!text.isEmpty())
                emit copyRequested(text);
        });
    });
    m_layout->insertWidget(m_layout->indexOf(m_results), m_emojiGrid, 1);
    m_emojiGrid->setCurrentIndex(m_emojiModel->index(m_emojiModel->firstRowOf(0)));
}

bool FindForm::showsEmojiGrid() const
{
    return m_emojiGrid && m_filter == Emoji && m_search->text().trimmed().isEmpty();
}

void FindForm::open(const QWidget *beside)
{
    m_summoned = false;
    if (!m_placed) {
        placeBeside(beside);
        m_placed = true;
    }
    bringToFront();
}

void FindForm::openSummoned(const QString &text)
{
    m_summoned = true;
    m_holdOpen = false;
    if (!isVisible())
        placeAtPointer();
    if (!text.isNull())
        m_search->setText(text);
    bringToFront();
}

void FindForm::bringToFront()
{
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
    m_search->setFocus(Qt::ShortcutFocusReason);
    m_search->selectAll();
}

// In the middle of the screen the pointer is on, where the user is looking.
void FindForm::placeAtPointer()
{
    const QPoint pointer = QCursor::pos();
    const QScreen *screen = QGuiApplication::screenAt(pointer);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QSize size = frameGeometry().size().expandedTo(this->size());
    move(area.center() - QPoint(size.width() / 2, size.height() / 2));
}

void FindForm::placeBeside(const QWidget *beside)
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

void FindForm::setFilter(Filter filter)
{
    m_filter = filter;
    for (int i = 0; i < FilterCount; ++i)
        m_filterButtons[std::size_t(i)]->setChecked(i == filter);
    for (QPushButton *b : { m_addButton, m_editButton })
        b->setVisible(filter == Mine);
    m_removeButton->setVisible(filter == Mine || filter == Recent);
    m_toneBox->setVisible(filter == Emoji);
    if (filter == Emoji)
        buildEmojiGrid();
    search();
}

void FindForm::setIndex(const SearchIndex *index)
{
    m_rows.setIndex(index);
    search();
}

void FindForm::search()
{
    const QString query = m_search->text().trimmed();
    const QString previousText = currentText();
    m_model->setRows(m_rows.rows(query, m_filter));
    if (m_emojiGrid) {
        const bool grid = showsEmojiGrid();
        m_emojiGrid->setVisible(grid);
        m_results->setVisible(!grid);
    }
    // Keep the entry the user was on when it is still there, else start at the top.
    int row = 0;
    if (!previousText.isEmpty() && query.isEmpty()) {
        for (int r = 0; r < std::min(m_model->rowCount(), 1000); ++r) {
            if (m_model->text(r) == previousText) {
                row = r;
                break;
            }
        }
    }
    selectRow(row);
    if (!m_statusTimer->isActive())
        showCount();
}

void FindForm::selectText(const QString &text)
{
    for (int r = m_model->rowCount() - 1; r >= 0; --r) {
        if (m_model->text(r) == text) {
            selectRow(r);
            return;
        }
    }
}

void FindForm::selectRow(int row)
{
    if (m_model->rowCount() == 0)
        return;
    row = std::clamp(row, 0, m_model->rowCount() - 1);
    const QModelIndex at = m_model->index(row, ResultModel::TextColumn);
    m_results->setCurrentIndex(at);
    m_results->scrollTo(at);
}

void FindForm::showCount()
{
    // The grid shows every emoji, with or without an index.
    const int n = showsEmojiGrid() ? int(m_emojiSource->catalogue().emoji().size()) : m_model->rowCount();
    const QString text = (m_filter == All || (m_filter == Emoji && !showsEmojiGrid())) && !hasIndex()
        ? Indexing
        : (n == 0 ? QStringLiteral("没有找到") : QStringLiteral("共 %1 条").arg(n));
    if (text == m_status->text())
        return;
    m_status->setText(text);
    Announcement::announce(m_status, text);
}

void FindForm::showStatus(const QString &message)
{
    m_status->setText(message);
    Announcement::announce(m_status, message);
    m_statusTimer->start();
}

QString FindForm::currentText() const
{
    if (showsEmojiGrid())
        return m_emojiModel->text(m_emojiGrid->currentIndex().row());
    const QModelIndex at = m_results->currentIndex();
    return at.isValid() ? m_model->text(at.row()) : QString();
}

void FindForm::copyCurrent()
{
    const QString text = currentText();
    if (!text.isEmpty())
        emit copyRequested(text);
}

void FindForm::toggleStar()
{
    const QString text = currentText();
    if (text.isEmpty())
        return;
    showStatus(m_store.toggleFavourite(text) ? QStringLiteral("已收藏") : QStringLiteral("已取消收藏"));
}

void FindForm::removeCurrent()
{
    if (m_filter != Recent && m_filter != Mine)
        return;
    const QString text = currentText();
    if (text.isEmpty())
        return;
    const int row = m_results->currentIndex().row();
    m_store.remove(m_filter == Recent ? UserStore::Recent : UserStore::Mine, text);
    selectRow(row);
    showStatus(QStringLiteral("已删除"));
}

void FindForm::addOwn()
{
    if (m_filter != Mine)
        setFilter(Mine);
    EntryEditor editor(this, QStringLiteral("添加我的条目"), QString());
    if (editor.exec() != QDialog::Accepted || editor.text().trimmed().isEmpty())
        return;
    if (!m_store.addOwn(editor.text()))
        return;
    // A search text would likely hide the new entry.
    m_search->clear();
    selectText(m_store.entries(UserStore::Mine).back());
    showStatus(QStringLiteral("已添加"));
}

void FindForm::editOwn()
{
    if (m_filter != Mine)
        return;
    const QString text = currentText();
    if (text.isEmpty())
        return;
    const int row = m_results->currentIndex().row();
    EntryEditor editor(this, QStringLiteral("编辑我的条目"), text);
    if (editor.exec() != QDialog::Accepted)
        return;
    m_store.replaceOwn(text, editor.text());
    selectRow(row);
}

void FindForm::exportToInputMethods()
{
    // 收藏 first, then 我的, each text once; an entry the catalogue holds is keyed by its label.
    QList<PhraseExport::Item> items;
    QSet<QString> seen;
    for (const UserStore::List list : { UserStore::Favourites, UserStore::Mine }) {
        for (const QString &text : m_store.entries(list)) {
            if (seen.contains(text))
                continue;
            seen.insert(text);
            QString label;
            if (const SearchIndex *index = m_rows.index()) {
                const qsizetype at = index->indexOfText(text);
                if (at >= 0)
                    label = index->entry(at).label;
            }
            items.append({ text, label });
        }
    }
    const InputMethodExport::Outcome outcome
        = InputMethodExport::run(PhraseExport(m_pinyin), items, InputMethodExport::standardTargets());
    m_messages->ShowMessageDialog(outcome.message, outcome.ok ? mtInformation : mtWarning, mbOKSet, 0);
}

bool FindForm::eventFilter(QObject *watched, QEvent *event)
{
    if (m_emojiGrid && watched == m_emojiGrid->viewport() && event->type() == QEvent::Resize) {
        // Headings take a line of their own, so they are as wide as the grid.
        const int row = m_emojiGrid->currentIndex().row();
        m_emojiModel->setHeadingWidth(m_emojiGrid->viewport()->width() - 2 * m_emojiGrid->spacing() - 1);
        m_emojiGrid->setCurrentIndex(m_emojiModel->index(row));
    }
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    const bool plain = !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    switch (key->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        if (watched == m_search) {
            // The field keeps the focus, so typing goes on while the list moves.
            QKeyEvent copy(key->type(), key->key(), key->modifiers());
            QCoreApplication::sendEvent(showsEmojiGrid() ? static_cast<QWidget *>(m_emojiGrid) : m_results, &copy);
            return true;
        }
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (plain && m_summoned) {
            const QString text = currentText();
            if (!text.isEmpty())
                emit pasteRequested(text, key->modifiers().testFlag(Qt::ShiftModifier), quint32(key->timestamp()));
            return true;
        }
        if (plain) {
            guarded(this, [this] { copyCurrent(); });
            return true;
        }
        break;
    case Qt::Key_Delete:
        // In the field Delete deletes characters until there is none after the cursor.
        if (plain && (watched == m_results || m_search->cursorPosition() == m_search->text().size())
            && (m_filter == Recent || m_filter == Mine)) {
            guarded(this, [this] { removeCurrent(); });
            return true;
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void FindForm::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void FindForm::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    // Summoned from another program: back out of the way when the user goes elsewhere, but
    // not for a dialog of this program.
    if (event->type() == QEvent::ActivationChange && m_summoned && !m_holdOpen && isVisible() && !isActiveWindow()
        && !QApplication::activeWindow())
        hide();
}
