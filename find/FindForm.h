#pragma once

#include "find/RowChoice.h"
#include "find/UserListIndex.h"

#include <QWidget>

#include <array>
#include <vector>

class EmojiGridModel;
class EmojiSource;
class Pinyin;
class QComboBox;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QTableView;
class QToolButton;
class QTimer;
class QVBoxLayout;
class ResultModel;
class SkinFrame;
class TbsSkinMessage;

// The find window "查找与收藏": a search field, the filters 全部 / 收藏 / 最近 / 我的 / 表情
// and the results. Typing filters at once; Up/Down move, Enter or a double-click copies,
// Ctrl+D stars, Delete removes from 最近 or 我的, Esc closes; Ctrl+1 … Ctrl+5 pick a filter.
// 表情 without a search text shows every emoji in a grid by group, where a click or Enter
// copies, beside the choice of skin tone.
class FindForm : public QWidget
{
    Q_OBJECT
public:
    using Filter = RowChoice::Filter;
    using enum RowChoice::Filter;
    static constexpr int FilterCount = RowChoice::FilterCount;
    static constexpr int ClientWidth = 400;
    static constexpr int ClientHeight = 492;
    static inline const QString Caption = QStringLiteral("查找与收藏");
    static inline const QString Placeholder = QStringLiteral("输入文字或拼音，如 xq");
    static inline const QString MineOrigin = UserListIndex::MineOrigin;

    static inline const QString Indexing = QStringLiteral("正在建立索引…");

    // The window searches 全部 once it has an index (setIndex); the user's lists at once.
    FindForm(const Pinyin &pinyin, UserStore &store, QWidget *parent = nullptr);
    ~FindForm() override;

    // Shows the window beside `beside`, or brings it to the front, with the search text
    // selected and the field focused.
    void open(const QWidget *beside);
    // Shows the window for a user in another program: on the screen with the pointer, with
    // `text` (unless null) in the field. Enter then asks for a paste, and the window hides
    // again as soon as the user goes to another program.
    void openSummoned(const QString &text);
    bool isSummoned() const { return m_summoned; }
    // While on, going to another program leaves the window open (a paste in progress).
    void setHoldOpen(bool on) { m_holdOpen = on; }

    Filter filter() const { return m_filter; }
    void setFilter(Filter filter);
    // The index of every entry; it must live as long as the window.
    void setIndex(const SearchIndex *index);
    bool hasIndex() const { return m_rows.index() != nullptr; }
    // Shows a short message under the list for a moment.
    void showStatus(const QString &message);
    // Where the 表情 grid takes its emoji from; read the first time 表情 is chosen. It must
    // live as long as the window.
    void setEmojiSource(const EmojiSource *source);
    // Shows emoji in this skin tone (0: none) and the choice in the tone box.
    void setTone(int tone);

    QLineEdit *searchField() const { return m_search; }
    ResultModel *model() const { return m_model; }
    // Nothing before 表情 is first chosen.
    QListView *emojiGrid() const { return m_emojiGrid; }
    EmojiGridModel *emojiModel() const { return m_emojiModel; }
    QComboBox *toneBox() const { return m_toneBox; }
    QString currentText() const;

    void copyCurrent();
    void toggleStar();
    void removeCurrent();
    void addOwn();
    void editOwn();
    // "导出到输入法…": 收藏 and 我的 as input-method phrases, and a notice saying where.
    void exportToInputMethods();
    QToolButton *moreButton() const { return m_more; }

signals:
    void copyRequested(const QString &text);
    // The user chose a skin tone in the tone box.
    void toneChosen(int tone);
    // Enter on a summoned window; Shift+Enter keeps it open. `timestamp`: the key's time.
    void pasteRequested(const QString &text, bool keepOpen, quint32 timestamp);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void buildLayout();
    void buildEmojiGrid();
    bool showsEmojiGrid() const;
    void search();
    void showCount();
    void selectRow(int row);
    void selectText(const QString &text);
    void placeBeside(const QWidget *beside);
    void placeAtPointer();
    void bringToFront();

    const Pinyin &m_pinyin;
    UserStore &m_store;
    RowChoice m_rows;
    SkinFrame *m_frame;
    QLineEdit *m_search = nullptr;
    std::array<QPushButton *, FilterCount> m_filterButtons {};
    QPushButton *m_addButton = nullptr;
    QPushButton *m_editButton = nullptr;
    QPushButton *m_removeButton = nullptr;
    QToolButton *m_more = nullptr;
    TbsSkinMessage *m_messages = nullptr;
    QTableView *m_results = nullptr;
    ResultModel *m_model = nullptr;
    QComboBox *m_toneBox = nullptr;
    QListView *m_emojiGrid = nullptr;
    EmojiGridModel *m_emojiModel = nullptr;
    const EmojiSource *m_emojiSource = nullptr;
    QVBoxLayout *m_layout = nullptr;
    QLabel *m_status = nullptr;
    QTimer *m_statusTimer = nullptr;
    Filter m_filter = All;
    int m_tone = 0;
    bool m_placed = false;
    bool m_summoned = false;
    bool m_holdOpen = false;
};
