#include "app/SummonShortcut.h"

#include "app/ShortcutDialog.h"
#include "platform/SettingsStore.h"
#include "platform/SettingsTable.h"
#include "window/Guard.h"
#include "window/TbsSkinMessage.h"

SummonShortcut::SummonShortcut(const Context &context, Summon summon)
    : QObject(context.form)
    , m_context(context)
    , m_summon(std::move(summon))
{
    setObjectName(QStringLiteral("summonShortcut"));
    connect(m_context.desktop, &DesktopServices::shortcutActivated, this,
        [this](quint32 timestamp) { guarded(m_context.form, [&] { m_summon(timestamp); }); });
}

QKeySequence SummonShortcut::keys() const
{
    const QString stored = m_context.store->text(Settings::Shortcut);
    return QKeySequence::fromString(stored.isNull() ? Settings::DefaultShortcut : stored, QKeySequence::PortableText);
}

void SummonShortcut::apply()
{
    const QKeySequence wanted = keys();
    if (wanted.isEmpty())
        return;
    const DesktopServices::Grab result = m_context.desktop->grabShortcut(wanted);
    const QString text = notice(result, wanted);
    if (!text.isEmpty())
        m_context.messages->ShowMessageDialog(text, mtWarning, mbOKSet, 0);
}

DesktopServices::Grab SummonShortcut::change(const QKeySequence &wanted)
{
    DesktopServices::Grab result = DesktopServices::Grab::Grabbed;
    if (wanted.isEmpty()) {
        m_context.desktop->releaseShortcut();
    } else {
        result = m_context.desktop->grabShortcut(wanted);
        if (result != DesktopServices::Grab::Grabbed && result != DesktopServices::Grab::Unsupported)
            return result;
    }
    m_context.store->setText(Settings::Shortcut, wanted.toString(QKeySequence::PortableText));
    return result;
}

void SummonShortcut::openDialog()
{
    ShortcutDialog dialog(
        keys(), [this](const QKeySequence &wanted) { return problem(change(wanted), wanted); }, m_context.form);
    dialog.exec();
}

QString SummonShortcut::problem(DesktopServices::Grab result, const QKeySequence &wanted)
{
    const QString name = wanted.toString(QKeySequence::NativeText);
    switch (result) {
    case DesktopServices::Grab::Taken:
        return QStringLiteral("快捷键 %1 已被其他程序占用，请另选一个。").arg(name);
    case DesktopServices::Grab::Unusable:
        return QStringLiteral("快捷键 %1 在本桌面无法使用，请另选一个。").arg(name);
    case DesktopServices::Grab::Grabbed:
    case DesktopServices::Grab::Unsupported:
        break;
    }
    return {};
}

QString SummonShortcut::notice(DesktopServices::Grab result, const QKeySequence &wanted)
{
    const QString name = wanted.toString(QKeySequence::NativeText);
    switch (result) {
    case DesktopServices::Grab::Taken:
        return QStringLiteral("快捷键 %1 已被其他程序占用，无法用来呼出“查找与收藏”。\n"
                              "请在〖设  置〗→“快捷键…”中另选一个。")
            .arg(name);
    case DesktopServices::Grab::Unusable:
        return QStringLiteral("快捷键 %1 在本桌面无法使用，无法用来呼出“查找与收藏”。\n"
                              "请在〖设  置〗→“快捷键…”中另选一个。")
            .arg(name);
    case DesktopServices::Grab::Grabbed:
    case DesktopServices::Grab::Unsupported:
        break;
    }
    return {};
}
