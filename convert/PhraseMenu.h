#pragma once

#include "convert/DictionaryCheck.h"
#include "convert/PhraseConverter.h"

#include <QFutureWatcher>
#include <QObject>
#include <QTextCursor>

#include <array>
#include <functional>
#include <memory>

class ConvertPage;
class PhraseLibrary;
class QAction;
class QLabel;
class QMenu;
class QWidget;
class ReviewMarks;
class TbsSkinMessage;

// Phrase-level conversion on the conversion page: the submenu "按词组转换" in the memo's
// menu, the review of what no phrase decided ("下一个待核对" F3, "换成 …"), and the count
// of marks left in the status bar's left panel. The OpenCC data loads in the background
// once the page is first shown, so a start that never comes here pays nothing for it;
// until it is there, and for good when it cannot be loaded, the five items are disabled
// and say why. Long texts convert off the GUI thread.
class PhraseMenu : public QObject
{
    Q_OBJECT
public:
    // bsSkinStatusPanel1: the status bar's left panel, where the count of marks shows.
    struct Context
    {
        QWidget *form = nullptr;
        TbsSkinMessage *messages = nullptr;
        QLabel *bsSkinStatusPanel1 = nullptr;
    };

    PhraseMenu(
        const Context &context, ConvertPage *page, const QString &dataDir, DictionaryCheck check = DictionaryCheck());
    ~PhraseMenu() override;

    // Converts the whole memo text as one undo step and marks what needs review.
    void convertClick(PhraseConverter::Config config);
    void nextMarkClick();

    // Starts loading the OpenCC data, unless that has started already.
    void startLoading();
    bool isLoaded() const { return m_library != nullptr; }
    bool isConverting() const { return m_converting; }
    // Ends a running conversion as if it had never started: the text, its marks and the
    // undo history as they were. Every command of the page that reads or replaces the text
    // calls it first.
    void cancelConversion();

    // Runs a step of putting a long result into the memo later; by default at the next
    // turn of the event loop. Tests take the steps into their own hands.
    using StepScheduler = std::function<void(std::function<void()>)>;
    void setStepScheduler(StepScheduler scheduler) { m_schedule = std::move(scheduler); }

    QMenu *phraseMenu = nullptr;
    std::array<QAction *, PhraseConverter::ConfigCount> convertActions {};
    QAction *nextMarkAction = nullptr;
    ReviewMarks *reviewMarks = nullptr;

    // Shorter texts convert at once; longer ones in the background.
    static constexpr qsizetype BackgroundLength = 200'000;
    // Long results reach the memo in pieces of this many UTF-16 units.
    static constexpr qsizetype PieceLength = 100'000;

private:
    void libraryLoaded();
    void conversionDone();
    void applyNextPiece();
    bool applyStep(qsizetype end);
    QTextCursor editCursor();
    void endEdit(QTextCursor &cursor);
    void finishConversion();
    void restoreRemoved();
    void trackOwnPart();
    void updateItems();
    void updateStatus();
    void addReplaceItems();

    bool eventFilter(QObject *watched, QEvent *event) override;

    Context m_context;
    ConvertPage *m_page;
    QString m_dataDir;
    DictionaryCheck m_check;
    QLabel *m_status;
    QString m_savedStatus;
    bool m_statusShown = false;
    std::shared_ptr<const PhraseLibrary> m_library;
    bool m_loadStarted = false;
    QFutureWatcher<std::shared_ptr<const PhraseLibrary>> m_loading;
    QFutureWatcher<PhraseResult> m_conversion;
    PhraseResult m_result;
    StepScheduler m_schedule;
    // A long conversion's source text and marks, to go back to.
    QString m_source;
    QList<ReviewMark> m_sourceMarks;
    // The part of the memo the conversion has made its own so far: the source text it has
    // removed gave way to it. Start and end follow edits made by others.
    QTextCursor m_ownStart;
    QTextCursor m_ownEnd;
    qsizetype m_sourceLeft = 0;
    unsigned m_run = 0;
    Qt::TextInteractionFlags m_savedFlags;
    qsizetype m_applied = 0;
    bool m_converting = false;
    bool m_stale = false;
    bool m_ownEdit = false;
    bool m_editStarted = false;
    bool m_wasReadOnly = false;
    QList<QAction *> m_replaceActions;
};
