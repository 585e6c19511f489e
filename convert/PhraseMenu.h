#pragma once

#include "convert/ChunkedReplacement.h"
#include "convert/DictionaryCheck.h"
#include "convert/PhraseConverter.h"

#include <QObject>

#include <array>
#include <memory>

class ConvertPage;
class PhraseLibrary;
class PhraseLoader;
class PhraseTask;
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
// and say why. Long texts convert off the GUI thread (PhraseLoader and PhraseTask) and go
// into the memo in pieces (ChunkedReplacement); this class ties them to the menu.
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
    using StepScheduler = ChunkedReplacement::StepScheduler;
    void setStepScheduler(StepScheduler scheduler);

    QMenu *phraseMenu = nullptr;
    std::array<QAction *, PhraseConverter::ConfigCount> convertActions {};
    QAction *nextMarkAction = nullptr;
    ReviewMarks *reviewMarks = nullptr;

    // Shorter texts convert at once; longer ones in the background.
    static constexpr qsizetype BackgroundLength = 200'000;
    // Long results reach the memo in pieces of this many UTF-16 units.
    static constexpr qsizetype PieceLength = ChunkedReplacement::PieceLength;

private:
    void libraryLoaded();
    void conversionDone();
    void replacementDone();
    void finishConversion();
    void updateItems();
    void updateStatus();
    void addReplaceItems();

    bool eventFilter(QObject *watched, QEvent *event) override;

    Context m_context;
    ConvertPage *m_page;
    QLabel *m_status;
    QString m_savedStatus;
    bool m_statusShown = false;
    std::shared_ptr<const PhraseLibrary> m_library;
    PhraseLoader *m_loader;
    PhraseTask *m_task;
    ChunkedReplacement *m_replacement;
    // A long conversion's marks, kept until its text is in.
    QList<ReviewMark> m_marks;
    // The marks before a long conversion, to go back to.
    QList<ReviewMark> m_sourceMarks;
    Qt::TextInteractionFlags m_savedFlags;
    bool m_converting = false;
    bool m_wasReadOnly = false;
    QList<QAction *> m_replaceActions;
};
