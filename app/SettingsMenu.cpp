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

SettingsMenu::SettingsMenu(const FormContext &context, TZnHideForm *docking, Fader *fader, MenuOpacity *menus)
    : QObject(context.form)
    , m_context(context)
    , m_docking(docking)
    , m_fader(fader)
    , m_menus(menus)
    , m_placementAvailable(context.windowPlatform->canPlaceWindows())
{
    setObjectName(QStringLiteral("SettingsMenu"));
    const struct
    {
        const char *name;
        void (SettingsMenu::*handler)();
    } items[] = {
        { "N42", &SettingsMenu::N42Click },
        { "N43", &SettingsMenu::N43Click },
        { "N47", &SettingsMenu::N47Click },
        { "N48", &SettingsMenu::N48Click },
        { "N53", &SettingsMenu::N53Click },
        { "N54", &SettingsMenu::N54Click },
        { "quietCopyItem", &SettingsMenu::quietCopyOnClick },
        { "quietCopyCheckedItem", &SettingsMenu::quietCopyOffClick },
    };
    for (const auto &item : items) {
        if (QAction *a = m_context.action(item.name))
            connect(
                a, &QAction::triggered, this, guardedSlot(m_context.form, [this, h = item.handler] { (this->*h)(); }));
    }
    if (auto *box = m_context.widget<QAbstractButton>("bsSkinCheckRadioBox1"))
        connect(
            box, &QAbstractButton::toggled, this, guardedSlot(m_context.form, [this] { bsSkinCheckRadioBox1Click(); }));
}

void SettingsMenu::showPair(const char *plain, const char *checked, bool on) const
{
    if (QAction *a = m_context.action(plain))
        a->setVisible(!on);
    if (QAction *a = m_context.action(checked))
        a->setVisible(on);
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
    showPair("N42", "N43", m_context.store->isSet(Settings::ExitConfirmation));
}

void SettingsMenu::applyTransparency()
{
    // The key's presence means opaque: without it the user gets semi-transparency.
    const bool semi = !m_context.store->isSet(Settings::Opaque);
    showPair("N47", "N48", semi);
    const int value = semi ? Fader::SemiTransparent : Fader::Opaque;
    setPopupOpacity(value, value);
}

void SettingsMenu::applyDocking()
{
    const bool on = m_context.store->isSet(Settings::Docking);
    m_docking->SetAutoDock(on && m_placementAvailable);
    showPair("N53", "N54", on);
    applyPlacementLimits();
}

void SettingsMenu::applyQuietCopy()
{
    showPair("quietCopyItem", "quietCopyCheckedItem", m_context.store->isSet(Settings::QuietCopy));
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
    for (const char *name : { "N53", "N54" }) {
        if (QAction *a = m_context.action(name)) {
            a->setEnabled(m_placementAvailable);
            a->setToolTip(dockingTip);
            if (auto *menu = qobject_cast<QMenu *>(a->parent()))
                menu->setToolTipsVisible(!m_placementAvailable);
        }
    }
    if (auto *box = m_context.widget<QAbstractButton>("bsSkinCheckRadioBox1")) {
        box->setEnabled(m_placementAvailable);
        box->setToolTip(m_placementAvailable ? QString() : QStringLiteral("当前桌面不允许窗口置顶"));
    }
}

void SettingsMenu::N42Click()
{
    showPair("N42", "N43", true);
    m_context.store->set(Settings::ExitConfirmation);
}

void SettingsMenu::N43Click()
{
    showPair("N42", "N43", false);
    m_context.store->clear(Settings::ExitConfirmation);
}

void SettingsMenu::N47Click()
{
    m_fader->setOpacity(Fader::SemiTransparent);
    setPopupOpacity(Fader::SemiTransparent, MenuOpacityFromMenu);
    showPair("N47", "N48", true);
    m_context.store->clear(Settings::Opaque);
}

void SettingsMenu::N48Click()
{
    m_fader->setOpacity(Fader::Opaque);
    setPopupOpacity(Fader::Opaque, Fader::Opaque);
    showPair("N47", "N48", false);
    m_context.store->set(Settings::Opaque);
}

void SettingsMenu::N53Click()
{
    m_docking->SetAutoDock(true);
    showPair("N53", "N54", true);
    m_context.store->set(Settings::Docking);
}

void SettingsMenu::N54Click()
{
    m_docking->SetAutoDock(false);
    showPair("N53", "N54", false);
    m_context.store->clear(Settings::Docking);
}

void SettingsMenu::quietCopyOnClick()
{
    showPair("quietCopyItem", "quietCopyCheckedItem", true);
    m_context.store->set(Settings::QuietCopy);
}

void SettingsMenu::quietCopyOffClick()
{
    showPair("quietCopyItem", "quietCopyCheckedItem", false);
    m_context.store->clear(Settings::QuietCopy);
}

void SettingsMenu::bsSkinCheckRadioBox1Click()
{
    if (auto *box = m_context.widget<QAbstractButton>("bsSkinCheckRadioBox1"))
        m_docking->SetAlwaysTop(box->isChecked());
}
