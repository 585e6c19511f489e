#pragma once

#include "platform/DesktopServices.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>

class QMimeData;
class SettingsStore;

// Puts a text into another program's window as if the user pasted it there: the text
// goes into CLIPBOARD and PRIMARY, the window is activated, and once it is active and no
// modifier key is held any more the paste key is pressed. A window that does not become
// active in time gets nothing; the text stays in the clipboard either way.
class PasteSequence : public QObject
{
    Q_OBJECT
public:
    static constexpr int TimeoutMs = 2000;
    static constexpr int PollMs = 10;
    // The target reads the clipboard after the key; only then may an old content return.
    static constexpr int RestoreAfterMs = 1000;

    PasteSequence(DesktopServices &desktop, SettingsStore &store, QObject *parent = nullptr);
    ~PasteSequence() override;

    // Whether a paste into the window can be tried at all.
    bool canPaste(DesktopServices::WindowId target) const;

    // Starts a paste; `done` gets whether the key was sent. A paste still running is
    // given up in its favour.
    void paste(
        const QString &text, DesktopServices::WindowId target, quint32 timestamp, std::function<void(bool sent)> done);
    bool isRunning() const { return m_timer.isActive(); }

    // The key for the window, as the settings say.
    DesktopServices::PasteKey keyFor(DesktopServices::WindowId target) const;

private:
    void poll();
    void finish(bool sent);

    DesktopServices &m_desktop;
    SettingsStore &m_store;
    QTimer m_timer;
    QElapsedTimer m_waited;
    DesktopServices::WindowId m_target = 0;
    std::function<void(bool)> m_done;
    std::unique_ptr<QMimeData> m_previous;
    QTimer m_restore;
};
