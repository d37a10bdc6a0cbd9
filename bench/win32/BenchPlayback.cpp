// bench-playback.exe: the program itself, with its list loaded from a data file, plays it the
// given number of passes and ends, writing the moments every automation call was issued and
// returned to the log (one line each: microseconds of the performance counter, twice, and the
// method). The waits:
// "timeline" as the program waits; "relative" each wait as long as specified from its own
// start, precisely (the waits before runs kept one timeline); "sleep" the same with a plain Sleep.
//
//   bench-playback timeline|relative|sleep FILE.qd PASSES LOG

#include <windows.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/Application.h"
#include "automation/win32/ComComponentFactory.h"
#include "framework/win32/Win32Platform.h"
#include "framework/win32/Win32WindowSystem.h"
#include "text/win32/WideText.h"

namespace {

enum class Waits { Timeline, Relative, Sleep };

class BenchPlatform final : public framework::win32::Win32Platform {
public:
    BenchPlatform(Waits waits, std::string file) : waits_(waits), file_(std::move(file)) {}

    std::string commandLine() override { return "bench-playback.exe \"" + file_ + "\""; }
    // The component built beside this program (the program itself carries it inside).
    std::string componentImage() override { return readFile(executableFolder() + "\\qdauto.dll").value_or(""); }

    // Other than "timeline", the run sees a clock that stands still between its waits, so that
    // its deadlines are the specified waits summed; each is then waited from the real now.
    std::int64_t clockMicroseconds() override {
        if (waits_ == Waits::Timeline) return Win32Platform::clockMicroseconds();
        if (!scheduled_) scheduled_ = Win32Platform::clockMicroseconds();
        return *scheduled_;
    }
    bool waitUntil(std::int64_t deadline, framework::CancelToken& token) override {
        if (waits_ == Waits::Timeline) return Win32Platform::waitUntil(deadline, token);
        const std::int64_t length = deadline - clockMicroseconds();
        scheduled_ = deadline;
        if (waits_ == Waits::Relative) return Win32Platform::waitUntil(Win32Platform::clockMicroseconds() + length, token);
        if (token.cancelled()) return false;
        if (length > 0) Sleep(static_cast<DWORD>(length / 1000));
        return !token.cancelled();
    }
    // The real clock, for the moments of the calls.
    std::int64_t realMicroseconds() { return Win32Platform::clockMicroseconds(); }

private:
    Waits waits_;
    std::string file_;
    std::optional<std::int64_t> scheduled_;
};

struct IssuedCall {
    std::int64_t issued;
    std::int64_t returned;
    std::string method;
};

// The component's instance, with the moment of every call noted just before it is made.
class RecordingInstance final : public automation::ComponentInstance {
public:
    RecordingInstance(std::unique_ptr<ComponentInstance> inner, BenchPlatform& clock, std::vector<IssuedCall>& calls)
        : inner_(std::move(inner)), clock_(clock), calls_(calls) {}
    std::int32_t call(std::string_view method, std::span<const automation::Argument> arguments) override {
        const std::int64_t issued = clock_.realMicroseconds();
        const std::int32_t result = inner_->call(method, arguments);
        calls_.push_back({issued, clock_.realMicroseconds(), std::string(method)});
        return result;
    }

private:
    std::unique_ptr<ComponentInstance> inner_;
    BenchPlatform& clock_;
    std::vector<IssuedCall>& calls_;
};

class RecordingFactory final : public automation::ComponentFactory {
public:
    explicit RecordingFactory(BenchPlatform& clock) : clock_(clock) {}
    std::unique_ptr<automation::ComponentInstance> create(std::string_view classId) override {
        auto instance = real_.create(classId);
        if (!instance) return nullptr;
        return std::make_unique<RecordingInstance>(std::move(instance), clock_, calls);
    }
    std::vector<IssuedCall> calls;  // made by the run's one thread, read after it ended

private:
    automation::win32::ComComponentFactory real_;
    BenchPlatform& clock_;
};

app::Application* application = nullptr;

// Ends the program once the run is over.
void CALLBACK checkRun(HWND, UINT, UINT_PTR, DWORD) {
    const auto main = application->mainWindow();
    if (main.alive() && main.caption(ui::main_window::按钮_运行) == "运行(F11)") main.destroy();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 5) return 2;
    const std::wstring mode = argv[1];
    const Waits waits = mode == L"timeline" ? Waits::Timeline : mode == L"relative" ? Waits::Relative : Waits::Sleep;
    BenchPlatform platform(waits, text::narrow(argv[2]));
    framework::win32::Win32WindowSystem windows(GetModuleHandleW(nullptr));
    RecordingFactory components(platform);
    app::Application app({windows, platform, components});
    application = &app;
    app.start();
    app.mainWindow().setText(ui::main_window::编辑框_运行次数, text::narrow(argv[3]));
    app.player().toggle();  // as the run button does
    SetTimer(nullptr, 0, 50, checkRun);
    windows.runMessageLoop();
    app.cleanUp();
    std::FILE* log = _wfopen(argv[4], L"w");
    if (!log) return 1;
    for (const IssuedCall& call : components.calls)
        std::fprintf(log, "%lld %lld %s\n", static_cast<long long>(call.issued), static_cast<long long>(call.returned),
                     call.method.c_str());
    std::fclose(log);
    return 0;
}
