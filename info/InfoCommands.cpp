#include "info/InfoCommands.h"

#include "browse/PageTabs.h"
#include "info/InfoTexts.h"
#include "info/Maker.h"
#include "platform/AddressOpener.h"
#include "window/Guard.h"
#include "window/TbsSkinMessage.h"

#include <QAbstractButton>
#include <QAction>

InfoCommands::InfoCommands(const Context &context, const Items &items, PageTabs *pages)
    : QObject(context.form)
    , m_context(context)
    , m_pages(pages)
{
    setObjectName(QStringLiteral("infoCommands"));
    wire(items.N1, &InfoCommands::N1Click);
    wire(items.N35, &InfoCommands::N35Click);
    wire(items.N44, &InfoCommands::N44Click);
    wire(items.N2, &InfoCommands::N2Click);
    wire(items.N36, &InfoCommands::N36Click);
    wire(items.N45, &InfoCommands::N45Click);
    wire(items.N11, &InfoCommands::N11Click);
    wire(items.N51, &InfoCommands::N51Click);
    wire(items.N57, &InfoCommands::N57Click);
    wire(items.N58, &InfoCommands::N58Click);
    wire(items.N56, &InfoCommands::N56Click);
    wire(items.bsSkinButton3, &InfoCommands::bsSkinButton3Click);
    wire(items.N38, &InfoCommands::N38Click);
    wire(items.bsSkinButton1, &InfoCommands::bsSkinButton1Click);
    wire(items.MyQzone1, &InfoCommands::MyQzone1Click);
    wire(items.bsSkinButton2, &InfoCommands::bsSkinButton2Click);
    wire(items.Email1, &InfoCommands::Email1Click);
    wire(items.QQ1, &InfoCommands::QQ1Click);
    wire(items.N7, &InfoCommands::N7Click);
    wire(items.N49, &InfoCommands::N49Click);
    wire(items.N55, &InfoCommands::N55Click);
    wire(items.N59, &InfoCommands::N59Click);
}

void InfoCommands::wire(QAction *item, Handler handler)
{
    connect(item, &QAction::triggered, this, guardedSlot(m_context.form, [this, handler] { (this->*handler)(); }));
}

void InfoCommands::wire(QAbstractButton *button, Handler handler)
{
    connect(
        button, &QAbstractButton::clicked, this, guardedSlot(m_context.form, [this, handler] { (this->*handler)(); }));
}

void InfoCommands::notice(const QString &text, TMsgDlgType kind)
{
    m_context.messages->ShowMessageDialog(text, kind, mbOKSet, 0);
}

void InfoCommands::open(const QString &address)
{
    m_context.opener->open(address);
}

void InfoCommands::help()
{
    m_context.messages->showTimedNotice(InfoTexts::help(), mtInformation, 30000);
}

void InfoCommands::about()
{
    m_context.messages->showTimedNotice(InfoTexts::about(), mtInformation, 10000);
}

void InfoCommands::aboutWithPage()
{
    if (m_pages)
        m_pages->showPage(m_pages->bsSkinTabSheet1);
    about();
}

void InfoCommands::N1Click()
{
    help();
}
void InfoCommands::N35Click()
{
    help();
}
void InfoCommands::N44Click()
{
    help();
}
void InfoCommands::N2Click()
{
    aboutWithPage();
}
void InfoCommands::N36Click()
{
    aboutWithPage();
}
void InfoCommands::N45Click()
{
    aboutWithPage();
}
void InfoCommands::N11Click()
{
    about();
}

void InfoCommands::N51Click()
{
    notice(InfoTexts::advertising(), mtInformation);
}

void InfoCommands::N57Click()
{
    // The notice blocks until it is closed, however that happens; the page follows.
    notice(InfoTexts::donation(), mtInformation);
    open(Maker::HomePage);
}

void InfoCommands::N58Click()
{
    notice(InfoTexts::localUpgrade(), mtError);
}

void InfoCommands::N56Click()
{
    open(Maker::UpgradePage);
}
void InfoCommands::bsSkinButton3Click()
{
    open(Maker::UpgradePage);
}
void InfoCommands::N38Click()
{
    open(Maker::HomePage);
}
void InfoCommands::bsSkinButton1Click()
{
    open(Maker::PersonalSpacePage);
}
void InfoCommands::MyQzone1Click()
{
    open(Maker::PersonalSpacePage);
}
void InfoCommands::bsSkinButton2Click()
{
    open(InfoTexts::mailAddress());
}
void InfoCommands::Email1Click()
{
    open(InfoTexts::mailAddress());
}
void InfoCommands::QQ1Click()
{
    open(InfoTexts::chatAddress());
}
void InfoCommands::N7Click()
{
    open(QString::fromLatin1(Maker::Portals[0].address));
}
void InfoCommands::N49Click()
{
    open(QString::fromLatin1(Maker::Portals[1].address));
}
void InfoCommands::N55Click()
{
    open(QString::fromLatin1(Maker::Portals[2].address));
}
void InfoCommands::N59Click()
{
    open(QString::fromLatin1(Maker::Portals[3].address));
}
