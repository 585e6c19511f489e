#pragma once

#include <QAction>
#include <QWidget>

class AddressOpener;
class CopyFeedback;
class QTabWidget;
class SettingsStore;
class TbsSkinMessage;
class WindowPlatform;

// What the main window hands to each of its subsystems: the window itself, its message
// component, the settings store and the address opener. Created by the window, passed in.
struct FormContext
{
    QWidget *form = nullptr;
    TbsSkinMessage *messages = nullptr;
    SettingsStore *store = nullptr;
    AddressOpener *opener = nullptr;
    QTabWidget *pageControl = nullptr;
    CopyFeedback *copies = nullptr;
    WindowPlatform *windowPlatform = nullptr;

    // A named action of the window's menus (menu items carry their component names).
    QAction *action(const char *objectName) const
    {
        return form->findChild<QAction *>(QString::fromLatin1(objectName));
    }
    template <typename T = QWidget> T *widget(const char *objectName) const
    {
        return form->findChild<T *>(QString::fromLatin1(objectName));
    }
};
