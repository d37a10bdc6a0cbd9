// startup-trace.exe: the program's start-up with a time stamp at each of its steps, in
// milliseconds since the process was created; prints one line per step and ends once the
// main window is shown and its first messages are handled.
//
//   startup-trace

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/Application.h"
#include "automation/win32/ComComponentFactory.h"
#include "framework/win32/Win32Platform.h"
#include "framework/win32/Win32WindowSystem.h"
#include "scriptfile/ScriptFiles.h"

namespace {

std::vector<std::pair<double, std::string>> steps;

long long hundredNanoseconds(FILETIME time) {
    return static_cast<long long>(time.dwHighDateTime) << 32 | time.dwLowDateTime;
}

void stamp(std::string step) {
    FILETIME created, exited, kernel, user, now;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimePreciseAsFileTime(&now);
    steps.emplace_back((hundredNanoseconds(now) - hundredNanoseconds(created)) / 10000.0, std::move(step));
}

// The platform's services that start-up uses, each stamped when it begins and ends.
class TracingPlatform final : public framework::win32::Win32Platform {
public:
    void initialiseComForThisThread() override {
        stamp("COM entered: begins");
        Win32Platform::initialiseComForThisThread();
        stamp("COM entered: ends");
    }
    std::string componentImage() override {
        stamp("component installation: begins");
        return Win32Platform::componentImage();
    }
    bool registerComponent(const std::string& path) override {
        stamp("component registration: begins");
        const bool registered = Win32Platform::registerComponent(path);
        stamp("component registration: ends");
        return registered;
    }
    bool setRegistryText(RegistryRoot root, const std::string& key, const std::string& valueName,
                         const std::string& text) override {
        if (!writingAssociation_) stamp("file association: begins");
        writingAssociation_ = true;
        return Win32Platform::setRegistryText(root, key, valueName, text);
    }
    std::string commandLine() override {
        stamp("command line read");  // first of all: a relative path is taken from the folder then
        return Win32Platform::commandLine();
    }
    std::optional<std::string> readFile(const std::string& path, std::size_t maxBytes) override {
        const bool dataFile = maxBytes == scriptfile::MaxFileBytes;  // not the component's comparison
        if (dataFile) stamp("command line file: begins");
        auto bytes = Win32Platform::readFile(path, maxBytes);
        if (dataFile) stamp("command line file: ends");
        return bytes;
    }
    std::string httpGet(const std::string& address, const WebRead& limits) override {
        stamp("notice page read: begins");
        std::string body = Win32Platform::httpGet(address, limits);
        stamp("notice page read: ends");
        return body;
    }

private:
    bool writingAssociation_ = false;
};

class TracingFactory final : public automation::ComponentFactory {
public:
    std::unique_ptr<automation::ComponentInstance> create(std::string_view classId) override {
        stamp("automation object: begins");
        auto instance = real_.create(classId);
        stamp(instance ? "automation object: ends" : "automation object: ends (none)");
        return instance;
    }

private:
    automation::win32::ComComponentFactory real_;
};

}  // namespace

int wmain() {
    stamp("program entered");
    TracingPlatform platform;
    framework::win32::Win32WindowSystem windows(GetModuleHandleW(nullptr));
    stamp("window system ready");
    TracingFactory components;
    app::Application app({windows, platform, components});
    app.start();
    stamp(IsWindowVisible(GetForegroundWindow()) ? "main window shown" : "start-up returned");
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    stamp("first messages handled");
    for (const auto& [milliseconds, step] : steps) std::printf("%8.2f %s\n", milliseconds, step.c_str());
    std::fflush(stdout);
    ExitProcess(0);  // as the program ends with a run's thread that may still be inside a call
}
