#include "find/PasteSequence.h"

#include "platform/SettingsStore.h"
#include "platform/SettingsTable.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {

std::unique_ptr<QMimeData> copyOf(const QMimeData *data)
{
    auto copy = std::make_unique<QMimeData>();
    if (!data)
        return copy;
    for (const QString &format : data->formats())
        copy->setData(format, data->data(format));
    return copy;
}

} // namespace

PasteSequence::PasteSequence(DesktopServices &desktop, SettingsStore &store, QObject *parent)
    : QObject(parent)
    , m_desktop(desktop)
    , m_store(store)
{
    m_timer.setInterval(PollMs);
    connect(&m_timer, &QTimer::timeout, this, &PasteSequence::poll);
    m_restore.setSingleShot(true);
    m_restore.setInterval(RestoreAfterMs);
    connect(&m_restore, &QTimer::timeout, this, [this] {
        if (m_previous)
            QGuiApplication::clipboard()->setMimeData(m_previous.release());
    });
}

PasteSequence::~PasteSequence() = default;

bool PasteSequence::canPaste(DesktopServices::WindowId target) const
{
    const DesktopServices::Capabilities can = m_desktop.capabilities();
    return target && can.testFlag(DesktopServices::Capability::ActiveWindow)
        && can.testFlag(DesktopServices::Capability::PasteKey);
}

DesktopServices::PasteKey PasteSequence::keyFor(DesktopServices::WindowId target) const
{
    return choosePasteKey(
        m_desktop.windowClass(target), m_store.text(Settings::CtrlVClasses), m_store.isSet(Settings::PasteWithCtrlV));
}

void PasteSequence::paste(
    const QString &text, DesktopServices::WindowId target, quint32 timestamp, std::function<void(bool)> done)
{
    if (m_timer.isActive())
        finish(false);
    QClipboard *clipboard = QGuiApplication::clipboard();
    // What the clipboard held before the first of several pastes in a row.
    if (m_store.isSet(Settings::RestoreClipboard) && !m_restore.isActive())
        m_previous = copyOf(clipboard->mimeData(QClipboard::Clipboard));
    m_restore.stop();
    clipboard->setText(text, QClipboard::Clipboard);
    if (clipboard->supportsSelection())
        clipboard->setText(text, QClipboard::Selection);
    m_target = target;
    m_done = std::move(done);
    m_desktop.activateWindow(target, timestamp);
    m_waited.start();
    m_timer.start();
    poll();
}

void PasteSequence::poll()
{
    if (m_desktop.activeWindow() == m_target && !m_desktop.modifiersHeld()) {
        finish(m_desktop.sendPasteKey(m_target, keyFor(m_target)));
        return;
    }
    if (m_waited.elapsed() >= TimeoutMs)
        finish(false);
}

void PasteSequence::finish(bool sent)
{
    m_timer.stop();
    if (sent && m_previous)
        m_restore.start();
    else
        m_previous.reset();
    if (auto done = std::exchange(m_done, {}))
        done(sent);
}
