// probe.exe: reads the state of the program's windows from outside, for the end-to-end tests.
// Prints JSON on one line. Control names come from the program's own window definitions: a
// control's identifier is FirstControlId + its index in the definition.
//
//   probe window CAPTION                   the window and all its controls
//   probe wait CAPTION shown|hidden|gone|exists MS
//                                          waits until the window is in that state
//   probe definition CAPTION               the window's definition
//   probe dialogs [CAPTION]                the visible dialog boxes, with their controls
//   probe foreign CAPTION-PART CLASS       another program's control: handle, place, text
//   probe count CAPTION                    how many of the program's windows show that caption
//   probe answers CAPTION MS               waits until the window's thread answers a message
//   probe watch CAPTION CONTROL TEXT MS    prints when it starts watching, then waits until the
//                                          control's text is no longer TEXT; times in
//                                          microseconds of the performance counter
//   probe changed CAPTION CONTROL TEXT MS  waits until the window exists and its control's text
//                                          is no longer TEXT: the milliseconds, and the time
//   probe keys-down                        the virtual keys (mouse buttons included) held down
//   probe popups                           the visible tooltips' texts and popup menus' items
//   probe cursor                           the cursor position
//   probe cursor-handle                    the handle of the cursor's current shape

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "framework/win32/Identifiers.h"
#include "text/win32/WideText.h"
#include "ui/KeyCommandWindowDefinition.h"
#include "ui/MainWindowDefinition.h"
#include "ui/MouseCommandWindowDefinition.h"
#include "JsonText.h"
#include "RemoteBuffer.h"
#include "WindowSearch.h"

using framework::ControlDefinition;
using framework::WindowDefinition;
using framework::win32::FirstControlId;
using framework::win32::FirstToolbarCommand;
using framework::win32::FormClass;
using text::narrow;
using text::widen;

namespace {

// A minimal JSON writer.
class Json {
public:
    Json& open(char bracket) { separate(); out_ += bracket; first_ = true; return *this; }
    Json& close(char bracket) { out_ += bracket; first_ = false; return *this; }
    Json& key(std::string_view k) { separate(); string(k); out_ += ':'; first_ = true; return *this; }
    Json& value(std::string_view v) { separate(); string(v); return *this; }
    Json& value(const char* v) { return value(std::string_view(v)); }
    Json& value(long long v) { separate(); out_ += std::to_string(v); return *this; }
    Json& value(int v) { return value(static_cast<long long>(v)); }
    Json& value(bool v) { separate(); out_ += v ? "true" : "false"; return *this; }
    Json& rect(const RECT& r) {
        open('[').value(static_cast<long long>(r.left)).value(static_cast<long long>(r.top));
        value(static_cast<long long>(r.right - r.left)).value(static_cast<long long>(r.bottom - r.top));
        return close(']');
    }
    const std::string& text() const { return out_; }

private:
    void separate() {
        if (!first_) out_ += ',';
        first_ = false;
    }
    void string(std::string_view s) { out_ += jsonQuoted(s); }
    std::string out_;
    bool first_ = true;
};

const WindowDefinition* definitionByCaption(std::string_view caption) {
    for (const WindowDefinition* d :
         {&ui::mainWindowDefinition(), &ui::mouseCommandWindowDefinition(), &ui::keyCommandWindowDefinition()})
        if (d->caption == caption) return d;
    return nullptr;
}

int print(const Json& json) {
    std::printf("%s\n", json.text().c_str());
    return 0;
}

// A command that found nothing, or whose state did not come in time.
int fail(const char* line) {
    std::puts(line);
    return 1;
}

// The program's window with this caption, visible or not.
HWND findWindow(std::string_view caption) {
    const std::wstring wanted = widen(caption);
    return first(topWindowsWhere([&](HWND w) { return className(w) == FormClass && captionOf(w) == wanted; }));
}

// The name a control has in its window's definition; empty for a window that is not one of its
// controls.
std::string_view controlName(const WindowDefinition* definition, HWND control) {
    const int index = GetDlgCtrlID(control) - FirstControlId;
    if (!definition || index < 0 || index >= static_cast<int>(definition->controls.size())) return {};
    return definition->controls[static_cast<size_t>(index)].name;
}

HWND findControl(std::string_view caption, std::string_view name) {
    const HWND window = findWindow(caption);
    const WindowDefinition* definition = definitionByCaption(caption);
    if (!window || !definition) return nullptr;
    return first(childrenWhere(window, [&](HWND c) { return controlName(definition, c) == name; }));
}

// The rectangle of a window relative to its parent's client area.
RECT placeInParent(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void describeToolbar(Json& json, HWND toolbar) {
    RemoteBuffer buffer(toolbar, 4096);
    const int count = static_cast<int>(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
    json.key("entries").open('[');
    for (int i = 0; i < count; ++i) {
        const int command = FirstToolbarCommand + i;
        json.open('{');
        const LRESULT state = SendMessageW(toolbar, TB_GETSTATE, static_cast<WPARAM>(command), 0);
        json.key("enabled").value((state & TBSTATE_ENABLED) != 0);
        if (buffer.valid()) {
            SendMessageW(toolbar, TB_GETRECT, static_cast<WPARAM>(command), reinterpret_cast<LPARAM>(buffer.at<RECT>(0)));
            RECT r;
            buffer.read(0, &r, sizeof r);
            MapWindowPoints(toolbar, HWND_DESKTOP, reinterpret_cast<POINT*>(&r), 2);
            json.key("screen").rect(r);
            const LRESULT length = SendMessageW(toolbar, TB_GETBUTTONTEXTW, static_cast<WPARAM>(command),
                                                reinterpret_cast<LPARAM>(buffer.at<wchar_t>(64)));
            json.key("text").value(length > 0 ? narrow(buffer.readText(64, static_cast<size_t>(length))) : "");
        }
        json.close('}');
    }
    json.close(']');
}

void describeList(Json& json, HWND list) {
    RemoteBuffer buffer(list, 16384);
    if (!buffer.valid()) return;
    constexpr size_t Text = 1024;
    const HWND header = ListView_GetHeader(list);
    const int columns = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    json.key("columns").open('[');
    for (int c = 0; c < columns; ++c) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.pszText = buffer.at<wchar_t>(Text);
        column.cchTextMax = 256;
        buffer.write(0, &column, sizeof column);
        SendMessageW(list, LVM_GETCOLUMNW, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(buffer.at<LVCOLUMNW>(0)));
        buffer.read(0, &column, sizeof column);
        json.open('{').key("header").value(narrow(buffer.readText(Text, 256)));
        json.key("width").value(column.cx).key("centred").value((column.fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_CENTER);
        json.close('}');
    }
    json.close(']');
    const int rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    json.key("selected").value(static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)));
    json.key("rowRects").open('[');
    for (int r = 0; r < rows && r < 200; ++r) {
        RECT bounds{LVIR_BOUNDS, 0, 0, 0};
        buffer.write(0, &bounds, sizeof bounds);
        SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(r), reinterpret_cast<LPARAM>(buffer.at<RECT>(0)));
        buffer.read(0, &bounds, sizeof bounds);
        MapWindowPoints(list, HWND_DESKTOP, reinterpret_cast<POINT*>(&bounds), 2);
        json.rect(bounds);
    }
    json.close(']');
    json.key("rows").open('[');
    for (int r = 0; r < rows && r < 2000; ++r) {
        json.open('[');
        for (int c = 0; c < columns; ++c) {
            LVITEMW item{};
            item.iSubItem = c;
            item.pszText = buffer.at<wchar_t>(Text);
            item.cchTextMax = 4096;
            buffer.write(0, &item, sizeof item);
            const LRESULT length = SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(r),
                                                reinterpret_cast<LPARAM>(buffer.at<LVITEMW>(0)));
            json.value(narrow(buffer.readText(Text, static_cast<size_t>(length))));
        }
        json.close(']');
    }
    json.close(']');
}

void describeControl(Json& json, HWND window, const WindowDefinition* definition) {
    const std::wstring windowClass = className(window);
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    json.open('{');
    json.key("name").value(controlName(definition, window));
    json.key("class").value(narrow(windowClass));
    json.key("text").value(narrow(windowText(window)));
    const HWND parent = GetParent(window);
    json.key("parent").value(GetAncestor(window, GA_ROOT) != parent ? controlName(definition, parent) : "");
    json.key("place").rect(placeInParent(window));
    RECT screen;
    GetWindowRect(window, &screen);
    json.key("screen").rect(screen);
    json.key("visible").value((style & WS_VISIBLE) != 0);
    json.key("shown").value(IsWindowVisible(window) != FALSE);
    json.key("enabled").value(IsWindowEnabled(window) != FALSE);
    if (windowClass == L"Button") {
        json.key("checked").value(SendMessageW(window, BM_GETCHECK, 0, 0) == BST_CHECKED);
        json.key("groupBox").value((style & BS_TYPEMASK) == BS_GROUPBOX);
    } else if (windowClass == L"ComboBox") {
        json.key("selected").value(static_cast<int>(SendMessageW(window, CB_GETCURSEL, 0, 0)));
        json.key("items").open('[');
        const int count = static_cast<int>(SendMessageW(window, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            wchar_t buffer[256] = {};
            SendMessageW(window, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buffer));
            json.value(narrow(buffer));
        }
        json.close(']');
        json.key("closedHeight").value(static_cast<long long>(screen.bottom - screen.top));
    } else if (windowClass == UPDOWN_CLASSW) {
        const LRESULT range = SendMessageW(window, UDM_GETRANGE, 0, 0);
        json.key("minimum").value(static_cast<int>(static_cast<short>(HIWORD(range))));
        json.key("maximum").value(static_cast<int>(static_cast<short>(LOWORD(range))));
        const HWND buddy = reinterpret_cast<HWND>(SendMessageW(window, UDM_GETBUDDY, 0, 0));
        json.key("buddy").value(controlName(definition, buddy));
    } else if (windowClass == TOOLBARCLASSNAMEW) {
        describeToolbar(json, window);
    } else if (windowClass == WC_LISTVIEWW) {
        describeList(json, window);
    }
    json.close('}');
}

int describeWindow(std::string_view caption) {
    const HWND window = findWindow(caption);
    if (!window) return fail("null");
    RECT outer, client;
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    Json json;
    json.open('{');
    json.key("caption").value(narrow(windowText(window)));
    json.key("pid").value(static_cast<long long>(pid));
    json.key("outer").rect(outer);
    json.key("client").open('[').value(static_cast<long long>(origin.x)).value(static_cast<long long>(origin.y));
    json.value(static_cast<long long>(client.right)).value(static_cast<long long>(client.bottom)).close(']');
    json.key("visible").value(IsWindowVisible(window) != FALSE);
    json.key("foreground").value(GetForegroundWindow() == window);
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    json.key("minimizeBox").value((style & WS_MINIMIZEBOX) != 0);
    json.key("maximizeBox").value((style & WS_MAXIMIZEBOX) != 0);
    json.key("sizable").value((style & WS_THICKFRAME) != 0);
    json.key("dpi").value(static_cast<int>(GetDpiForWindow(window)));
    // Where a person clicks to close the window.
    json.key("closeBox").open('[');
    json.value(static_cast<long long>(outer.right - GetSystemMetrics(SM_CXFIXEDFRAME) - GetSystemMetrics(SM_CXSIZE) / 2 - 1));
    json.value(static_cast<long long>(outer.top + GetSystemMetrics(SM_CYFIXEDFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2));
    json.close(']');
    const WindowDefinition* definition = definitionByCaption(caption);
    json.key("controls").open('[');
    for (HWND child : children(window)) describeControl(json, child, definition);
    json.close(']').close('}');
    return print(json);
}

// The visible dialog boxes (message boxes, the input box, file dialogs) with the caption (any
// caption when empty): their texts and buttons.
int describeDialogs(std::string_view caption) {
    const std::wstring wanted = widen(caption);
    Json json;
    json.open('[');
    for (HWND dialog : visibleOfClass(L"#32770")) {
        if (!wanted.empty() && windowText(dialog) != wanted) continue;
        json.open('{').key("caption").value(narrow(windowText(dialog)));
        RECT outer;
        GetWindowRect(dialog, &outer);
        json.key("outer").rect(outer);
        json.key("controls").open('[');
        for (HWND child : children(dialog)) {
            RECT screen;
            GetWindowRect(child, &screen);
            json.open('{').key("class").value(narrow(className(child))).key("id").value(GetDlgCtrlID(child));
            json.key("text").value(narrow(windowText(child))).key("screen").rect(screen);
            json.key("visible").value(IsWindowVisible(child) != FALSE).close('}');
        }
        json.close(']').close('}');
    }
    json.close(']');
    return print(json);
}

// Another program's control: the first child of the class in a visible window whose caption
// holds the text.
int describeForeign(std::string_view captionPart, std::string_view childClass) {
    const std::wstring part = widen(captionPart), wantedClass = widen(childClass);
    HWND found = nullptr;
    for (HWND window : topWindowsWhere([&](HWND w) { return IsWindowVisible(w) && windowText(w).find(part) != std::wstring::npos; })) {
        found = first(childrenWhere(window, [&](HWND c) { return className(c) == wantedClass; }));
        if (found) break;
    }
    if (!found) return fail("null");
    RECT screen;
    GetWindowRect(found, &screen);
    Json json;
    json.open('{').key("handle").value(static_cast<long long>(reinterpret_cast<std::intptr_t>(found)));
    json.key("screen").rect(screen).key("text").value(narrow(windowText(found))).close('}');
    return print(json);
}

int countWindows(std::string_view caption) {
    const std::wstring wanted = widen(caption);
    std::printf("%zu\n", topWindowsWhere([&](HWND w) {
        return className(w) == FormClass && IsWindowVisible(w) && captionOf(w) == wanted;
    }).size());
    return 0;
}

int describeDefinition(std::string_view caption) {
    const WindowDefinition* definition = definitionByCaption(caption);
    if (!definition) return fail("null");
    Json json;
    json.open('{').key("caption").value(definition->caption);
    json.key("outer").open('[').value(definition->outerSize.width).value(definition->outerSize.height).close(']');
    json.key("minimizeBox").value(definition->minimizeBox).key("visibleAtCreation").value(definition->visibleAtCreation);
    json.key("controls").open('[');
    for (const ControlDefinition& c : definition->controls) {
        json.open('{').key("name").value(c.name).key("kind").value(kindName(c.kind));
        json.key("placed").value(c.hasPlace()).key("container").value(c.container);
        json.key("place").open('[').value(c.place.left).value(c.place.top).value(c.place.width).value(c.place.height).close(']');
        json.key("fullWidth").value(c.fullWidth).key("caption").value(c.caption);
        json.key("visible").value(c.visible).key("enabled").value(c.enabled).key("checked").value(c.checked);
        json.key("spinner").value(c.spinner.has_value()).key("selectedItem").value(c.selectedItem);
        json.key("entries").open('[');
        for (const auto& e : c.entries) json.open('{').key("text").value(e.text).key("tooltip").value(e.tooltip).key("enabled").value(e.enabled).close('}');
        json.close(']');
        json.key("columns").open('[');
        for (const auto& col : c.columns)
            json.open('{').key("header").value(col.header).key("width").value(col.width)
                .key("centred").value(col.alignment == framework::Alignment::Centre).close('}');
        json.close(']');
        json.key("items").open('[');
        for (const auto& item : c.items) json.value(item.text);
        json.close(']');
        json.close('}');
    }
    json.close(']').close('}');
    return print(json);
}

// The wall-clock time in microseconds since 1970, as Python's time.time() counts it: the moment a
// state was reached, for a benchmark that noted when it started the program.
long long unixMicroseconds() {
    FILETIME now;
    GetSystemTimePreciseAsFileTime(&now);
    const long long ticks = static_cast<long long>(now.dwHighDateTime) << 32 | now.dwLowDateTime;
    return (ticks - 116444736000000000LL) / 10;
}

// Tries until the test passes or the milliseconds have passed: the milliseconds it took.
std::optional<DWORD> within(int milliseconds, const std::function<bool()>& passes) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (passes()) return GetTickCount() - start;
        if (GetTickCount() - start > static_cast<DWORD>(milliseconds)) return std::nullopt;
        Sleep(5);
    }
}

int waitFor(std::string_view caption, std::string_view state, int milliseconds) {
    const auto took = within(milliseconds, [&] {
        const HWND window = findWindow(caption);
        return (state == "exists" && window) || (state == "gone" && !window) ||
               (state == "shown" && window && IsWindowVisible(window)) ||
               (state == "hidden" && window && !IsWindowVisible(window));
    });
    if (!took) return fail("{\"reached\":false}");
    std::printf("{\"reached\":true,\"ms\":%lu,\"at\":%lld}\n", *took, unixMicroseconds());
    return 0;
}

// The user-interface thread of the window answers once it waits for messages again (a message
// box's loop counts).
int waitForAnswer(std::string_view caption, int milliseconds) {
    const auto took = within(milliseconds, [&] {
        const HWND window = findWindow(caption);
        DWORD_PTR result = 0;
        return window && SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_BLOCK, 50, &result);
    });
    if (!took) return fail("{\"answered\":false}");
    std::printf("{\"answered\":true,\"ms\":%lu,\"at\":%lld}\n", *took, unixMicroseconds());
    return 0;
}

long long microseconds() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return now.QuadPart * 1000000 / frequency.QuadPart;
}

// The text is read by a message to the window, so a change is seen when the window's thread
// answers with it.
int watchText(std::string_view caption, std::string_view control, std::string_view text, int milliseconds) {
    const HWND found = findControl(caption, control);
    if (!found) return fail("null");
    const std::wstring from = widen(text);
    const long long start = microseconds();
    std::printf("{\"watching\":%lld}\n", start);
    while (microseconds() - start < milliseconds * 1000LL) {
        const auto now = textWithin(found, 10000);
        if (now && *now != from) {
            std::printf("{\"changed\":%lld,\"text\":%s}\n", microseconds(), jsonQuoted(narrow(*now)).c_str());
            return 0;
        }
    }
    return fail("{\"changed\":null}");
}

// As watch, but the window need not exist yet, and in milliseconds of the tick count.
int waitForChange(std::string_view caption, std::string_view control, std::string_view text, int milliseconds) {
    const std::wstring from = widen(text);
    std::optional<std::wstring> now;
    const auto took = within(milliseconds, [&] {
        const HWND found = findControl(caption, control);
        now = found ? textWithin(found, 50) : std::nullopt;
        return now && *now != from;
    });
    if (!took) return fail("{\"changed\":false}");
    std::printf("{\"changed\":true,\"ms\":%lu,\"at\":%lld,\"text\":%s}\n", *took, unixMicroseconds(), jsonQuoted(narrow(*now)).c_str());
    return 0;
}

// The text that a tooltip shows now, asked for in the tooltip's own process.
std::wstring tooltipText(HWND tooltip) {
    RemoteBuffer buffer(tooltip, 4096);
    if (!buffer.valid()) return {};
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    buffer.write(0, &tool, sizeof tool);
    if (!SendMessageW(tooltip, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(buffer.at<TTTOOLINFOW>(0)))) return {};
    buffer.read(0, &tool, sizeof tool);
    tool.lpszText = buffer.at<wchar_t>(1024);
    buffer.write(0, &tool, sizeof tool);
    SendMessageW(tooltip, TTM_GETTEXTW, 1000, reinterpret_cast<LPARAM>(buffer.at<TTTOOLINFOW>(0)));
    return buffer.readText(1024, 1000);
}

// A tooltip's text is its window's; a menu's items are read from its menu (text, and whether
// the item is a separator or greyed).
int describePopups() {
    Json json;
    json.open('{').key("tooltips").open('[');
    for (HWND tooltip : visibleOfClass(TOOLTIPS_CLASSW)) json.value(narrow(tooltipText(tooltip)));
    json.close(']').key("menus").open('[');
    for (HWND window : visibleOfClass(L"#32768")) {
        const auto menu = reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0));
        json.open('[');
        for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
            wchar_t text[256] = {};
            GetMenuStringW(menu, static_cast<UINT>(i), text, 256, MF_BYPOSITION);
            const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
            json.open('{').key("text").value(narrow(text)).key("separator").value((state & MF_SEPARATOR) != 0);
            json.key("enabled").value((state & (MF_GRAYED | MF_DISABLED)) == 0).close('}');
        }
        json.close(']');
    }
    json.close(']').close('}');
    return print(json);
}

int keysDown() {
    Json json;
    json.open('[');
    for (int key = 1; key < 255; ++key)
        if (GetAsyncKeyState(key) & 0x8000) json.value(key);
    json.close(']');
    return print(json);
}

int cursorPosition() {
    POINT p;
    GetCursorPos(&p);
    std::printf("[%ld,%ld]\n", p.x, p.y);
    return 0;
}

int cursorHandle() {
    CURSORINFO info{};
    info.cbSize = sizeof info;
    GetCursorInfo(&info);
    std::printf("%llu\n", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(info.hCursor)));
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(narrow(argv[i]));
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const auto is = [&](std::string_view command, size_t count) { return args.size() == count && args[0] == command; };
    if (is("window", 2)) return describeWindow(args[1]);
    if (is("definition", 2)) return describeDefinition(args[1]);
    if (is("dialogs", 1) || is("dialogs", 2)) return describeDialogs(args.size() == 2 ? args[1] : "");
    if (is("wait", 4)) return waitFor(args[1], args[2], std::stoi(args[3]));
    if (is("watch", 5)) return watchText(args[1], args[2], args[3], std::stoi(args[4]));
    if (is("changed", 5)) return waitForChange(args[1], args[2], args[3], std::stoi(args[4]));
    if (is("keys-down", 1)) return keysDown();
    if (is("popups", 1)) return describePopups();
    if (is("answers", 3)) return waitForAnswer(args[1], std::stoi(args[2]));
    if (is("foreign", 3)) return describeForeign(args[1], args[2]);
    if (is("count", 2)) return countWindows(args[1]);
    if (is("cursor", 1)) return cursorPosition();
    if (is("cursor-handle", 1)) return cursorHandle();
    std::fputs("usage: probe window|definition|wait|dialogs|answers|watch|changed|keys-down|popups|foreign|count|cursor|cursor-handle ...\n", stderr);
    return 2;
}
