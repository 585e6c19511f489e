#include "app/TForm1.h"

#include "app/AppMessageHook.h"
#include "app/ClockText.h"
#include "app/CloseSequence.h"
#include "app/Fader.h"
#include "app/MainMenu.h"
#include "app/SettingsMenu.h"
#include "app/StarCommands.h"
#include "app/SystemCommandEvent.h"
#include "app/Texts.h"
#include "browse/CatalogueLists.h"
#include "browse/CollectionMemos.h"
#include "browse/PageTabs.h"
#include "catalogue/Catalogue.h"
#include "convert/ConvertPage.h"
#include "convert/GbToBig.h"
#include "convert/PhraseLibrary.h"
#include "convert/PhraseMenu.h"
#include "find/FindCommands.h"
#include "find/UserStore.h"
#include "info/DataInfoCommand.h"
#include "info/InfoCommands.h"
#include "info/InfoTexts.h"
#include "info/Maker.h"
#include "platform/AddressOpener.h"
#include "platform/ApplicationTitle.h"
#include "platform/InstanceLock.h"
#include "platform/RegularFile.h"
#include "platform/SettingsStore.h"
#include "platform/SettingsTable.h"
#include "skin/MenuOpacity.h"
#include "skin/Skin.h"
#include "skin/SkinFrame.h"
#include "window/Guard.h"
#include "window/PageContext.h"
#include "window/TbsSkinMessage.h"
#include "window/TrayIcon.h"
#include "window/ZnHideForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

static void initAppResource()
{
    Q_INIT_RESOURCE(app);
}

namespace {
constexpr int ClockPanelBorder = 1;
constexpr int ClockMinPixelSize = 8;
} // namespace

TForm1::TForm1(FormServices services, QWidget *parent)
    : QWidget(parent)
    , m_services(services)
{
    initAppResource();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(ApplicationTitle);
    setWindowIcon(QIcon(QStringLiteral(":/app/zelto.svg")));
    m_frame = std::make_unique<SkinFrame>(this,
        SkinTitleBar::SystemMenu | SkinTitleBar::Minimize | SkinTitleBar::MinimizeToTray | SkinTitleBar::Close,
        &m_services.windowPlatform);
    m_frame->setFixedClientSize(QSize(ClientWidth, ClientHeight));
    move(187, 121);

    bsSkinMessage1 = new TbsSkinMessage(this);
    buildLayout();

    m_pages = new PageTabs({ .form = this, .pageControl = bsSkinPageControl1 });
    buildSystemMenu();
    bsTrayIcon1 = new TrayIcon(this, m_services.windowPlatform);
    connect(m_frame->titleBar(), &SkinTitleBar::minimizeRequested, this,
        guardedSlot(this, [this] { bsTrayIcon1->minimizeCommand(); }));
    connect(m_frame->titleBar(), &SkinTitleBar::minimizeToTrayRequested, this,
        guardedSlot(this, [this] { bsTrayIcon1->minimizeToTrayCommand(); }));
    m_info = new InfoCommands({ .form = this, .messages = bsSkinMessage1, .opener = &m_services.opener },
        {
            .N1 = m_pages->N1,
            .N2 = m_pages->N2,
            .N35 = N35,
            .N36 = N36,
            .N11 = bsTrayIcon1->aboutItem(),
            .N38 = m_menu.N38,
            .N44 = m_menu.N44,
            .N45 = m_menu.N45,
            .N51 = m_menu.N51,
            .N56 = m_menu.N56,
            .N57 = m_menu.N57,
            .N58 = m_menu.N58,
            .N7 = m_menu.portals[0],
            .N49 = m_menu.portals[1],
            .N55 = m_menu.portals[2],
            .N59 = m_menu.portals[3],
            .Email1 = m_menu.Email1,
            .QQ1 = m_menu.QQ1,
            .MyQzone1 = m_menu.MyQzone1,
            .bsSkinButton1 = m_pages->bsSkinButton1,
            .bsSkinButton2 = m_pages->bsSkinButton2,
            .bsSkinButton3 = m_pages->bsSkinButton3,
        },
        m_pages);
    const PageContext page { .form = this, .messages = bsSkinMessage1, .copies = &m_copies };
    m_catalogue = new Catalogue(this);
    m_catalogueLists = new CatalogueLists(page, m_pages, m_catalogue);
    m_collections = new CollectionMemos(page, m_pages);
    GbToBig1 = new TGbToBig(this);
    GbToBig1->setObjectName(QStringLiteral("GbToBig1"));
    m_convertPage = new ConvertPage(page, m_pages->bsSkinTabSheet23, GbToBig1);
    new PhraseMenu({ .form = this, .messages = bsSkinMessage1, .bsSkinStatusPanel1 = bsSkinStatusPanel1 },
        m_convertPage, PhraseLibrary::defaultDataDir(), DictionaryCheck::standard());
    m_dataInfo = new DataInfoCommand(m_catalogue, bsSkinMessage1, this);
    connect(m_menu.N64, &QAction::triggered, this, guardedSlot(this, [this] { m_dataInfo->N64Click(); }));

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    Timer1->start();

    ZnHideForm1 = new TZnHideForm(this, m_services.windowPlatform);
    ZnHideForm1->setObjectName(QStringLiteral("ZnHideForm1"));
    m_menuOpacity = new MenuOpacity(m_services.windowPlatform, this);
    m_fader = new Fader(this, Timer1, &m_services.store, m_services.windowPlatform);
    m_settingsMenu = new SettingsMenu(
        {
            .form = this,
            .messages = bsSkinMessage1,
            .store = &m_services.store,
            .windowPlatform = &m_services.windowPlatform,
            .items = m_menu.settings,
            .bsSkinCheckRadioBox1 = bsSkinCheckRadioBox1,
        },
        ZnHideForm1, m_fader, m_menuOpacity);
    m_closeSequence = new CloseSequence(
        {
            .form = this,
            .messages = bsSkinMessage1,
            .store = &m_services.store,
            .opener = &m_services.opener,
            .N4 = m_pages->N4,
        },
        m_fader);
    m_userStore = new UserStore({}, this);
    m_find = new FindCommands(
        {
            .form = this,
            .messages = bsSkinMessage1,
            .store = &m_services.store,
            .copies = &m_copies,
            .bsSkinMainMenuBar1 = bsSkinMainMenuBar1,
            .categoryMenu = m_pages->categoryMenu(),
        },
        m_userStore);
    new StarCommands({
        .form = this,
        .categoryMenu = m_pages->categoryMenu(),
        .categoryBefore = m_find->categorySeparator(),
        .grids = m_catalogueLists,
        .memos = m_collections,
        .find = m_find,
    });
    // What 全部 searches, in page order: the catalogue's two pages come before the collections.
    m_find->setEntrySources({ m_catalogueLists, m_collections });
    bsTrayIcon1->setRestartFadeIn([this] { m_fader->FormShow(); });

    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(1000);
    connect(Timer2, &QTimer::timeout, this, guardedSlot(this, [this] { Timer2Timer(); }));
    Timer2->start();
}

TForm1::~TForm1()
{
    if (m_appMessage)
        qApp->removeEventFilter(m_appMessage);
}

QWidget *TForm1::client() const
{
    return m_frame->client();
}
QMenu *TForm1::systemMenu() const
{
    return m_frame->titleBar()->systemMenu();
}

void TForm1::buildLayout()
{
    QWidget *area = client();

    bsSkinMainMenuBar1 = new QMenuBar(area);
    bsSkinMainMenuBar1->setObjectName(QStringLiteral("bsSkinMainMenuBar1"));
    bsSkinMainMenuBar1->setNativeMenuBar(false);
    bsSkinMainMenuBar1->setGeometry(0, 0, ClientWidth, 22);
    m_menu = MainMenu::build(bsSkinMainMenuBar1);

    bsSkinPageControl1 = new QTabWidget(area);
    bsSkinPageControl1->setObjectName(QStringLiteral("bsSkinPageControl1"));
    bsSkinPageControl1->setGeometry(0, 22, 689, 449);

    bsSkinStatusBar1 = new QWidget(area);
    bsSkinStatusBar1->setObjectName(QStringLiteral("bsSkinStatusBar1"));
    bsSkinStatusBar1->setAttribute(Qt::WA_StyledBackground);
    bsSkinStatusBar1->setGeometry(0, ClientHeight - 21, ClientWidth, 21);
    bsSkinStatusPanel1 = new QLabel(QStringLiteral("Zelto设计室  ") + Maker::SiteAddress, bsSkinStatusBar1);
    bsSkinStatusPanel1->setObjectName(QStringLiteral("bsSkinStatusPanel1"));
    bsSkinStatusPanel1->setProperty("statusPanel", true);
    bsSkinStatusPanel1->setGeometry(0, 1, 628, 20);
    bsSkinStatusPanel2 = new QLabel(QStringLiteral("显示时间"), bsSkinStatusBar1);
    bsSkinStatusPanel2->setObjectName(QStringLiteral("bsSkinStatusPanel2"));
    bsSkinStatusPanel2->setProperty("statusPanel", true);
    bsSkinStatusPanel2->setAlignment(Qt::AlignCenter);
    bsSkinStatusPanel2->setGeometry(628, 1, 56, 20);

    // Lies over the right end of the menu bar.
    bsSkinCheckRadioBox1 = new QCheckBox(QStringLiteral("窗口置顶"), area);
    bsSkinCheckRadioBox1->setObjectName(QStringLiteral("bsSkinCheckRadioBox1"));
    bsSkinCheckRadioBox1->setGeometry(606, 3, 77, 17);
    bsSkinCheckRadioBox1->setChecked(false);
    bsSkinCheckRadioBox1->raise();
}

void TForm1::buildSystemMenu()
{
    // The program's own items in the frame's system menu.
    QMenu *menu = systemMenu();
    bsSkinPopupMenu4 = menu;
    menu->addSeparator()->setObjectName(QStringLiteral("N34"));
    N35 = menu->addAction(QStringLiteral("帮       助"));
    N35->setObjectName(QStringLiteral("N35"));
    // Shown beside the caption; the page control's N1 answers F1 in the window itself.
    N35->setShortcut(QKeySequence(Qt::Key_F1));
    N35->setShortcutContext(Qt::WidgetShortcut);
    N36 = menu->addAction(QStringLiteral("关       于"));
    N36->setObjectName(QStringLiteral("N36"));
    menu->addSeparator()->setObjectName(QStringLiteral("N37"));
}

// The taskbar entry's menu has no counterpart on Linux desktops: the two commands go to
// the end of the frame's system menu and arrive as system commands, as there.
void TForm1::appendTaskbarCommands()
{
    QMenu *menu = systemMenu();
    menu->addSeparator();
    QAction *help = menu->addAction(QStringLiteral("帮 助 F1"));
    help->setObjectName(QStringLiteral("SysCmd%1").arg(SystemCommandEvent::HelpCommand));
    connect(help, &QAction::triggered, this,
        [] { QCoreApplication::postEvent(qApp, new SystemCommandEvent(SystemCommandEvent::HelpCommand)); });
    QAction *about = menu->addAction(QStringLiteral("关 于"));
    about->setObjectName(QStringLiteral("SysCmd%1").arg(SystemCommandEvent::AboutCommand));
    connect(about, &QAction::triggered, this,
        [] { QCoreApplication::postEvent(qApp, new SystemCommandEvent(SystemCommandEvent::AboutCommand)); });
}

// Only a regular file counts: a folder, FIFO or device in its place is a missing catalogue.
bool TForm1::catalogueFileExists() const
{
    return RegularFile::isRegular(Catalogue::FileName);
}

void TForm1::requestTermination()
{
    m_terminationRequested = true;
    QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

void TForm1::FormCreate()
{
    // A failing step ends the sequence; the window still opens.
    guarded(this, [this] {
        // The catalogue file.
        if (!catalogueFileExists()) {
            bsSkinMessage1->ShowMessageDialog(Texts::FileMissing, mtError, mbOKSet, 0);
            requestTermination();
            return;
        }

        // The five catalogue queries.
        m_catalogue->OpenQueries();

        // The caption with the data version.
        setWindowTitle(Catalogue::versionCaption(m_catalogue->DataVersion()));

        // One running copy per user.
        if (m_services.instanceLock.alreadyExists()) {
            bsSkinMessage1->ShowMessageDialog(Texts::AlreadyRunning, mtInformation, mbOKSet, 0);
            requestTermination();
            return;
        }

        // Exit confirmation setting.
        m_settingsMenu->applyExitConfirmation();
        // Transparency setting.
        m_settingsMenu->applyTransparency();
        // Docking setting.
        m_settingsMenu->applyDocking();
        // The quiet-copy setting, like the three before it.
        m_settingsMenu->applyQuietCopy();

        // The application message hook.
        m_appMessage = new AppMessageHook(this, bsSkinMessage1);
        qApp->installEventFilter(m_appMessage);

        // The taskbar commands.
        appendTaskbarCommands();

        // Help on the first start.
        if (!m_services.store.isSet(Settings::HelpMarker)) {
            m_services.store.set(Settings::HelpMarker);
            bsSkinMessage1->showTimedNotice(InfoTexts::firstRunHelp(), mtInformation, 30000);
        }

        // The web page on the first start.
        if (!m_services.store.isSet(Settings::WebMarker)) {
            m_services.store.set(Settings::WebMarker);
            m_services.opener.open(Maker::AdvertisingPage);
        }

        // The nineteen collections.
        m_collections->LoadCollections();

        // "复制" of the collection pages waits for a selection.
        m_collections->DisableCopy();
    });
}

void TForm1::Timer2Timer()
{
    const QString text = ClockText::format(QTime::currentTime(), QLocale::system());
    // A 12-hour time with its day-period marker is wider than the 56 px panel in the
    // interface font: draw it smaller rather than cut it.
    QFont font = Skin::uiFont();
    const int room = bsSkinStatusPanel2->width() - 2 * ClockPanelBorder;
    while (font.pixelSize() > ClockMinPixelSize && QFontMetrics(font).horizontalAdvance(text) > room)
        font.setPixelSize(font.pixelSize() - 1);
    if (font != bsSkinStatusPanel2->font())
        bsSkinStatusPanel2->setFont(font);
    bsSkinStatusPanel2->setText(text);
}

void TForm1::closeEvent(QCloseEvent *event)
{
    m_closeSequence->closeEvent(event);
}

void TForm1::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_fader->formShowEvent(event);
}
