#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;
class SkinFrame;

// The small editor of an own entry: several lines in the memo font, so that pictures can
// be pasted and keep their shape. OK (Ctrl+Enter) takes the text, Esc leaves it.
class EntryEditor : public QDialog
{
    Q_OBJECT
public:
    EntryEditor(QWidget *parent, const QString &title, const QString &text);
    ~EntryEditor() override;

    QString text() const;
    QPlainTextEdit *editor() const { return m_edit; }

private:
    SkinFrame *m_frame;
    QPlainTextEdit *m_edit;
};
