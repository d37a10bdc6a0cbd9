// The Windows program: real windows, real services, the COM automation component.

#include <windows.h>

#include "app/Application.h"
#include "automation/win32/ComComponentFactory.h"
#include "framework/win32/Win32Platform.h"
#include "framework/win32/Win32WindowSystem.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    // Libraries loaded by name from now on (the delay-loaded system libraries among them) come
    // from the system folder only, never from the program's own folder or the current one, where
    // anybody may have put a file of that name (a downloads folder, say). The component is always
    // loaded by its full path.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    framework::win32::Win32Platform platform;
    framework::win32::Win32WindowSystem windows(instance);
    automation::win32::ComComponentFactory components;
    app::Application application({windows, platform, components});
    // A run's thread stuck in a component call may still use everything here: the process ends
    // with it, before anything is destroyed.
    const bool cleanedUp = application.run();
    if (!cleanedUp) ExitProcess(static_cast<UINT>(application.exitCode()));
    return application.exitCode();
}
