#pragma once

#include "window/MessageTypes.h"

#include <QObject>

class AddressOpener;
class PageTabs;
class QAbstractButton;
class QAction;
class QWidget;
class TbsSkinMessage;

// The information and link commands: help, about, advertising, donation and upgrade
// notices, and the commands that open the maker's pages, e-mail and chat. Each handler is
// connected to every menu item and button that carries it.
class InfoCommands : public QObject
{
    Q_OBJECT
public:
    struct Context
    {
        QWidget *form = nullptr;
        TbsSkinMessage *messages = nullptr;
        AddressOpener *opener = nullptr;
    };

    // Every menu item and button that carries one of the commands, by component name.
    struct Items
    {
        QAction *N1 = nullptr; // page menu
        QAction *N2 = nullptr;
        QAction *N35 = nullptr; // system menu
        QAction *N36 = nullptr;
        QAction *N11 = nullptr; // tray menu
        QAction *N38 = nullptr; // main menu
        QAction *N44 = nullptr;
        QAction *N45 = nullptr;
        QAction *N51 = nullptr;
        QAction *N56 = nullptr;
        QAction *N57 = nullptr;
        QAction *N58 = nullptr;
        QAction *N7 = nullptr;
        QAction *N49 = nullptr;
        QAction *N55 = nullptr;
        QAction *N59 = nullptr;
        QAction *Email1 = nullptr;
        QAction *QQ1 = nullptr;
        QAction *MyQzone1 = nullptr;
        QAbstractButton *bsSkinButton1 = nullptr; // about page
        QAbstractButton *bsSkinButton2 = nullptr;
        QAbstractButton *bsSkinButton3 = nullptr;
    };

    InfoCommands(const Context &context, const Items &items, PageTabs *pages);

    // Help notice, 30 s.
    void N1Click();
    void N35Click();
    void N44Click();
    // About notice, 10 s, with the About page brought to the front first.
    void N2Click();
    void N36Click();
    void N45Click();
    // About notice from the tray: the pages are left alone.
    void N11Click();

    void N51Click(); // advertising
    void N57Click(); // donation, then the home page
    void N58Click(); // local upgrade: not supported

    void N56Click(); // upgrade page
    void bsSkinButton3Click(); // upgrade page
    void N38Click(); // home page
    void bsSkinButton1Click(); // personal space page
    void MyQzone1Click(); // personal space page
    void bsSkinButton2Click(); // e-mail
    void Email1Click(); // e-mail
    void QQ1Click(); // chat
    void N7Click(); // download portals
    void N49Click();
    void N55Click();
    void N59Click();

private:
    using Handler = void (InfoCommands::*)();
    void wire(QAction *item, Handler handler);
    void wire(QAbstractButton *button, Handler handler);
    void help();
    void about();
    void aboutWithPage();
    void notice(const QString &text, TMsgDlgType kind);
    void open(const QString &address);

    Context m_context;
    PageTabs *m_pages;
};
