#pragma once

#include "window/FormContext.h"
#include "window/MessageTypes.h"

#include <QObject>

class PageTabs;
class QMenu;

// The information and link commands: help, about, advertising, donation and upgrade
// notices, and the commands that open the maker's pages, e-mail and chat. Each handler is
// connected to every menu item and button that carries it.
class InfoCommands : public QObject
{
    Q_OBJECT
public:
    // trayMenu: the tray icon's menu, which lives outside the window and holds "关于".
    InfoCommands(const FormContext &context, PageTabs *pages, QMenu *trayMenu = nullptr);

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
    void wire(QObject *owner, const char *name, Handler handler);
    void help();
    void about();
    void aboutWithPage();
    void notice(const QString &text, TMsgDlgType kind);
    void open(const QString &address);

    FormContext m_context;
    PageTabs *m_pages;
};
