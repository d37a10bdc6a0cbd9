#include "framework/win32/Win32Form.h"

#include <commctrl.h>
#include <commdlg.h>

#include <stdexcept>
#include <utility>

#include "framework/IntegerInput.h"
#include "framework/win32/Shell.h"
#include "framework/win32/Win32WindowSystem.h"
#include "text/win32/WideText.h"

namespace framework::win32 {

using text::narrow;
using text::widen;
namespace {

constexpr wchar_t kFormClass[] = L"LandouForm";
constexpr wchar_t kContainerClass[] = L"LandouContainer";
constexpr int kFirstControlId = 100;
constexpr int kFirstToolbarCommand = 1000;
constexpr int kFirstMenuCommand = 1;
constexpr int kDropDownListHeight = 200;
constexpr UINT kShowRowCounts = WM_APP + 1;

std::wstring windowText(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring hyperlinkMarkup(std::string_view caption, std::string_view target) {
    return L"<a href=\"" + widen(target) + L"\">" + widen(caption) + L"</a>";
}

// SimSun with letters of the given height, whose lines are then as high (as the layouts of
// long texts assume); where another typeface stands in with taller lines, it is made smaller
// until its lines are no higher than that.
HFONT fontWithLineHeight(int lineHeight) {
    LOGFONTW face{};
    lstrcpynW(face.lfFaceName, L"SimSun", LF_FACESIZE);
    face.lfCharSet = GB2312_CHARSET;
    face.lfWeight = FW_NORMAL;
    HDC screen = GetDC(nullptr);
    HFONT font = nullptr;
    for (int asked = -lineHeight; asked != 0; asked = asked < 0 ? lineHeight : asked - 1) {
        if (font) DeleteObject(font);
        face.lfHeight = asked;  // negative: the letters' height; positive: the lines'
        font = CreateFontIndirectW(&face);
        const HGDIOBJ previous = SelectObject(screen, font);
        TEXTMETRICW metrics{};
        GetTextMetricsW(screen, &metrics);
        SelectObject(screen, previous);
        if (metrics.tmHeight <= lineHeight) break;
    }
    ReleaseDC(nullptr, screen);
    return font;
}

void applyFont(HWND window, HFONT font) {
    if (window) SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

}  // namespace

void Win32Form::registerWindowClasses(HINSTANCE instance) {
    WNDCLASSEXW form{};
    form.cbSize = sizeof(form);
    form.lpfnWndProc = formProcedure;
    form.hInstance = instance;
    form.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    form.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    form.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                 GetSystemMetrics(SM_CYSMICON), 0));
    form.lpszClassName = kFormClass;
    RegisterClassExW(&form);

    WNDCLASSEXW container{};
    container.cbSize = sizeof(container);
    container.lpfnWndProc = containerProcedure;
    container.hInstance = instance;
    container.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    container.lpszClassName = kContainerClass;
    RegisterClassExW(&container);
}

Win32Form::Win32Form(Win32WindowSystem& system, const WindowDefinition& definition)
    : system_(system), definition_(definition) {
    controls_.reserve(definition.controls.size());
    for (const ControlDefinition& d : definition.controls) {
        Control c;
        c.definition = &d;
        c.index = static_cast<int>(controls_.size());
        c.position = {d.place.left, d.place.top};
        c.text = d.caption;
        for (const Entry& e : d.entries) c.entryEnabled.push_back(e.enabled);
        controls_.push_back(std::move(c));
    }
    createWindow();
    createFonts();
    centreOnScreen();
    for (Control& c : controls_) createControl(c);
    system_.formCreated(*this);
}

Win32Form::~Win32Form() {
    windowHandlers_.clear();
    for (Control& c : controls_) c.handlers.clear();
    allowClose_ = nullptr;
    if (window_) DestroyWindow(window_);
    for (Control& c : controls_)
        if (c.menu) DestroyMenu(c.menu);
    if (font_) DeleteObject(font_);
    if (linkFont_) DeleteObject(linkFont_);
    if (lineFont_) DeleteObject(lineFont_);
    if (images_) ImageList_Destroy(images_);
}

void Win32Form::createWindow() {
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    if (definition_.minimizeBox) style |= WS_MINIMIZEBOX;
    window_ = CreateWindowExW(WS_EX_CONTROLPARENT, kFormClass, widen(definition_.caption).c_str(), style, CW_USEDEFAULT,
                              CW_USEDEFAULT, 100, 100, nullptr, nullptr, system_.instance(), this);
    if (!window_) throw std::runtime_error("cannot create window " + std::string(definition_.name));
    dpi_ = GetDpiForWindow(window_);
    background_ = definition_.whiteBackground ? static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))
                                              : GetSysColorBrush(COLOR_BTNFACE);
}

void Win32Form::createFonts() {
    if (font_) DeleteObject(font_);
    if (linkFont_) DeleteObject(linkFont_);
    if (lineFont_) DeleteObject(lineFont_);
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi_);
    font_ = CreateFontIndirectW(&metrics.lfMessageFont);
    LOGFONTW link = metrics.lfMessageFont;
    link.lfHeight = -scale(12);
    link.lfWeight = FW_NORMAL;
    link.lfUnderline = TRUE;
    link.lfCharSet = GB2312_CHARSET;
    linkFont_ = CreateFontIndirectW(&link);
    lineFont_ = fontWithLineHeight(scale(12));
}

HFONT Win32Form::fontOf(const Control& c) const {
    if (c.definition->linkStyle) return linkFont_;
    return c.definition->twelvePixelLines ? lineFont_ : font_;
}

void Win32Form::centreOnScreen() {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    const int width = scale(definition_.outerSize.width);
    const int height = scale(definition_.outerSize.height);
    SetWindowPos(window_, nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND Win32Form::parentWindow(const Control& control) const {
    if (control.definition->container.empty()) return window_;
    return find(control.definition->container).window;
}

void Win32Form::createControl(Control& c) {
    const ControlDefinition& d = *c.definition;
    const HWND parent = parentWindow(c);
    const HINSTANCE instance = system_.instance();
    const auto id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + c.index));
    const DWORD base = WS_CHILD | WS_CLIPSIBLINGS | (d.visible ? WS_VISIBLE : 0) | (d.enabled ? 0 : WS_DISABLED);
    const std::wstring caption = widen(d.caption);
    auto make = [&](DWORD exStyle, const wchar_t* windowClass, const std::wstring& text, DWORD style) {
        return CreateWindowExW(exStyle, windowClass, text.c_str(), base | style, 0, 0, 0, 0, parent, id, instance, this);
    };

    switch (d.kind) {
        case ControlKind::Toolbar: createToolbar(c, parent); break;
        case ControlKind::GroupBox:
            c.window = make(WS_EX_CONTROLPARENT, kContainerClass, caption, 0);
            c.frame = CreateWindowExW(0, L"BUTTON", caption.c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | BS_GROUPBOX,
                                      0, 0, 0, 0, c.window, nullptr, instance, nullptr);
            break;
        case ControlKind::ReportList: createReportList(c, parent); break;
        case ControlKind::Button: c.window = make(0, L"BUTTON", caption, WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE); break;
        case ControlKind::Edit:
            c.window = make(0, L"EDIT", caption, WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL);
            SendMessageW(c.window, EM_SETLIMITTEXT, 0, 0);
            SetWindowSubclass(c.window, controlSubclass, static_cast<UINT_PTR>(c.index), reinterpret_cast<DWORD_PTR>(this));
            if (d.spinner) {
                c.spinner = CreateWindowExW(0, UPDOWN_CLASSW, L"",
                                            WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS |
                                                UDS_NOTHOUSANDS,
                                            0, 0, 0, 0, parent, nullptr, instance, nullptr);
                SendMessageW(c.spinner, UDM_SETRANGE32, static_cast<WPARAM>(d.spinner->minimum),
                             static_cast<LPARAM>(d.spinner->maximum));
            }
            break;
        case ControlKind::CheckBox:
            c.window = make(0, L"BUTTON", caption, WS_TABSTOP | BS_AUTOCHECKBOX);
            SendMessageW(c.window, BM_SETCHECK, d.checked ? BST_CHECKED : BST_UNCHECKED, 0);
            break;
        case ControlKind::DropDownList: createDropDownList(c, parent); break;
        case ControlKind::TransparentLabel:
        case ControlKind::Label:
            // A link takes the mouse (for its hand cursor) even before it has a handler.
            c.window = make(0, L"STATIC", caption, SS_LEFT | SS_NOPREFIX | (d.linkStyle ? SS_NOTIFY : 0));
            SetWindowSubclass(c.window, controlSubclass, static_cast<UINT_PTR>(c.index), reinterpret_cast<DWORD_PTR>(this));
            break;
        case ControlKind::Hyperlink: c.window = make(0, WC_LINK, hyperlinkMarkup(d.caption, d.target), WS_TABSTOP); break;
        case ControlKind::HtmlViewer: c.window = make(0, kContainerClass, L"", 0); break;
        case ControlKind::Menu: createMenu(c); break;
        case ControlKind::FileDialog:
        case ControlKind::Timer:
        case ControlKind::InvisibleLabel: break;
    }
    if (!c.window) return;
    byWindow_[c.window] = static_cast<size_t>(c.index);
    applyFont(c.window, fontOf(c));
    applyFont(c.frame, font_);
    // Later controls go behind earlier ones (the tab order), except those drawn on top.
    SetWindowPos(c.window, d.overlay ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    // A container's frame stays behind everything the container holds.
    if (c.frame) SetWindowPos(c.frame, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (!d.container.empty())
        SetWindowPos(find(d.container).frame, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    place(c);
}

void Win32Form::createToolbar(Control& c, HWND parent) {
    const ControlDefinition& d = *c.definition;
    c.window = CreateWindowExW(0, TOOLBARCLASSNAMEW, L"",
                               WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_LIST | TBSTYLE_TOOLTIPS |
                                   CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN,
                               0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + c.index)),
                               system_.instance(), nullptr);
    SendMessageW(c.window, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    loadToolbarImages(c);

    std::vector<std::wstring> texts;
    texts.reserve(d.entries.size());
    std::vector<TBBUTTON> buttons;
    int image = 0;
    for (size_t i = 0; i < d.entries.size(); ++i) {
        const Entry& e = d.entries[i];
        TBBUTTON b{};
        b.idCommand = kFirstToolbarCommand + static_cast<int>(i);
        if (e.isSeparator()) {
            b.fsStyle = BTNS_SEP;
            b.iBitmap = scale(6);  // a separator's width
        } else {
            texts.push_back(widen(e.text));
            b.iBitmap = image++;
            b.fsState = e.enabled ? TBSTATE_ENABLED : 0;
            b.fsStyle = BTNS_BUTTON | BTNS_AUTOSIZE;
            b.iString = reinterpret_cast<INT_PTR>(texts.back().c_str());
        }
        buttons.push_back(b);
    }
    SendMessageW(c.window, TB_SETPADDING, 0, MAKELPARAM(scale(5), scale(6)));
    SendMessageW(c.window, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
}

// The strip of images, drawn at the form's DPI; replaces the ones loaded before.
void Win32Form::loadToolbarImages(Control& toolbar) {
    const int imageSize = scale(16);
    const HIMAGELIST previous = images_;
    images_ = ImageList_Create(imageSize, imageSize, ILC_COLOR32 | ILC_MASK, 9, 0);
    if (const auto strip = static_cast<HBITMAP>(LoadImageW(system_.instance(), widen(toolbar.definition->images).c_str(),
                                                           IMAGE_BITMAP, imageSize * 9, imageSize, 0))) {
        ImageList_AddMasked(images_, strip, RGB(255, 0, 255));
        DeleteObject(strip);
    }
    SendMessageW(toolbar.window, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_));
    if (previous) ImageList_Destroy(previous);
}

void Win32Form::createReportList(Control& c, HWND parent) {
    const ControlDefinition& d = *c.definition;
    c.window = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                               WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_OWNERDATA,
                               0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + c.index)),
                               system_.instance(), nullptr);
    ListView_SetExtendedListViewStyle(c.window, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER);
    for (size_t i = 0; i < d.columns.size(); ++i) {
        std::wstring header = widen(d.columns[i].header);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.fmt = d.columns[i].alignment == Alignment::Centre ? LVCFMT_CENTER : LVCFMT_LEFT;
        column.cx = scale(d.columns[i].width);
        column.pszText = header.data();
        SendMessageW(c.window, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
    c.rows = std::make_unique<ReportRows>(static_cast<int>(d.columns.size()));
    c.rows->setListener([this, &c](ReportRows::Change change, int row) { onRowsChanged(c, change, row); });
}

void Win32Form::createDropDownList(Control& c, HWND parent) {
    const ControlDefinition& d = *c.definition;
    c.window = CreateWindowExW(0, WC_COMBOBOXW, L"",
                               WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST |
                                   (d.visible ? WS_VISIBLE : 0),
                               0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + c.index)),
                               system_.instance(), nullptr);
    for (const DropDownItem& item : d.items) {
        const auto at = SendMessageW(c.window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(item.text).c_str()));
        SendMessageW(c.window, CB_SETITEMDATA, static_cast<WPARAM>(at), item.value);
    }
    SendMessageW(c.window, CB_SETCURSEL, static_cast<WPARAM>(d.selectedItem), 0);
}

void Win32Form::createMenu(Control& c) {
    c.menu = CreatePopupMenu();
    for (size_t i = 0; i < c.definition->entries.size(); ++i) {
        const Entry& e = c.definition->entries[i];
        if (e.isSeparator())
            AppendMenuW(c.menu, MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuW(c.menu, MF_STRING | (e.enabled ? MF_ENABLED : MF_GRAYED), kFirstMenuCommand + i, widen(e.text).c_str());
    }
}

void Win32Form::place(Control& c) {
    if (!c.window) return;
    const ControlDefinition& d = *c.definition;
    int width = scale(d.place.width);
    int height = scale(d.place.height);
    if (d.fullWidth) {
        RECT client;
        GetClientRect(window_, &client);
        width = client.right;
    }
    if (d.kind == ControlKind::DropDownList) {
        // The closed box is the given height: fit the selection field to it.
        SetWindowPos(c.window, nullptr, 0, 0, width, height + scale(kDropDownListHeight), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        for (int attempt = 0; attempt < 3; ++attempt) {
            RECT closed;
            GetWindowRect(c.window, &closed);
            const LONG difference = height - (closed.bottom - closed.top);
            if (difference == 0) break;
            const auto field = SendMessageW(c.window, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
            SendMessageW(c.window, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field + difference);
        }
        height += scale(kDropDownListHeight);
    }
    SetWindowPos(c.window, nullptr, scale(c.position.x), scale(c.position.y), width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    if (c.frame) SetWindowPos(c.frame, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    if (c.spinner) SendMessageW(c.spinner, UDM_SETBUDDY, reinterpret_cast<WPARAM>(c.window), 0);
    if (c.browser) c.browser->fit();
}

void Win32Form::placeAll() {
    for (Control& c : controls_) place(c);
}

void Win32Form::onDpiChanged(UINT dpi, const RECT& suggested) {
    dpi_ = dpi;
    createFonts();
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    for (Control& c : controls_) {
        applyFont(c.window, fontOf(c));
        applyFont(c.frame, font_);
        if (c.definition->kind == ControlKind::ReportList)
            for (size_t i = 0; i < c.definition->columns.size(); ++i)
                ListView_SetColumnWidth(c.window, static_cast<int>(i), scale(c.definition->columns[i].width));
        if (c.definition->kind == ControlKind::Toolbar) {
            loadToolbarImages(c);
            SendMessageW(c.window, TB_SETPADDING, 0, MAKELPARAM(scale(5), scale(6)));
            SendMessageW(c.window, TB_AUTOSIZE, 0, 0);
        }
    }
    placeAll();
}

void Win32Form::open() {
    if (!window_ || opened_) return;
    opened_ = true;
    if (definition_.visibleAtCreation) {
        ShowWindow(window_, SW_SHOW);
        UpdateWindow(window_);
    }
    fireWindow(Event::Created);
}

void Win32Form::destroy() {
    if (window_) DestroyWindow(window_);
}

bool Win32Form::visible() const { return window_ && IsWindowVisible(window_); }

void Win32Form::setVisible(bool visible) {
    if (window_) ShowWindow(window_, visible ? SW_SHOW : SW_HIDE);
}

void Win32Form::bringToFront() {
    if (!window_) return;
    if (IsIconic(window_)) ShowWindow(window_, SW_RESTORE);
    SetForegroundWindow(window_);
    BringWindowToTop(window_);
}

Point Win32Form::position(std::string_view control) const { return find(control).position; }

void Win32Form::setPosition(std::string_view control, Point position) {
    Control& c = find(control);
    c.position = position;
    if (window_) place(c);
}

bool Win32Form::controlVisible(std::string_view control) const {
    const Control& c = find(control);
    return c.window && (GetWindowLongW(c.window, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Win32Form::setControlVisible(std::string_view control, bool visible) {
    const Control& c = find(control);
    if (!window_ || !c.window) return;
    ShowWindow(c.window, visible ? SW_SHOW : SW_HIDE);
    if (c.spinner) ShowWindow(c.spinner, visible ? SW_SHOW : SW_HIDE);
}

bool Win32Form::enabled(std::string_view control) const {
    const Control& c = find(control);
    return c.window && IsWindowEnabled(c.window);
}

void Win32Form::setEnabled(std::string_view control, bool enabled) {
    const Control& c = find(control);
    if (!window_ || !c.window) return;
    EnableWindow(c.window, enabled);
    if (c.spinner) EnableWindow(c.spinner, enabled);
}

std::string Win32Form::text(std::string_view control) const {
    const Control& c = find(control);
    if (!window_) return {};
    if (c.frame) return narrow(windowText(c.frame));
    if (c.window && c.definition->kind != ControlKind::Hyperlink) return narrow(windowText(c.window));
    return c.text;
}

void Win32Form::setText(std::string_view control, std::string_view text) {
    Control& c = find(control);
    if (!window_) return;
    c.text = text;
    if (c.definition->kind == ControlKind::Hyperlink) {
        SetWindowTextW(c.window, hyperlinkMarkup(text, c.definition->target).c_str());
        return;
    }
    const std::wstring wide = widen(text);
    if (c.frame) SetWindowTextW(c.frame, wide.c_str());
    if (c.window) SetWindowTextW(c.window, wide.c_str());
}

bool Win32Form::checked(std::string_view control) const {
    const Control& c = find(control);
    return c.window && SendMessageW(c.window, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32Form::setChecked(std::string_view control, bool checked) {
    const Control& c = find(control);
    if (window_ && c.window) SendMessageW(c.window, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

int Win32Form::selectedIndex(std::string_view control) const {
    const Control& c = find(control);
    return c.window ? static_cast<int>(SendMessageW(c.window, CB_GETCURSEL, 0, 0)) : -1;
}

void Win32Form::setSelectedIndex(std::string_view control, int index) {
    const Control& c = find(control);
    if (window_ && c.window) SendMessageW(c.window, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::string Win32Form::selectedText(std::string_view control) const {
    const Control& c = find(control);
    const int index = selectedIndex(control);
    if (index < 0) return {};
    std::wstring text(static_cast<size_t>(SendMessageW(c.window, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0)) + 1, L'\0');
    text.resize(static_cast<size_t>(
        SendMessageW(c.window, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()))));
    return narrow(text);
}

bool Win32Form::entryEnabled(std::string_view control, int index) const {
    const Control& c = find(control);
    return index >= 0 && index < static_cast<int>(c.entryEnabled.size()) && c.entryEnabled[static_cast<size_t>(index)];
}

void Win32Form::setEntryEnabled(std::string_view control, int index, bool enabled) {
    Control& c = find(control);
    if (!window_ || index < 0 || index >= static_cast<int>(c.entryEnabled.size())) return;
    c.entryEnabled[static_cast<size_t>(index)] = enabled;
    if (c.menu)
        EnableMenuItem(c.menu, static_cast<UINT>(kFirstMenuCommand + index), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    else if (c.window)
        SendMessageW(c.window, TB_ENABLEBUTTON, static_cast<WPARAM>(kFirstToolbarCommand + index), MAKELPARAM(enabled, 0));
}

int Win32Form::timerInterval(std::string_view control) const { return find(control).interval; }

void Win32Form::setTimerInterval(std::string_view control, int milliseconds) {
    Control& c = find(control);
    if (!window_) return;
    c.interval = milliseconds < 0 ? 0 : milliseconds;
    const auto timerId = static_cast<UINT_PTR>(kFirstControlId + c.index);
    if (c.interval > 0)
        SetTimer(window_, timerId, static_cast<UINT>(c.interval), nullptr);
    else
        KillTimer(window_, timerId);
}

// The browser control is made when it is first needed, so that start-up does not wait for it.
// The viewer's own window text is the address asked for last, for a look from outside.
void Win32Form::navigate(std::string_view control, std::string_view address) {
    Control& c = find(control);
    if (!window_ || !c.window) return;
    SetWindowTextW(c.window, widen(address).c_str());
    if (!c.browser) c.browser = std::make_unique<WebBrowserHost>(c.window);
    c.browser->navigate(address);
}

std::optional<std::string> Win32Form::showFileDialog(std::string_view control) {
    const Control& c = find(control);
    if (!window_) return std::nullopt;
    std::wstring filter = widen(c.definition->filter);
    for (wchar_t& ch : filter)
        if (ch == L'|') ch = L'\0';
    filter.append(2, L'\0');
    std::wstring path(32768, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = window_;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
    if (!GetOpenFileNameW(&dialog)) return std::nullopt;
    return narrow(path.c_str());
}

void Win32Form::focus(std::string_view control) {
    const Control& c = find(control);
    if (window_ && c.window) SetFocus(c.window);
}

void Win32Form::popUpMenu(std::string_view control) {
    Control& c = find(control);
    if (!window_ || !c.menu) return;
    POINT cursor;
    GetCursorPos(&cursor);
    SetForegroundWindow(window_);
    const int chosen = static_cast<int>(TrackPopupMenu(c.menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, cursor.x,
                                                       cursor.y, 0, window_, nullptr));
    PostMessageW(window_, WM_NULL, 0, 0);
    if (chosen >= kFirstMenuCommand) fire(c, Event::EntryClick, chosen - kFirstMenuCommand);
}

ReportRows& Win32Form::rows(std::string_view control) {
    Control& c = find(control);
    if (!c.rows) throw std::logic_error(std::string(control) + " is not a report list");
    return *c.rows;
}

bool Win32Form::registerHotkey(int identifier, bool control, unsigned virtualKey) {
    return window_ && RegisterHotKey(window_, identifier, control ? MOD_CONTROL : 0, virtualKey);
}

void Win32Form::deliverHotkey(int identifier) {
    for (Control& c : controls_)
        if (c.definition->kind == ControlKind::InvisibleLabel && c.handlers.count(Event::Notification)) {
            fire(c, Event::Notification, identifier);
            return;
        }
}

void Win32Form::connect(std::string_view control, Event event, Handler handler) {
    if (control.empty()) {
        windowHandlers_[event] = std::move(handler);
        return;
    }
    Control& c = find(control);
    c.handlers[event] = std::move(handler);
    // A label reports mouse presses only when asked to.
    if (event == Event::LeftButtonDown && c.window)
        SetWindowLongW(c.window, GWL_STYLE, GetWindowLongW(c.window, GWL_STYLE) | SS_NOTIFY);
}

void Win32Form::fire(Control& control, Event event, int argument) {
    const auto it = control.handlers.find(event);
    if (it == control.handlers.end()) return;
    const Handler handler = it->second;  // a handler may replace itself or destroy the form
    handler(argument);
}

void Win32Form::fireWindow(Event event) {
    const auto it = windowHandlers_.find(event);
    if (it == windowHandlers_.end()) return;
    const Handler handler = it->second;
    handler(0);
}

// The list view learns of new and removed rows once the current burst of changes is over
// (an import adds many rows at once): a posted message comes before any input, so the user
// never acts on a list view that is behind its rows.
void Win32Form::onRowsChanged(Control& c, ReportRows::Change change, int row) {
    if (!window_) return;
    switch (change) {
        case ReportRows::Change::Inserted:
        case ReportRows::Change::Deleted:
        case ReportRows::Change::Cleared:
            if (!c.rowCountPending) {
                c.rowCountPending = true;
                PostMessageW(window_, kShowRowCounts, 0, 0);
            }
            break;
        case ReportRows::Change::CellChanged:
            if (!c.rowCountPending) ListView_RedrawItems(c.window, row, row);
            break;
        case ReportRows::Change::SelectionChanged:
            if (!c.rowCountPending) syncListSelection(c);
            fire(c, Event::SelectionChanged);
            break;
    }
}

void Win32Form::showRowCounts() {
    for (Control& c : controls_) {
        if (!c.rowCountPending) continue;
        c.rowCountPending = false;
        syncingSelection_ = true;
        SendMessageW(c.window, LVM_SETITEMCOUNT, static_cast<WPARAM>(c.rows->rowCount()), LVSICF_NOSCROLL);
        syncingSelection_ = false;
        InvalidateRect(c.window, nullptr, FALSE);
        syncListSelection(c);
    }
}

// The list view shows the selection that the rows hold.
void Win32Form::syncListSelection(Control& c) {
    syncingSelection_ = true;
    const int shown = ListView_GetNextItem(c.window, -1, LVNI_SELECTED);
    const int wanted = c.rows->selectedRow();
    if (shown != wanted) {
        ListView_SetItemState(c.window, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        if (wanted >= 0) ListView_SetItemState(c.window, wanted, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
    syncingSelection_ = false;
}

// The user changed the selection in the list view.
void Win32Form::onListSelectionChanged(Control& c) {
    if (syncingSelection_) return;
    const int shown = ListView_GetNextItem(c.window, -1, LVNI_SELECTED);
    c.rows->select(shown);
}

Win32Form::Control& Win32Form::find(std::string_view name) {
    return const_cast<Control&>(std::as_const(*this).find(name));
}

const Win32Form::Control& Win32Form::find(std::string_view name) const {
    for (const Control& c : controls_)
        if (c.definition->name == name) return c;
    throw std::logic_error("no control named " + std::string(name) + " in " + std::string(definition_.name));
}

Win32Form::Control* Win32Form::byWindow(HWND window) {
    const auto it = byWindow_.find(window);
    return it == byWindow_.end() ? nullptr : &controls_[it->second];
}

// Messages

LRESULT CALLBACK Win32Form::formProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* form = reinterpret_cast<Win32Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!form) return DefWindowProcW(window, message, wParam, lParam);

    switch (message) {
        case WM_CLOSE:
            if (!form->allowClose_ || form->allowClose_()) DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            form->fireWindow(Event::Destroying);
            for (Control& c : form->controls_) c.browser.reset();  // while its window still exists
            return 0;
        case WM_NCDESTROY:
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            form->window_ = nullptr;
            form->byWindow_.clear();
            form->system_.formDestroyed(*form);
            return DefWindowProcW(window, message, wParam, lParam);
        case WM_TIMER:
            for (Control& c : form->controls_)
                if (kFirstControlId + c.index == static_cast<int>(wParam) && c.interval > 0) {
                    form->fire(c, Event::Tick);
                    return 0;
                }
            break;
        case WM_HOTKEY:
            form->deliverHotkey(static_cast<int>(wParam));
            return 0;
        case kShowRowCounts:
            form->showRowCounts();
            return 0;
        case WM_DPICHANGED:
            form->onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        default: break;
    }
    LRESULT result = 0;
    if (form->handle(window, message, wParam, lParam, result)) return result;
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK Win32Form::containerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* form = reinterpret_cast<Win32Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    LRESULT result = 0;
    if (form && form->window_ && form->handle(window, message, wParam, lParam, result)) return result;
    return DefWindowProcW(window, message, wParam, lParam);
}

bool Win32Form::handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_ERASEBKGND: {
            RECT client;
            GetClientRect(window, &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, background_);
            result = 1;
            return true;
        }
        case WM_COMMAND: return handleCommand(wParam, lParam);
        case WM_NOTIFY: return handleNotify(*reinterpret_cast<const NMHDR*>(lParam));
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            const auto dc = reinterpret_cast<HDC>(wParam);
            const Control* c = byWindow(reinterpret_cast<HWND>(lParam));
            const auto colour = c ? c->definition->textColour : std::nullopt;
            SetTextColor(dc, colour ? RGB(colour->red, colour->green, colour->blue) : RGB(0, 0, 0));
            SetBkMode(dc, TRANSPARENT);
            result = reinterpret_cast<LRESULT>(background_);
            return true;
        }
        case WM_SETCURSOR: {
            const Control* c = byWindow(reinterpret_cast<HWND>(wParam));
            if (!c || !c->definition->linkStyle) return false;
            SetCursor(LoadCursorW(nullptr, IDC_HAND));
            result = TRUE;
            return true;
        }
        default: return false;
    }
}

bool Win32Form::handleCommand(WPARAM wParam, LPARAM lParam) {
    Control* c = byWindow(reinterpret_cast<HWND>(lParam));
    if (!c) return false;
    const int id = LOWORD(wParam);
    switch (c->definition->kind) {
        case ControlKind::Toolbar:
            if (id >= kFirstToolbarCommand) fire(*c, Event::EntryClick, id - kFirstToolbarCommand);
            return true;
        case ControlKind::Button:
            if (HIWORD(wParam) == BN_CLICKED) fire(*c, Event::Click);
            return true;
        default: return false;
    }
}

bool Win32Form::handleNotify(const NMHDR& header) {
    // Toolbar tooltips come from the toolbar's tooltip window, by command identifier.
    if (header.code == TTN_GETDISPINFOW) {
        const int entry = static_cast<int>(header.idFrom) - kFirstToolbarCommand;
        for (Control& c : controls_) {
            if (c.definition->kind != ControlKind::Toolbar || entry < 0 || entry >= static_cast<int>(c.definition->entries.size()))
                continue;
            textBuffer_ = widen(c.definition->entries[static_cast<size_t>(entry)].tooltip);
            auto& info = const_cast<NMTTDISPINFOW&>(reinterpret_cast<const NMTTDISPINFOW&>(header));
            info.lpszText = textBuffer_.data();
            info.hinst = nullptr;
            return true;
        }
        return false;
    }
    Control* c = byWindow(header.hwndFrom);
    if (!c) return false;
    switch (c->definition->kind) {
        case ControlKind::Toolbar:
            if (header.code == TBN_GETINFOTIPW) {
                auto& tip = const_cast<NMTBGETINFOTIPW&>(reinterpret_cast<const NMTBGETINFOTIPW&>(header));
                const int entry = tip.iItem - kFirstToolbarCommand;
                if (entry >= 0 && entry < static_cast<int>(c->definition->entries.size()))
                    lstrcpynW(tip.pszText, widen(c->definition->entries[static_cast<size_t>(entry)].tooltip).c_str(), tip.cchTextMax);
                return true;
            }
            return false;
        case ControlKind::ReportList:
            switch (header.code) {
                case LVN_GETDISPINFOW: {
                    auto& item = const_cast<NMLVDISPINFOW&>(reinterpret_cast<const NMLVDISPINFOW&>(header)).item;
                    if (item.mask & LVIF_TEXT) {
                        textBuffer_ = widen(c->rows->cell(item.iItem, item.iSubItem));
                        lstrcpynW(item.pszText, textBuffer_.c_str(), item.cchTextMax);
                    }
                    return true;
                }
                case LVN_ITEMCHANGED:
                case LVN_ODSTATECHANGED: onListSelectionChanged(*c); return true;
                case NM_RCLICK: fire(*c, Event::RightClick); return true;
                default: return false;
            }
        case ControlKind::Hyperlink:
            if (header.code == NM_CLICK || header.code == NM_RETURN) {
                openWithShell(c->definition->target);
                return true;
            }
            return false;
        default: return false;
    }
}

LRESULT CALLBACK Win32Form::controlSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR index,
                                            DWORD_PTR form) {
    auto* self = reinterpret_cast<Win32Form*>(form);
    if (message == WM_NCDESTROY) RemoveWindowSubclass(window, controlSubclass, index);
    if (!self->window_) return DefSubclassProc(window, message, wParam, lParam);
    return self->handleControlMessage(self->controls_[index], window, message, wParam, lParam);
}

LRESULT Win32Form::handleControlMessage(Control& c, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const bool integersOnly = c.definition->input == EditInput::Integers;
    switch (message) {
        case WM_CHAR:
            if (integersOnly && !integerBoxKeeps(static_cast<char32_t>(wParam))) return 0;
            break;
        case WM_PASTE:
            if (integersOnly) {
                std::wstring pasted;
                if (OpenClipboard(window)) {
                    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
                        if (const auto* text = static_cast<const wchar_t*>(GlobalLock(data))) {
                            pasted = text;
                            GlobalUnlock(data);
                        }
                    }
                    CloseClipboard();
                }
                const std::wstring kept = widen(keepIntegerCharacters(narrow(pasted)));
                SendMessageW(window, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(kept.c_str()));
                return 0;
            }
            break;
        case WM_LBUTTONDBLCLK:
            if (c.definition->kind == ControlKind::Edit) {
                const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
                fire(c, Event::DoubleClick);
                return result;
            }
            break;
        case WM_LBUTTONDOWN:
            if (c.definition->kind == ControlKind::Label || c.definition->kind == ControlKind::TransparentLabel) {
                fire(c, Event::LeftButtonDown);
                return 0;
            }
            break;
        default: break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace framework::win32
