#include "app/MenuBarKeys.h"

#include "find/PinyinTable.h"
#include "window/Guard.h"

#include <QAction>
#include <QActionEvent>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

#include <vector>

namespace {

// The readings of a Han character in the table's order, none for any other.
std::vector<std::string_view> readingsOf(QChar c)
{
    std::vector<std::string_view> out;
    for (const PinyinTable::Syllable &s : PinyinTable::syllables) {
        if (s.characters.find(char16_t(c.unicode())) != std::u16string_view::npos)
            out.push_back(s.spelling);
    }
    return out;
}

} // namespace

MenuBarKeys::MenuBarKeys(QMenuBar *bar, QWidget *window)
    : QObject(bar)
    , m_bar(bar)
    , m_window(window)
{
    setObjectName(QStringLiteral("menuBarKeys"));
    for (QAction *item : bar->actions())
        assign(item);
    bar->installEventFilter(this);
    auto *f10 = new QShortcut(QKeySequence(Qt::Key_F10), window);
    f10->setObjectName(QStringLiteral("menuBarF10"));
    connect(f10, &QShortcut::activated, this, &MenuBarKeys::enterBar);
}

char MenuBarKeys::letterFor(const QString &caption, const QString &taken)
{
    // The initials of the caption's syllables (any reading) and words first, then their
    // other letters.
    QByteArray initials;
    QByteArray others;
    bool wordStart = true;
    for (const QChar c : caption) {
        for (const std::string_view reading : readingsOf(c)) {
            initials += reading.front();
            others += QByteArray(reading.data(), qsizetype(reading.size())).mid(1);
        }
        if (c.isLetter() && c.unicode() < 0x80)
            (wordStart ? initials : others) += char(c.toLower().unicode());
        wordStart = !c.isLetter();
    }
    for (const char letter : initials + others + QByteArrayLiteral("abcdeghijklmnopqrstuvwxyz")) {
        if (!taken.contains(QLatin1Char(letter)))
            return letter;
    }
    return 0;
}

void MenuBarKeys::assign(QAction *item)
{
    if (item->isSeparator() || !item->shortcut().isEmpty())
        return;
    const char letter = letterFor(item->text(), m_taken);
    if (!letter)
        return;
    m_taken += QLatin1Char(letter);
    // The action's own shortcut, so that readers hear it with the item.
    item->setShortcut(QKeySequence(Qt::ALT | Qt::Key(Qt::Key_A + (letter - 'a'))));
    item->setShortcutContext(Qt::WindowShortcut);
    if (item->menu()) {
        connect(item, &QAction::triggered, this, [this, item] {
            if (!item->isEnabled())
                return;
            enterBar();
            m_bar->setActiveAction(item);
        });
    }
}

void MenuBarKeys::enterBar()
{
    if (!m_bar->isVisible() || m_bar->actions().isEmpty() || m_bar->activeAction())
        return;
    // The bar's own keyboard mode comes with a lone Alt, pressed and let go where the
    // keyboard is.
    QWidget *target = QApplication::focusWidget();
    if (!target || target->window() != m_window)
        target = m_window;
    QKeyEvent override(QEvent::ShortcutOverride, Qt::Key_Alt, Qt::AltModifier);
    QCoreApplication::sendEvent(target, &override);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &release);
}

bool MenuBarKeys::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_bar && event->type() == QEvent::ActionAdded)
        assign(static_cast<QActionEvent *>(event)->action());
    return QObject::eventFilter(watched, event);
}
