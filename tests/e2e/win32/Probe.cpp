// probe.exe: reads the state of the program's windows from outside, for the end-to-end tests.
// Prints JSON on one line. Control names come from the program's own window definitions: a
// control's identifier is 100 + its index in the definition.
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
#include <string>
#include <vector>

#include "text/win32/WideText.h"
#include "ui/KeyCommandWindowDefinition.h"
#include "ui/MainWindowDefinition.h"
#include "ui/MouseCommandWindowDefinition.h"
#include "utils/ScopedWin.h"
#include "JsonText.h"

using framework::ControlDefinition;
using framework::ControlKind;
using framework::WindowDefinition;
using text::narrow;
using text::widen;

namespace {

constexpr int FirstControlId = 100;
constexpr int FirstToolbarCommand = 1000;

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

// Memory in the program's process, for the messages of common controls that take pointers.
class RemoteBuffer {
public:
    RemoteBuffer(HWND window, size_t size) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        process_.reset(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid));
        if (process_) address_ = VirtualAllocEx(process_.get(), nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    }
    ~RemoteBuffer() {
        if (address_) VirtualFreeEx(process_.get(), address_, 0, MEM_RELEASE);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    bool valid() const { return address_ != nullptr; }
    template <class T>
    T* at(size_t offset) const { return reinterpret_cast<T*>(static_cast<char*>(address_) + offset); }
    void write(size_t offset, const void* data, size_t size) const {
        WriteProcessMemory(process_.get(), static_cast<char*>(address_) + offset, data, size, nullptr);
    }
    void read(size_t offset, void* data, size_t size) const {
        ReadProcessMemory(process_.get(), static_cast<char*>(address_) + offset, data, size, nullptr);
    }
    std::wstring readText(size_t offset, size_t characters) const {
        std::wstring text(characters, L'\0');
        read(offset, text.data(), characters * sizeof(wchar_t));
        return text.c_str();
    }

private:
    utils::ScopedHandle process_;
    void* address_ = nullptr;
};

const WindowDefinition* definitionByCaption(std::string_view caption) {
    for (const WindowDefinition* d :
         {&ui::mainWindowDefinition(), &ui::mouseCommandWindowDefinition(), &ui::keyCommandWindowDefinition()})
        if (d->caption == caption) return d;
    return nullptr;
}

std::wstring windowText(HWND window) {
    wchar_t buffer[4096];
    const int length = static_cast<int>(SendMessageW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buffer)));
    return std::wstring(buffer, static_cast<size_t>(length > 0 ? length : 0));
}

std::wstring className(HWND window) {
    wchar_t buffer[256];
    const int length = GetClassNameW(window, buffer, 256);
    return std::wstring(buffer, static_cast<size_t>(length));
}

// A top-level window's caption, read without a message: a window that hangs does not hold the probe.
std::wstring captionOf(HWND window) {
    wchar_t buffer[512];
    const int length = GetWindowTextW(window, buffer, 512);
    return std::wstring(buffer, static_cast<size_t>(length > 0 ? length : 0));
}

struct FindByCaption {
    std::wstring caption;
    HWND found = nullptr;
};

BOOL CALLBACK findByCaption(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<FindByCaption*>(parameter);
    if (className(window) == L"LandouForm" && captionOf(window) == search->caption) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND findWindow(std::string_view caption) {
    FindByCaption search{widen(caption)};
    EnumWindows(findByCaption, reinterpret_cast<LPARAM>(&search));
    return search.found;
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
    const int id = GetDlgCtrlID(window);
    const int index = id - FirstControlId;
    const ControlDefinition* control =
        definition && index >= 0 && index < static_cast<int>(definition->controls.size()) ? &definition->controls[static_cast<size_t>(index)] : nullptr;
    const std::wstring windowClass = className(window);
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    json.open('{');
    json.key("name").value(control ? control->name : "");
    json.key("class").value(narrow(windowClass));
    json.key("text").value(narrow(windowText(window)));
    const HWND parent = GetParent(window);
    const int parentIndex = GetDlgCtrlID(parent) - FirstControlId;
    json.key("parent").value(definition && GetAncestor(window, GA_ROOT) != parent && parentIndex >= 0 &&
                                     parentIndex < static_cast<int>(definition->controls.size())
                                 ? definition->controls[static_cast<size_t>(parentIndex)].name
                                 : "");
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
        RECT closed;
        GetWindowRect(window, &closed);
        json.key("closedHeight").value(static_cast<long long>(closed.bottom - closed.top));
    } else if (windowClass == UPDOWN_CLASSW) {
        const LRESULT range = SendMessageW(window, UDM_GETRANGE, 0, 0);
        json.key("minimum").value(static_cast<int>(static_cast<short>(HIWORD(range))));
        json.key("maximum").value(static_cast<int>(static_cast<short>(LOWORD(range))));
        const HWND buddy = reinterpret_cast<HWND>(SendMessageW(window, UDM_GETBUDDY, 0, 0));
        const int buddyIndex = GetDlgCtrlID(buddy) - FirstControlId;
        json.key("buddy").value(definition && buddyIndex >= 0 && buddyIndex < static_cast<int>(definition->controls.size())
                                    ? definition->controls[static_cast<size_t>(buddyIndex)].name
                                    : "");
    } else if (windowClass == TOOLBARCLASSNAMEW) {
        describeToolbar(json, window);
    } else if (windowClass == WC_LISTVIEWW) {
        describeList(json, window);
    }
    json.close('}');
}

struct Children {
    std::vector<HWND> windows;
};

BOOL CALLBACK collectChild(HWND window, LPARAM parameter) {
    reinterpret_cast<Children*>(parameter)->windows.push_back(window);
    return TRUE;
}

int describeWindow(std::string_view caption) {
    const HWND window = findWindow(caption);
    Json json;
    if (!window) {
        std::puts("null");
        return 1;
    }
    const WindowDefinition* definition = definitionByCaption(caption);
    RECT outer, client;
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
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
    Children children;
    EnumChildWindows(window, collectChild, reinterpret_cast<LPARAM>(&children));
    json.key("controls").open('[');
    for (HWND child : children.windows) describeControl(json, child, definition);
    json.close(']');
    json.close('}');
    std::printf("%s\n", json.text().c_str());
    return 0;
}

struct DialogSearch {
    std::wstring caption;
    std::vector<HWND> found;
};

BOOL CALLBACK findDialog(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<DialogSearch*>(parameter);
    if (className(window) == L"#32770" && IsWindowVisible(window) &&
        (search->caption.empty() || windowText(window) == search->caption))
        search->found.push_back(window);
    return TRUE;
}

// The visible dialog boxes (message boxes, the input box, file dialogs) with the caption (any
// caption when empty): their texts and buttons.
int describeDialogs(std::string_view caption) {
    DialogSearch search{widen(caption), {}};
    EnumWindows(findDialog, reinterpret_cast<LPARAM>(&search));
    Json json;
    json.open('[');
    for (HWND dialog : search.found) {
        json.open('{').key("caption").value(narrow(windowText(dialog)));
        RECT outer;
        GetWindowRect(dialog, &outer);
        json.key("outer").rect(outer);
        Children children;
        EnumChildWindows(dialog, collectChild, reinterpret_cast<LPARAM>(&children));
        json.key("controls").open('[');
        for (HWND child : children.windows) {
            RECT screen;
            GetWindowRect(child, &screen);
            json.open('{').key("class").value(narrow(className(child))).key("id").value(GetDlgCtrlID(child));
            json.key("text").value(narrow(windowText(child))).key("screen").rect(screen);
            json.key("visible").value(IsWindowVisible(child) != FALSE).close('}');
        }
        json.close(']').close('}');
    }
    json.close(']');
    std::printf("%s\n", json.text().c_str());
    return 0;
}

struct ForeignSearch {
    std::wstring captionPart;
    std::wstring childClass;
    HWND found = nullptr;
};

BOOL CALLBACK findForeignChild(HWND child, LPARAM parameter) {
    auto* search = reinterpret_cast<ForeignSearch*>(parameter);
    if (className(child) != search->childClass) return TRUE;
    search->found = child;
    return FALSE;
}

BOOL CALLBACK findForeign(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<ForeignSearch*>(parameter);
    if (!IsWindowVisible(window) || windowText(window).find(search->captionPart) == std::wstring::npos) return TRUE;
    EnumChildWindows(window, findForeignChild, parameter);
    return search->found == nullptr;
}

// Another program's control: the first child of the class in a visible window whose caption
// holds the text.
int describeForeign(std::string_view captionPart, std::string_view childClass) {
    ForeignSearch search{widen(captionPart), widen(childClass)};
    EnumWindows(findForeign, reinterpret_cast<LPARAM>(&search));
    if (!search.found) {
        std::puts("null");
        return 1;
    }
    RECT screen;
    GetWindowRect(search.found, &screen);
    Json json;
    json.open('{').key("handle").value(static_cast<long long>(reinterpret_cast<std::intptr_t>(search.found)));
    json.key("screen").rect(screen).key("text").value(narrow(windowText(search.found))).close('}');
    std::printf("%s\n", json.text().c_str());
    return 0;
}

struct CaptionCount {
    std::wstring caption;
    int count = 0;
};

BOOL CALLBACK countByCaption(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<CaptionCount*>(parameter);
    if (className(window) == L"LandouForm" && IsWindowVisible(window) && captionOf(window) == search->caption) ++search->count;
    return TRUE;
}

int describeDefinition(std::string_view caption) {
    const WindowDefinition* definition = definitionByCaption(caption);
    if (!definition) {
        std::puts("null");
        return 1;
    }
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
    std::printf("%s\n", json.text().c_str());
    return 0;
}

// The wall-clock time in microseconds since 1970, as Python's time.time() counts it: the moment a
// state was reached, for a benchmark that noted when it started the program.
long long unixMicroseconds() {
    FILETIME now;
    GetSystemTimePreciseAsFileTime(&now);
    const long long ticks = static_cast<long long>(now.dwHighDateTime) << 32 | now.dwLowDateTime;
    return (ticks - 116444736000000000LL) / 10;
}

int waitFor(std::string_view caption, std::string_view state, int milliseconds) {
    const DWORD start = GetTickCount();
    for (;;) {
        const HWND window = findWindow(caption);
        const bool reached = (state == "exists" && window) || (state == "gone" && !window) ||
                             (state == "shown" && window && IsWindowVisible(window)) ||
                             (state == "hidden" && window && !IsWindowVisible(window));
        if (reached) {
            std::printf("{\"reached\":true,\"ms\":%lu,\"at\":%lld}\n", GetTickCount() - start, unixMicroseconds());
            return 0;
        }
        if (GetTickCount() - start > static_cast<DWORD>(milliseconds)) {
            std::puts("{\"reached\":false}");
            return 1;
        }
        Sleep(5);
    }
}

// The user-interface thread of the window answers once it waits for messages again (a message
// box's loop counts).
int waitForAnswer(std::string_view caption, int milliseconds) {
    const DWORD start = GetTickCount();
    for (;;) {
        const HWND window = findWindow(caption);
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed > static_cast<DWORD>(milliseconds)) {
            std::puts("{\"answered\":false}");
            return 1;
        }
        DWORD_PTR result = 0;
        if (window && SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_BLOCK, 50, &result)) {
            std::printf("{\"answered\":true,\"ms\":%lu,\"at\":%lld}\n", GetTickCount() - start, unixMicroseconds());
            return 0;
        }
        if (!window) Sleep(5);
    }
}

long long microseconds() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return now.QuadPart * 1000000 / frequency.QuadPart;
}

struct ControlSearch {
    const WindowDefinition* definition;
    std::string_view name;
    HWND found = nullptr;
};

BOOL CALLBACK findControl(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<ControlSearch*>(parameter);
    const int index = GetDlgCtrlID(window) - FirstControlId;
    if (index >= 0 && index < static_cast<int>(search->definition->controls.size()) &&
        search->definition->controls[static_cast<size_t>(index)].name == search->name) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// The text is read by a message to the window, so a change is seen when the window's thread
// answers with it.
int watchText(std::string_view caption, std::string_view control, std::string_view text, int milliseconds) {
    const HWND window = findWindow(caption);
    const WindowDefinition* definition = definitionByCaption(caption);
    ControlSearch search{definition, control};
    if (window && definition) EnumChildWindows(window, findControl, reinterpret_cast<LPARAM>(&search));
    if (!search.found) {
        std::puts("null");
        return 1;
    }
    const std::wstring from = widen(text);
    const long long start = microseconds();
    std::printf("{\"watching\":%lld}\n", start);
    while (microseconds() - start < milliseconds * 1000LL) {
        wchar_t buffer[256] = {};
        DWORD_PTR length = 0;
        if (SendMessageTimeoutW(search.found, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(buffer), SMTO_BLOCK, 10000, &length) &&
            from != buffer) {
            std::printf("{\"changed\":%lld,\"text\":%s}\n", microseconds(), jsonQuoted(narrow(buffer)).c_str());
            return 0;
        }
    }
    std::puts("{\"changed\":null}");
    return 1;
}

int waitForChange(std::string_view caption, std::string_view control, std::string_view text, int milliseconds) {
    const DWORD start = GetTickCount();
    const std::wstring from = widen(text);
    while (GetTickCount() - start <= static_cast<DWORD>(milliseconds)) {
        const HWND window = findWindow(caption);
        const WindowDefinition* definition = definitionByCaption(caption);
        ControlSearch search{definition, control};
        if (window && definition) EnumChildWindows(window, findControl, reinterpret_cast<LPARAM>(&search));
        wchar_t buffer[256] = {};
        DWORD_PTR length = 0;
        if (search.found &&
            SendMessageTimeoutW(search.found, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(buffer), SMTO_BLOCK, 50, &length) &&
            from != buffer) {
            std::printf("{\"changed\":true,\"ms\":%lu,\"at\":%lld,\"text\":%s}\n", GetTickCount() - start, unixMicroseconds(),
                        jsonQuoted(narrow(buffer)).c_str());
            return 0;
        }
        Sleep(5);
    }
    std::puts("{\"changed\":false}");
    return 1;
}

struct Popups {
    std::vector<HWND> tooltips, menus;
};

BOOL CALLBACK findPopup(HWND window, LPARAM parameter) {
    auto* popups = reinterpret_cast<Popups*>(parameter);
    if (!IsWindowVisible(window)) return TRUE;
    const std::wstring name = className(window);
    if (name == TOOLTIPS_CLASSW) popups->tooltips.push_back(window);
    if (name == L"#32768") popups->menus.push_back(window);
    return TRUE;
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
    Popups popups;
    EnumWindows(findPopup, reinterpret_cast<LPARAM>(&popups));
    Json json;
    json.open('{').key("tooltips").open('[');
    for (HWND tooltip : popups.tooltips) json.value(narrow(tooltipText(tooltip)));
    json.close(']').key("menus").open('[');
    for (HWND window : popups.menus) {
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
    std::printf("%s\n", json.text().c_str());
    return 0;
}

int keysDown() {
    Json json;
    json.open('[');
    for (int key = 1; key < 255; ++key)
        if (GetAsyncKeyState(key) & 0x8000) json.value(key);
    json.close(']');
    std::printf("%s\n", json.text().c_str());
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(narrow(argv[i]));
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    if (args.size() == 2 && args[0] == "window") return describeWindow(args[1]);
    if (args.size() == 2 && args[0] == "definition") return describeDefinition(args[1]);
    if (args.size() <= 2 && !args.empty() && args[0] == "dialogs") return describeDialogs(args.size() == 2 ? args[1] : "");
    if (args.size() == 4 && args[0] == "wait") return waitFor(args[1], args[2], std::stoi(args[3]));
    if (args.size() == 5 && args[0] == "watch") return watchText(args[1], args[2], args[3], std::stoi(args[4]));
    if (args.size() == 5 && args[0] == "changed") return waitForChange(args[1], args[2], args[3], std::stoi(args[4]));
    if (args.size() == 1 && args[0] == "keys-down") return keysDown();
    if (args.size() == 1 && args[0] == "popups") return describePopups();
    if (args.size() == 3 && args[0] == "answers") return waitForAnswer(args[1], std::stoi(args[2]));
    if (args.size() == 3 && args[0] == "foreign") return describeForeign(args[1], args[2]);
    if (args.size() == 2 && args[0] == "count") {
        CaptionCount search{widen(args[1])};
        EnumWindows(countByCaption, reinterpret_cast<LPARAM>(&search));
        std::printf("%d\n", search.count);
        return 0;
    }
    if (args.size() == 1 && args[0] == "cursor") {
        POINT p;
        GetCursorPos(&p);
        std::printf("[%ld,%ld]\n", p.x, p.y);
        return 0;
    }
    if (args.size() == 1 && args[0] == "cursor-handle") {
        CURSORINFO info{};
        info.cbSize = sizeof info;
        GetCursorInfo(&info);
        std::printf("%llu\n", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(info.hCursor)));
        return 0;
    }
    std::fputs("usage: probe window|definition|wait|dialogs|answers|watch|changed|keys-down|popups|foreign|count|cursor|cursor-handle ...\n", stderr);
    return 2;
}
