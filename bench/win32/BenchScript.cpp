// bench-script.exe: a data file of many rows imported into the real main window's command
// list and exported again, as the toolbar's import and export do (without their dialogs).
// Prints the time of each and the process's peak memory. With "load", only reads the named
// file into the list, as a stress of the reader with files of any size and content.
//
//   bench-script [ROWS] [FOLDER]
//   bench-script load FILE

#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <string>
#include <string_view>

#include "BenchSupport.h"
#include "commands/CommandList.h"
#include "framework/win32/Win32Platform.h"
#include "framework/win32/Win32WindowSystem.h"
#include "scriptfile/ScriptFiles.h"
#include "scriptfile/ScriptFormat.h"
#include "text/CodePage936.h"
#include "text/win32/WideText.h"
#include "ui/MainWindowDefinition.h"

namespace {

using bench::Clock;
using bench::millisecondsSince;
using bench::pumpMessages;

// Rows of all four kinds, Chinese text and characters beyond GBK included.
std::string sampleFile(int rows) {
    std::string text;
    for (int i = 0; i < rows; ++i) {
        switch (i % 4) {
            case 0: text += "鼠标]]][[[" + std::to_string(i % 1920) + "]]][[[" + std::to_string(i % 1080) + "]]][[[左键单击]]][[[100]]][[[*"; break;
            case 1: text += "键盘]]][[[*]]][[[*]]][[[*]]][[[*]]][[[第" + std::to_string(i) + "行 text 5€ 😀"; break;
            case 2: text += "模拟]]][[[*]]][[[*]]][[[*]]][[[*]]][[[enter"; break;
            default: text += "延时]]][[[*]]][[[*]]][[[*]]][[[*]]][[[100毫秒"; break;
        }
        text += "+++---";
    }
    return text::toCodePage936(text);
}

void printPeakMemory() {
    PROCESS_MEMORY_COUNTERS memory{};
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    std::printf("peak working set: %.1f MiB, peak private bytes: %.1f MiB\n", memory.PeakWorkingSetSize / 1048576.0,
                memory.PeakPagefileUsage / 1048576.0);
}

int loadOnly(framework::win32::Win32Platform& platform, commands::CommandList& list, const std::string& path) {
    const auto start = Clock::now();
    scriptfile::readFileIntoList(platform, list, path);
    pumpMessages();
    std::printf("%d rows in %.0f ms; ", list.rowCount(), millisecondsSince(start));
    printPeakMemory();
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    framework::win32::Win32Platform platform;
    framework::win32::Win32WindowSystem windows(GetModuleHandleW(nullptr));
    auto form = windows.createForm(ui::mainWindowDefinition());
    form->open();
    pumpMessages();
    commands::CommandList list(form->rows(ui::main_window::超级列表框_鼠标命令.name));
    if (argc > 2 && std::wstring_view(argv[1]) == L"load") return loadOnly(platform, list, text::narrow(argv[2]));

    const int rows = argc > 1 ? _wtoi(argv[1]) : 100000;
    const std::string folder = argc > 2 ? text::narrow(argv[2]) : ".";

    const std::string input = folder + "\\bench-import.qd";
    const std::string bytes = sampleFile(rows);
    platform.writeFile(input, bytes);

    auto start = Clock::now();
    scriptfile::readFileIntoList(platform, list, input);
    pumpMessages();  // the list view shows the rows
    const double imported = millisecondsSince(start);

    start = Clock::now();
    const bool written = platform.replaceFile(folder + "\\bench-export.qd", scriptfile::scriptBytes(list));
    const double exported = millisecondsSince(start);
    const auto out = platform.readFile(folder + "\\bench-export.qd");

    std::printf("rows: %d, file: %zu bytes\n", list.rowCount(), bytes.size());
    std::printf("import (read, split, decode, %d rows into the list, shown): %.0f ms\n", rows, imported);
    std::printf("export (encode, write beside, replace): %.0f ms, %s\n", exported,
                written && out == bytes ? "the same bytes" : "DIFFERENT BYTES");
    printPeakMemory();
    DeleteFileW(text::widen(input).c_str());
    DeleteFileW(text::widen(folder + "\\bench-export.qd").c_str());
    form->destroy();
    return 0;
}
