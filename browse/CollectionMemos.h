#pragma once

#include "find/EntrySource.h"
#include "find/EntrySplitter.h"
#include "widgets/SkinMemo.h"
#include "window/PageContext.h"

#include <QObject>
#include <QPointer>

#include <array>

class PageTabs;
class QAction;
class QMenu;

// The nineteen collection memos, one on each collection page, with their shared context
// menu "复制" (N5). The start-up fills them from the collection files. Its entries are
// the collections' entries in page order, under their page's caption.
class CollectionMemos : public QObject, public EntrySource
{
    Q_OBJECT
public:
    static constexpr int Count = 19;

    CollectionMemos(const PageContext &context, PageTabs *pages);

    // How collection file 1 … 19 is written.
    static EntrySplitter::Kind entryKind(int fileNumber);

    // 1-based: the memo of "data/<number>.zelto".
    SkinMemo *memo(int fileNumber) const { return m_memos.at(fileNumber - 1); }
    QMenu *bsSkinPopupMenu2 = nullptr;
    QAction *N5 = nullptr;

    // Files 1 to 19 in order, each replacing its memo's text. An error ends the loading
    // at that file: the memos before it are filled, the rest keep their text.
    void LoadCollections();
    // The last start-up step: "复制" waits for a selection.
    void DisableCopy();

    // Copies the selection of the memo whose menu was opened, then the copy notice. With
    // nothing selected there, the clipboard is left alone and nothing is shown.
    void N5Click();
    // bsSkinMemo21MouseMove … bsSkinMemo219MouseMove: "复制" follows that memo's selection.
    void MemoMouseMove(int fileNumber);

    Reader entryReader() const override;
    qsizetype entryCount() const override;

    // The memo that opened the menu last.
    SkinMemo *menuMemo() const { return m_menuMemo; }

private:
    void buildMemo(int fileNumber, QWidget *sheet);
    void buildMenu();
    void popupFor(SkinMemo *memo, const QPoint &pos);

    PageContext m_context;
    std::array<SkinMemo *, Count> m_memos {};
    QPointer<SkinMemo> m_menuMemo;
};
