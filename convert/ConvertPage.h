#pragma once

#include "window/PageContext.h"

#include <QObject>

class ClipboardTextWatch;
class QAction;
class QMenu;
class QPushButton;
class SkinMemo;
class TGbToBig;

// The conversion page "〖简转繁〗": a memo whose whole text the four buttons convert in
// place, by the locale mapping ("普通") or by the table converter ("增强"), and two more
// that copy all of it and clear it. The memo's own menu copies the selection and pastes.
class ConvertPage : public QObject
{
    Q_OBJECT
public:
    // Qt lays out a line as one piece: beyond this many characters a click waits seconds.
    static constexpr int LongestLine = 32768;
    static inline const QString LineTooLongText
        = QStringLiteral("没有粘贴：其中有一行超过%1个字符，太长了无法显示。请先把它分成较短的几行再粘贴")
              .arg(LongestLine);

    ConvertPage(const PageContext &context, QWidget *sheet, TGbToBig *gbToBig);

    void bsSkinButton6Click(); // 简转繁[普通]
    void bsSkinButton7Click(); // 繁转简[普通]
    void bsSkinButton9Click(); // 简转繁[增强]
    void bsSkinButton11Click(); // 繁转简[增强]
    void bsSkinButton8Click(); // 复制全部
    void bsSkinButton10Click(); // 全部清空
    void bsSkinMemo220MouseMove();
    void N66Click();
    void N67Click();

signals:
    // Before a command reads or replaces the memo's text, so that whatever is still
    // changing it ends first.
    void aboutToUseText();

public:
    SkinMemo *bsSkinMemo220 = nullptr;
    QMenu *bsSkinPopupMenu5 = nullptr;
    QAction *N66 = nullptr;
    QAction *N67 = nullptr;

private:
    QPushButton *addButton(
        const char *name, const QString &caption, int left, QWidget *box, void (ConvertPage::*handler)());
    void replaceText(const QString &text);
    void convertByTable(int mode);

    PageContext m_context;
    TGbToBig *m_gbToBig;
    ClipboardTextWatch *m_clipboard;
};
