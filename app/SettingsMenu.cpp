#include "app/SettingsMenu.h"

#include "app/Fader.h"
#include "platform/SettingsStore.h"
#include "platform/SettingsTable.h"
#include "platform/WindowPlatform.h"
#include "skin/MenuOpacity.h"
#include "window/Guard.h"
#include "window/TbsSkinMessage.h"
#include "window/ZnHideForm.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenu>

SettingsMenu::SettingsMenu(const Context &context, TZnHideForm *docking, Fader *fader, MenuOpacity *menus)
    : QObject(context.form)
    , m_context(context)
    , m_docking(docking)
    , m_fader(fader)
    , m_menus(menus)
    , m_placementAvailable(context.windowPlatform->canPlaceWindows())
{
    setObjectName(QStringLiteral("SettingsMenu"));
    const MainMenu::SettingItems &items = m_context.items;
    const struct
    {
        QAction *item;
        void (SettingsMenu::*handler)();
    } handlers[] = {
        { items.exitConfirmation.off, &SettingsMenu::N42Click },
        { items.exitConfirmation.on, &SettingsMenu::N43Click },
        { items.transparency.off, &SettingsMenu::N47Click },
        { items.transparency.on, &SettingsMenu::N48Click },
        { items.docking.off, &SettingsMenu::N53Click },
        { items.docking.on, &SettingsMenu::N54Click },
        { items.quietCopy.off, &SettingsMenu::quietCopyOnClick },
        { items.quietCopy.on, &SettingsMenu::quietCopyOffClick },
    };
    for (const auto &h : handlers)
        connect(h.item, &QAction::triggered, this,
            guardedSlot(m_context.form, [this, handler = h.handler] { (this->*handler)(); }));
    connect(m_context.bsSkinCheckRadioBox1, &QAbstractButton::toggled, this,
        guardedSlot(m_context.form, [this] { bsSkinCheckRadioBox1Click(); }));
}

void SettingsMenu::showPair(const MainMenu::SettingPair &pair, bool on)
{
    pair.off->setVisible(!on);
    pair.on->setVisible(on);
}

void SettingsMenu::setPopupOpacity(int dialogs, int menus)
{
    // Where opacity cannot be set, the setting is kept for the next desktop but asks nothing.
    const bool blend = m_context.windowPlatform->canSetOpacity();
    m_context.messages->SetAlphaBlend(blend);
    m_context.messages->SetAlphaBlendValue(dialogs);
    m_menus->SetAlphaBlend(blend);
    m_menus->SetAlphaBlendValue(menus);
}

void SettingsMenu::applyExitConfirmation()
{
    showPair(m_context.items.exitConfirmation, m_context.store->isSet(Settings::ExitConfirmation));
}

void SettingsMenu::applyTransparency()
{
    // The key's presence means opaque: without it the user gets semi-transparency.
    const bool semi = !m_context.store->isSet(Settings::Opaque);
    showPair(m_context.items.transparency, semi);
    const int value = semi ? Fader::SemiTransparent : Fader::Opaque;
    setPopupOpacity(value, value);
}

void SettingsMenu::applyDocking()
{
    const bool on = m_context.store->isSet(Settings::Docking);
    m_docking->SetAutoDock(on && m_placementAvailable);
    showPair(m_context.items.docking, on);
    applyPlacementLimits();
}

void SettingsMenu::applyQuietCopy()
{
    showPair(m_context.items.quietCopy, m_context.store->isSet(Settings::QuietCopy));
}

void SettingsMenu::setWindowPlacementAvailable(bool available)
{
    m_placementAvailable = available;
    if (!available)
        m_docking->SetAutoDock(false);
    applyPlacementLimits();
}

void SettingsMenu::applyPlacementLimits()
{
    const QString dockingTip
        = m_placementAvailable ? QString() : QStringLiteral("当前桌面不允许程序自行停靠和隐藏窗口");
    const MainMenu::SettingPair &docking = m_context.items.docking;
    for (QAction *a : { docking.off, docking.on }) {
        a->setEnabled(m_placementAvailable);
        a->setToolTip(dockingTip);
        if (auto *menu = qobject_cast<QMenu *>(a->parent()))
            menu->setToolTipsVisible(!m_placementAvailable);
    }
    QAbstractButton *box = m_context.bsSkinCheckRadioBox1;
    box->setEnabled(m_placementAvailable);
    box->setToolTip(m_placementAvailable ? QString() : QStringLiteral("当前桌面不允许窗口置顶"));
}

void SettingsMenu::N42Click()
{
    showPair(m_context.items.exitConfirmation, true);
    m_context.store->set(Settings::ExitConfirmation);
}

void SettingsMenu::N43Click()
{
    showPair(m_context.items.exitConfirmation, false);
    m_context.store->clear(Settings::ExitConfirmation);
}

void SettingsMenu::N47Click()
{
    m_fader->setOpacity(Fader::SemiTransparent);
    setPopupOpacity(Fader::SemiTransparent, MenuOpacityFromMenu);
    showPair(m_context.items.transparency, true);
    m_context.store->clear(Settings::Opaque);
}

void SettingsMenu::N48Click()
{
    m_fader->setOpacity(Fader::Opaque);
    setPopupOpacity(Fader::Opaque, Fader::Opaque);
    showPair(m_context.items.transparency, false);
    m_context.store->set(Settings::Opaque);
}

void SettingsMenu::N53Click()
{
    m_docking->SetAutoDock(true);
    showPair(m_context.items.docking, true);
    m_context.store->set(Settings::Docking);
}

void SettingsMenu::N54Click()
{
    m_docking->SetAutoDock(false);
    showPair(m_context.items.docking, false);
    m_context.store->clear(Settings::Docking);
}

void SettingsMenu::quietCopyOnClick()
{
    showPair(m_context.items.quietCopy, true);
    m_context.store->set(Settings::QuietCopy);
}

void SettingsMenu::quietCopyOffClick()
{
    showPair(m_context.items.quietCopy, false);
    m_context.store->clear(Settings::QuietCopy);
}

void SettingsMenu::bsSkinCheckRadioBox1Click()
{
    m_docking->SetAlwaysTop(m_context.bsSkinCheckRadioBox1->isChecked());
}
