#pragma once

#include <QObject>

class QAction;
class QMenuBar;
class QWidget;

// Opens the menu bar's items from the keyboard without changing their captions: each
// item gets Alt and a letter of its caption's pinyin (设  置 Alt+S), F10 puts the bar into keyboard mode on its first
// item. Items added later get their letter when they arrive. A letter taken goes to the next reading's initial,
// then to the other letters of the readings (捐  助: juan, Alt+U when J is taken).
class MenuBarKeys : public QObject
{
    Q_OBJECT
public:
    MenuBarKeys(QMenuBar *bar, QWidget *window);

    // The letter for a caption, skipping the letters in `taken`; 0 when none is left.
    static char letterFor(const QString &caption, const QString &taken);

    // Highlights the first item with the keyboard in the bar, as a lone Alt does.
    void enterBar();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void assign(QAction *item);

    QMenuBar *m_bar;
    QWidget *m_window;
    QString m_taken;
};
