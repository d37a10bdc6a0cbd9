// bench-list.exe: the real main window's command list under load. Adds rows one by one
// through createRow, deletes them one by one from the top, and times each phase and how long
// the window takes to answer (a repaint, a jump to the last row, a selection) at full size.
//
//   bench-list [ROWS]

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>

#include "BenchSupport.h"
#include "WindowSearch.h"
#include "commands/CommandList.h"
#include "framework/win32/Win32Form.h"
#include "framework/win32/Win32WindowSystem.h"
#include "ui/MainWindowDefinition.h"

namespace {

using bench::Clock;
using bench::millisecondsSince;
using bench::pumpMessages;

HWND findList(HWND window) {
    return first(childrenWhere(window, [](HWND child) { return className(child) == WC_LISTVIEWW; }));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int rows = argc > 1 ? _wtoi(argv[1]) : 10000;
    const int pumpEvery = argc > 2 ? _wtoi(argv[2]) : 100;  // rows between two rounds of messages
    framework::win32::Win32WindowSystem windows(GetModuleHandleW(nullptr));
    auto form = windows.createForm(ui::mainWindowDefinition());
    form->open();
    pumpMessages();
    commands::CommandList list(form->rows(ui::main_window::超级列表框_鼠标命令.name));

    auto start = Clock::now();
    for (int i = 0; i < rows; ++i) {
        list.createRow(-1, "鼠标", {std::to_string(i), std::to_string(i * 2), "左键单击", "100", "*"});
        if (i % pumpEvery == 0) pumpMessages();
    }
    pumpMessages();
    const double added = millisecondsSince(start);

    const HWND window = static_cast<framework::win32::Win32Form&>(*form).handle();
    const HWND listView = findList(window);
    auto timed = [](auto action) {
        const auto begin = Clock::now();
        action();
        return millisecondsSince(begin);
    };
    auto repaint = [window] { RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW); };
    const double repainted = timed(repaint);
    const double jumped = timed([&] {
        ListView_EnsureVisible(listView, rows - 1, FALSE);
        repaint();
    });
    const double selected = timed([&] {
        form->rows(ui::main_window::超级列表框_鼠标命令.name).select(rows - 1);
        repaint();
    });

    start = Clock::now();
    for (int i = 0; i < rows; ++i) {
        list.deleteRow(0);
        if (i % pumpEvery == 0) pumpMessages();
    }
    pumpMessages();
    const double deleted = millisecondsSince(start);

    std::printf("rows: %d\n", rows);
    std::printf("add one by one through createRow: %.0f ms (%.1f us a row)\n", added, added * 1000 / rows);
    std::printf("full repaint at %d rows: %.1f ms\n", rows, repainted);
    std::printf("scroll to the last row and repaint: %.1f ms\n", jumped);
    std::printf("select the last row and repaint: %.1f ms\n", selected);
    std::printf("delete one by one from the top: %.0f ms (%.1f us a row)\n", deleted, deleted * 1000 / rows);
    std::printf("rows left: %d\n", list.rowCount());
    form->destroy();
    return 0;
}
