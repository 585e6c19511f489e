#pragma once

#include <QObject>

#include <functional>

class AddressOpener;
class Fader;
class QAction;
class QCloseEvent;
class QWidget;
class SettingsStore;
class TbsSkinMessage;

// Closing the main window. Every way of closing (title bar, Alt+F4, the exit items of the
// page menu and of the tray menu) goes through QWidget::close() and arrives here: the
// optional confirmation, the first-close page, the fade-out and the end of the program.
class CloseSequence : public QObject
{
    Q_OBJECT
public:
    static constexpr int ConfirmationTimeoutMs = 10000;

    struct Context
    {
        QWidget *form = nullptr;
        TbsSkinMessage *messages = nullptr;
        SettingsStore *store = nullptr;
        AddressOpener *opener = nullptr;
        QAction *N4 = nullptr; // "退       出" of the page menu
    };

    CloseSequence(const Context &context, Fader *fader);

    // What ends the program once the window has faded out; tests replace it.
    void setQuit(std::function<void()> quit) { m_quit = std::move(quit); }

    // Called from the form's closeEvent.
    void closeEvent(QCloseEvent *event);

    // True lets the close go on.
    bool FormCloseQuery();
    void FormClose();

    // "退       出" of the page menu and "退出" of the tray menu.
    void N4Click();
    void N10Click();

    QString confirmationText() const;
    bool isClosing() const { return m_closing; }

private:
    Context m_context;
    Fader *m_fader;
    std::function<void()> m_quit;
    bool m_closing = false;
};
