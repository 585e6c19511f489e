#pragma once

#include <QObject>

class QClipboard;

// Whether the clipboard holds text, learnt once each time its content changes. On X every
// question about the clipboard goes to the program that owns it, and one that does not
// answer makes each question wait for seconds: what asks often (a pointer moving over a
// memo) reads the answer kept here instead.
class ClipboardTextWatch : public QObject
{
    Q_OBJECT
public:
    explicit ClipboardTextWatch(QClipboard *clipboard, QObject *parent = nullptr);

    bool holdsText() const { return m_holdsText; }

private:
    void refresh();

    QClipboard *m_clipboard;
    bool m_holdsText = false;
};
