#pragma once

#include "find/RowChoice.h"
#include "find/UserListIndex.h"

#include <QWidget>

#include <array>
#include <vector>

class Pinyin;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QToolButton;
class QTimer;
class ResultModel;
class SkinFrame;
class TbsSkinMessage;

// The find window "查找与收藏": a search field, the filters 全部 / 收藏 / 最近 / 我的 and
// the results. Typing filters at once; Up/Down move, Enter or a double-click copies,
// Ctrl+D stars, Delete removes from 最近 or 我的, Esc closes; Ctrl+1 … Ctrl+4 pick a filter.
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

    Filter filter() const { return m_filter; }
    void setFilter(Filter filter);
    // The index of every entry; it must live as long as the window.
    void setIndex(const SearchIndex *index);
    bool hasIndex() const { return m_rows.index() != nullptr; }
    // Shows a short message under the list for a moment.
    void showStatus(const QString &message);

    QLineEdit *searchField() const { return m_search; }
    ResultModel *model() const { return m_model; }
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

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildLayout();
    void search();
    void showCount();
    void selectRow(int row);
    void selectText(const QString &text);
    void placeBeside(const QWidget *beside);

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
    QLabel *m_status = nullptr;
    QTimer *m_statusTimer = nullptr;
    Filter m_filter = All;
    bool m_placed = false;
};
