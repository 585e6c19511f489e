#pragma once

#include "platform/DesktopServices.h"

#include <QKeySequence>
#include <QObject>

#include <functional>

class QWidget;
class SettingsStore;
class TbsSkinMessage;

// The desktop-wide key that summons the find window from any program, and its item
// "快捷键…" in 〖设  置〗. The key is kept in the settings store; a key another program
// holds is reported once, in a notice that asks for another, and nothing else changes.
class SummonShortcut : public QObject
{
    Q_OBJECT
public:
    struct Context
    {
        QWidget *form = nullptr;
        TbsSkinMessage *messages = nullptr;
        SettingsStore *store = nullptr;
        DesktopServices *desktop = nullptr;
    };
    // Called with the window system's time of the key press.
    using Summon = std::function<void(quint32 timestamp)>;

    SummonShortcut(const Context &context, Summon summon);

    // The stored key, the default one when none is stored; empty when the user turned it off.
    QKeySequence keys() const;

    // Grabs the stored key; at start-up. A key that cannot be had gets the notice.
    void apply();

    // Makes `keys` the key (empty: none) when the desktop lets the program have it, and
    // stores it. Another result leaves both the held and the stored key as they were.
    DesktopServices::Grab change(const QKeySequence &keys);

    // The dialog of the menu item.
    void openDialog();

    // What the user reads in the dialog when the key cannot be had; empty for a key that can.
    static QString problem(DesktopServices::Grab result, const QKeySequence &keys);
    // The same in the notice at start-up, which also says where to choose another.
    static QString notice(DesktopServices::Grab result, const QKeySequence &keys);

private:
    Context m_context;
    Summon m_summon;
};
