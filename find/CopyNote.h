#pragma once

#include <QLabel>
#include <QTimer>

// The brief note after a quiet copy: a small label near the pointer that takes no focus
// and goes away by itself.
class CopyNote : public QLabel
{
    Q_OBJECT
public:
    static constexpr int ShownMs = 1500;
    static inline const QString CopiedText = QStringLiteral("已复制");

    explicit CopyNote(QWidget *parent = nullptr);

    // Shows the text just below and right of the pointer.
    void showNear(const QPoint &globalPos, const QString &text = CopiedText);

private:
    QTimer m_timer;
};
