#pragma once

#include "app/MainMenu.h"

#include <QObject>

class Fader;
class MenuOpacity;
class QAbstractButton;
class QWidget;
class SettingsStore;
class TbsSkinMessage;
class WindowPlatform;
class TZnHideForm;

// The settings menu "设  置" and the check box "窗口置顶". Each stored setting is a pair
// of items with one caption, the plain one shown while the setting is off and the checked
// one while it is on. A setting is the presence of its key in the store.
class SettingsMenu : public QObject
{
    Q_OBJECT
public:
    static constexpr int MenuOpacityFromMenu = 200;

    struct Context
    {
        QWidget *form = nullptr;
        TbsSkinMessage *messages = nullptr;
        SettingsStore *store = nullptr;
        WindowPlatform *windowPlatform = nullptr;
        MainMenu::SettingItems items;
        QAbstractButton *bsSkinCheckRadioBox1 = nullptr; // 窗口置顶
    };

    SettingsMenu(const Context &context, TZnHideForm *docking, Fader *fader, MenuOpacity *menus);

    // Start-up steps 5, 6 and 7: show the matching items and apply what each setting does.
    void applyExitConfirmation();
    void applyTransparency();
    void applyDocking();
    // Copies acknowledged by a brief note instead of the notice; read by the find commands.
    void applyQuietCopy();

    void N42Click();
    void N43Click();
    void N47Click();
    void N48Click();
    void N53Click();
    void N54Click();
    void quietCopyOnClick();
    void quietCopyOffClick();
    void bsSkinCheckRadioBox1Click();

    // Where the desktop does not let a window place itself (Wayland), docking and staying
    // on top are disabled with a tooltip saying why; the stored setting is kept.
    void setWindowPlacementAvailable(bool available);

private:
    void applyPlacementLimits();
    // Shows the plain item when off, the checked one when on.
    static void showPair(const MainMenu::SettingPair &pair, bool on);
    void setPopupOpacity(int dialogs, int menus);

    Context m_context;
    TZnHideForm *m_docking;
    Fader *m_fader;
    MenuOpacity *m_menus;
    bool m_placementAvailable;
};
