#pragma once

#include "app/FormServices.h"
#include "app/MainMenu.h"
#include "window/CopyFeedback.h"

#include <QWidget>
#include <memory>

class AppMessageHook;
class Catalogue;
class CatalogueLists;
class CollectionMemos;
class ConvertPage;
class DataInfoCommand;
class CloseSequence;
class Fader;
class DecorateCommands;
class FindCommands;
class InfoCommands;
class MenuOpacity;
class PageTabs;
class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QMenuBar;
class QTabWidget;
class QTimer;
class SettingsMenu;
class SummonShortcut;
class SkinFrame;
class TbsSkinMessage;
class TGbToBig;
class TZnHideForm;
class TrayIcon;
class UserStore;

// The main window. It owns every component, lays out the fixed frame and runs the
// start-up sequence; the handlers of each subsystem live in that subsystem's classes.
class TForm1 : public QWidget
{
    Q_OBJECT
public:
    static constexpr int ClientWidth = 685;
    static constexpr int ClientHeight = 492;

    explicit TForm1(FormServices services, QWidget *parent = nullptr);
    ~TForm1() override;

    // The start-up sequence; runs once, before the window is shown.
    void FormCreate();
    // Set when the start-up asked the application to end (missing file, second copy).
    bool terminationRequested() const { return m_terminationRequested; }

    void Timer2Timer();

    SkinFrame *frame() const { return m_frame.get(); }
    QWidget *client() const;
    QMenu *systemMenu() const;
    PageTabs *pages() const { return m_pages; }
    CatalogueLists *catalogueLists() const { return m_catalogueLists; }
    CollectionMemos *collections() const { return m_collections; }
    ConvertPage *convertPage() const { return m_convertPage; }
    Fader *fader() const { return m_fader; }
    MenuOpacity *menuOpacity() const { return m_menuOpacity; }
    SettingsMenu *settingsMenu() const { return m_settingsMenu; }
    // Every exit command ends up here (N4Click, N10Click of the tray menu).
    CloseSequence *closeSequence() const { return m_closeSequence; }
    FindCommands *findCommands() const { return m_find; }
    DecorateCommands *decorateCommands() const { return m_decorate; }
    SummonShortcut *summonShortcut() const { return m_summonShortcut; }

    // Components, by their names.
    TbsSkinMessage *bsSkinMessage1 = nullptr;
    QTimer *Timer1 = nullptr;
    QTimer *Timer2 = nullptr;
    QMenuBar *bsSkinMainMenuBar1 = nullptr;
    QCheckBox *bsSkinCheckRadioBox1 = nullptr;
    QTabWidget *bsSkinPageControl1 = nullptr;
    QWidget *bsSkinStatusBar1 = nullptr;
    QLabel *bsSkinStatusPanel1 = nullptr;
    QLabel *bsSkinStatusPanel2 = nullptr;
    QMenu *bsSkinPopupMenu4 = nullptr;
    QAction *N35 = nullptr;
    QAction *N36 = nullptr;
    TZnHideForm *ZnHideForm1 = nullptr;
    TrayIcon *bsTrayIcon1 = nullptr;
    TGbToBig *GbToBig1 = nullptr;
    // ADOConnection1, ADOQuery1 to ADOQuery5, DataSource1 to DataSource5.
    Catalogue *catalogue() const { return m_catalogue; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildLayout();
    void buildSystemMenu();
    void appendTaskbarCommands();
    void requestTermination();
    bool catalogueFileExists() const;

    FormServices m_services;
    std::unique_ptr<SkinFrame> m_frame;
    MainMenu::Actions m_menu;
    PageTabs *m_pages = nullptr;
    CatalogueLists *m_catalogueLists = nullptr;
    CollectionMemos *m_collections = nullptr;
    ConvertPage *m_convertPage = nullptr;
    InfoCommands *m_info = nullptr;
    Catalogue *m_catalogue = nullptr;
    DataInfoCommand *m_dataInfo = nullptr;
    AppMessageHook *m_appMessage = nullptr;
    MenuOpacity *m_menuOpacity = nullptr;
    Fader *m_fader = nullptr;
    SettingsMenu *m_settingsMenu = nullptr;
    CloseSequence *m_closeSequence = nullptr;
    CopyFeedback m_copies;
    UserStore *m_userStore = nullptr;
    FindCommands *m_find = nullptr;
    DecorateCommands *m_decorate = nullptr;
    SummonShortcut *m_summonShortcut = nullptr;
    bool m_terminationRequested = false;
};
