// The Windows program: real windows, real services, the COM automation component.

#include <windows.h>

#include "app/Application.h"
#include "automation/win32/ComComponentFactory.h"
#include "framework/win32/Win32Platform.h"
#include "framework/win32/Win32WindowSystem.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    framework::win32::Win32Platform platform;
    framework::win32::Win32WindowSystem windows(instance);
    automation::win32::ComComponentFactory components;
    app::Application application({windows, platform, components});
    // A run's thread stuck in a component call may still use everything here: the process ends
    // with it, before anything is destroyed.
    if (!application.run()) ExitProcess(0);
    return 0;
}
