// bench-playback.exe: the program itself, with its list loaded from a data file, plays it once
// and ends. "precise" waits as the program does; "sleep" waits with a plain Sleep instead,
// for comparison.
//
//   bench-playback precise|sleep FILE.qd

#include <windows.h>

#include <string>

#include "app/Application.h"
#include "automation/win32/ComComponentFactory.h"
#include "framework/win32/WideText.h"
#include "framework/win32/Win32Platform.h"
#include "framework/win32/Win32WindowSystem.h"

namespace {

class BenchPlatform final : public framework::win32::Win32Platform {
public:
    BenchPlatform(bool sleepWaits, std::string file) : sleepWaits_(sleepWaits), file_(std::move(file)) {}

    std::string commandLine() override { return "bench-playback.exe \"" + file_ + "\""; }
    // The component built beside this program (the program itself carries it inside).
    std::string componentImage() override { return readFile(executableFolder() + "\\qdauto.dll").value_or(""); }

    bool wait(int milliseconds, framework::CancelToken& token) override {
        if (!sleepWaits_) return Win32Platform::wait(milliseconds, token);
        if (token.cancelled()) return false;
        if (milliseconds > 0) Sleep(static_cast<DWORD>(milliseconds));
        return !token.cancelled();
    }

private:
    bool sleepWaits_;
    std::string file_;
};

app::Application* application = nullptr;

// Ends the program once the run is over.
void CALLBACK checkRun(HWND, UINT, UINT_PTR, DWORD) {
    const auto main = application->mainWindow();
    if (main.alive() && main.caption(app::main_window::按钮_运行) == "运行(F11)") main.destroy();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) return 2;
    BenchPlatform platform(std::wstring(argv[1]) == L"sleep", framework::win32::narrow(argv[2]));
    framework::win32::Win32WindowSystem windows(GetModuleHandleW(nullptr));
    automation::win32::ComComponentFactory components;
    app::Application app({windows, platform, components});
    application = &app;
    app.start();
    app.player().toggle();  // as the run button does
    SetTimer(nullptr, 0, 50, checkRun);
    windows.runMessageLoop();
    app.cleanUp();
    return 0;
}
