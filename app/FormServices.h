#pragma once

class AddressOpener;
class DesktopServices;
class InstanceLock;
class SettingsStore;
class WindowPlatform;

// The process-wide services, created by the process entry and passed to the main window.
struct FormServices
{
    SettingsStore &store;
    AddressOpener &opener;
    InstanceLock &instanceLock;
    WindowPlatform &windowPlatform;
    DesktopServices &desktopServices;
};
