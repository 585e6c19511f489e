#pragma once

#include <QWidget>

class DecorationModel;
class FrameList;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableView;
class QTimer;
class SkinFrame;
class UserStore;

// The window "花样网名": the user's name, and as they type every decorated version of it
// with its style, its length and a mark when a character may show as a box. Up/Down move,
// Enter or a click copies, Ctrl+D stars, Insert adds the row to 我的, Ctrl+N adds a frame of
// the user's, Esc closes.
class DecorateForm : public QWidget
{
    Q_OBJECT
public:
    static constexpr int ClientWidth = 400;
    static constexpr int ClientHeight = 492;
    static inline const QString Caption = QStringLiteral("花样网名");
    static inline const QString Placeholder = QStringLiteral("输入你的网名，如 小白");

    DecorateForm(UserStore &store, FrameList &frames, QWidget *parent = nullptr);
    ~DecorateForm() override;

    // Shows the window beside `beside`, or brings it to the front, with the name field
    // focused; a non-empty name replaces what the field held.
    void open(const QWidget *beside, const QString &name = {});
    void showStatus(const QString &message);

    QLineEdit *nameField() const { return m_name; }
    QComboBox *separatorBox() const { return m_separator; }
    QSpinBox *columnBox() const { return m_columns; }
    QTableView *results() const { return m_results; }
    DecorationModel *model() const { return m_model; }
    QString currentText() const;
    // Selects the first row of the style; false when there is none.
    bool selectStyle(const QString &style);

    void copyCurrent();
    void toggleStar();
    void addToMine();
    void addFrame();

signals:
    void copyRequested(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildLayout();
    void refresh();
    void showCount();
    void selectRow(int row);
    void placeBeside(const QWidget *beside);
    QPushButton *button(const char *name, const QString &caption, const QString &keys, void (DecorateForm::*handler)());

    UserStore &m_store;
    FrameList &m_frames;
    SkinFrame *m_frame;
    QLineEdit *m_name = nullptr;
    QComboBox *m_separator = nullptr;
    QSpinBox *m_columns = nullptr;
    QTableView *m_results = nullptr;
    DecorationModel *m_model = nullptr;
    QLabel *m_status = nullptr;
    QTimer *m_statusTimer = nullptr;
    bool m_placed = false;
};
