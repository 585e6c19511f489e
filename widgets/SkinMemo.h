#pragma once

#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollBar>

// A memo as the skin draws it: no scroll bar of its own, a separate vertical scroll bar
// beside it that moves with the text both ways, and a signal for every mouse movement over
// the text, buttons pressed or not.
class SkinMemo : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit SkinMemo(QWidget *parent = nullptr);

    // The bar takes the memo's range, page and position from now on, and moves the text.
    void attachScrollBar(QScrollBar *bar);
    QScrollBar *scrollBar() const { return m_bar; }

    bool hasSelection() const { return textCursor().hasSelection(); }
    // The text as it was put in. The document holds U+2029, U+FDD0 and U+FDD1 as line
    // breaks and toPlainText() also turns U+2028 into one and U+00A0 into a space; text
    // that comes in through these functions or a paste comes out unchanged.
    QString exactText() const;
    QString exactText(int from, int to) const;
    // Like setPlainText(): no undo step, and the history before it is gone.
    void setExactText(const QString &text);
    // Replaces the cursor's selection, as insertText() does.
    static void insertExactText(QTextCursor &cursor, QStringView text);
    // Reads only; the caret and the selection still move by mouse and keyboard.
    void makeReadOnly();
    // Pastes and drops that would make a line longer than this many characters are refused
    // with lineTooLong(); 0, the default, sets no limit.
    void setLongestLine(int characters) { m_longestLine = characters; }

signals:
    void mouseMoved();
    // Queued, so that whoever reports it is out of the paste or drop.
    void lineTooLong();

protected:
    // The clipboard and drags get the selection as plain text only: a markup form would
    // escape the symbols that decorative text is made of.
    QMimeData *createMimeDataFromSelection() const override;
    // A clipboard owner that does not answer leaves a source without formats, which Qt's own
    // paste does not survive: such a source inserts nothing.
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void followOwnBar();
    bool fitsLongestLine(const QString &inserted) const;

    QPointer<QScrollBar> m_bar;
    int m_longestLine = 0;
};
