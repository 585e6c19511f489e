#pragma once

#include <QDialog>

#include <functional>

class QKeySequence;
class QKeySequenceEdit;
class QLabel;
class SkinFrame;

// "快捷键…": the key that summons the find window. 清除 empties the field (no key), 确定
// tries the key and stays open with the reason when it cannot be had, 取消 leaves it.
class ShortcutDialog : public QDialog
{
    Q_OBJECT
public:
    // Tries a key; returns what the user should read when it failed, empty on success.
    using Attempt = std::function<QString(const QKeySequence &)>;

    ShortcutDialog(const QKeySequence &current, Attempt attempt, QWidget *parent = nullptr);
    ~ShortcutDialog() override;

    QKeySequenceEdit *keyEdit() const { return m_edit; }
    QString problem() const;

    // Takes the key in the field, or shows why it cannot.
    void tryAccept();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Attempt m_attempt;
    SkinFrame *m_frame;
    QKeySequenceEdit *m_edit;
    QLabel *m_problem;
};
