#include "framework/win32/Win32Form.h"

#include <stdexcept>

#include "framework/win32/Controls.h"
#include "framework/win32/WindowProcedure.h"
#include "text/win32/WideText.h"

namespace framework::win32 {

using text::widen;
namespace {

constexpr WORD ProgramIconId = 1;  // the icon of the program's resources
constexpr UINT ShowRowCountsMessage = WM_APP + 1;

}  // namespace

void Win32Form::registerWindowClasses(HINSTANCE instance) {
    WNDCLASSEXW form{};
    form.cbSize = sizeof(form);
    form.lpfnWndProc = windowProcedure<Win32Form, &Win32Form::formMessage>;
    form.hInstance = instance;
    form.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    form.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(ProgramIconId), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
    form.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(ProgramIconId), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                 GetSystemMetrics(SM_CYSMICON), 0));
    form.lpszClassName = FormClass;
    RegisterClassExW(&form);

    WNDCLASSEXW container{};
    container.cbSize = sizeof(container);
    container.lpfnWndProc = windowProcedure<FormContext, &FormContext::containerMessage>;
    container.hInstance = instance;
    container.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    container.lpszClassName = ContainerClass;
    RegisterClassExW(&container);
}

Win32Form::Win32Form(FormHost& host, const WindowDefinition& definition) : host_(host), definition_(definition) {
    controls_.reserve(definition.controls.size());
    for (const ControlDefinition& d : definition.controls)
        controls_.push_back(makeControl(*this, d, static_cast<int>(controls_.size())));
    createWindow();
    fonts_.create(dpi_);
    centreOnScreen();
    for (const auto& c : controls_) {
        if (definition_.visibleAtCreation && !seenAtFirstShow(*c))
            unseen_.push_back(c.get());
        else
            createControl(*c);
    }
    host_.formCreated(window_);
}

Win32Form::~Win32Form() {
    windowHandlers_.clear();
    for (const auto& c : controls_) c->disconnectAll();
    allowClose_ = nullptr;
    if (window_) DestroyWindow(window_);
}

HINSTANCE Win32Form::instance() const { return host_.instance(); }

void Win32Form::createWindow() {
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    if (definition_.minimizeBox) style |= WS_MINIMIZEBOX;
    window_ = CreateWindowExW(WS_EX_CONTROLPARENT, FormClass, widen(definition_.caption).c_str(), style, CW_USEDEFAULT,
                              CW_USEDEFAULT, 100, 100, nullptr, nullptr, host_.instance(), this);
    if (!window_) throw std::runtime_error("cannot create window " + std::string(definition_.name));
    dpi_ = GetDpiForWindow(window_);
    background_ = definition_.whiteBackground ? static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))
                                              : GetSysColorBrush(COLOR_BTNFACE);
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

void Win32Form::createControl(Win32Control& c) {
    const std::string_view container = c.definition().container;
    c.create(container.empty() ? window_ : find(container).window());
    if (!c.window()) return;
    byWindow_[c.window()] = &c;
    c.applyFonts();
    // Later controls go behind earlier ones (the tab order), except those drawn on top.
    SetWindowPos(c.window(), c.definition().overlay ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    c.keepFrameBehind();
    if (!container.empty()) find(container).keepFrameBehind();
    c.place();
}

// An overlay that the form does not show at once (hidden, or parked outside the client area), and
// what lies in it, is made just after the form is shown, so that the form shows sooner. An overlay
// goes on top of its siblings as it is made, and those made late are made in the definition's
// order, so the order of the windows is the same.
bool Win32Form::seenAtFirstShow(const Win32Control& c) const {
    const ControlDefinition& d = c.definition();
    if (!d.container.empty() && !find(d.container).window()) return false;
    if (!d.overlay) return true;
    if (!d.visible) return false;
    if (!d.container.empty()) return true;
    RECT client;
    GetClientRect(window_, &client);
    const int left = scale(c.position().x), top = scale(c.position().y);
    return left < client.right && top < client.bottom && left + scale(d.place.width) > 0 &&
           top + scale(d.place.height) > 0;
}

void Win32Form::onDpiChanged(UINT dpi, const RECT& suggested) {
    dpi_ = dpi;
    fonts_.create(dpi_);
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    for (const auto& c : controls_) c->applyDpi();
    for (const auto& c : controls_) c->place();
}

void Win32Form::open() {
    if (!window_ || opened_) return;
    opened_ = true;
    if (definition_.visibleAtCreation) {
        ShowWindow(window_, SW_SHOW);
        for (Win32Control* c : unseen_) createControl(*c);
        unseen_.clear();
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

// Controls by name. What changes a control does nothing once the window is gone.

Point Win32Form::position(std::string_view control) const { return find(control).position(); }

void Win32Form::setPosition(std::string_view control, Point position) {
    Win32Control& c = find(control);
    c.setPosition(position);
    if (window_) c.place();
}

bool Win32Form::controlVisible(std::string_view control) const { return find(control).visible(); }

void Win32Form::setControlVisible(std::string_view control, bool visible) {
    Win32Control& c = find(control);
    if (window_) c.setVisible(visible);
}

bool Win32Form::enabled(std::string_view control) const { return find(control).enabled(); }

void Win32Form::setEnabled(std::string_view control, bool enabled) {
    Win32Control& c = find(control);
    if (window_) c.setEnabled(enabled);
}

std::string Win32Form::text(std::string_view control) const {
    const Win32Control& c = find(control);
    return window_ ? c.text() : std::string();
}

void Win32Form::setText(std::string_view control, std::string_view text) {
    Win32Control& c = find(control);
    if (window_) c.setText(text);
}

bool Win32Form::checked(std::string_view control) const { return find(control).checked(); }

void Win32Form::setChecked(std::string_view control, bool checked) {
    Win32Control& c = find(control);
    if (window_) c.setChecked(checked);
}

int Win32Form::selectedIndex(std::string_view control) const { return find(control).selectedIndex(); }

void Win32Form::setSelectedIndex(std::string_view control, int index) {
    Win32Control& c = find(control);
    if (window_) c.setSelectedIndex(index);
}

std::string Win32Form::selectedText(std::string_view control) const { return find(control).selectedText(); }

bool Win32Form::entryEnabled(std::string_view control, int index) const { return find(control).entryEnabled(index); }

void Win32Form::setEntryEnabled(std::string_view control, int index, bool enabled) {
    Win32Control& c = find(control);
    if (window_) c.setEntryEnabled(index, enabled);
}

int Win32Form::timerInterval(std::string_view control) const { return find(control).interval(); }

void Win32Form::setTimerInterval(std::string_view control, int milliseconds) { find(control).setInterval(milliseconds); }

void Win32Form::navigate(std::string_view control, std::string_view address) {
    Win32Control& c = find(control);
    if (window_) c.navigate(address);
}

std::optional<std::string> Win32Form::showFileDialog(std::string_view control) { return find(control).showFileDialog(); }

void Win32Form::focus(std::string_view control) {
    Win32Control& c = find(control);
    if (window_) c.focus();
}

void Win32Form::popUpMenu(std::string_view control) { find(control).popUp(); }

ReportRows& Win32Form::rows(std::string_view control) {
    ReportRows* rows = find(control).rows();
    if (!rows) throw std::logic_error(std::string(control) + " is not a report list");
    return *rows;
}

bool Win32Form::registerHotkey(int identifier, bool control, unsigned virtualKey) {
    return window_ && RegisterHotKey(window_, identifier, control ? MOD_CONTROL : 0, virtualKey);
}

void Win32Form::connect(std::string_view control, Event event, Handler handler) {
    if (control.empty())
        windowHandlers_[event] = std::move(handler);
    else
        find(control).connect(event, std::move(handler));
}

Win32Control& Win32Form::find(std::string_view name) const {
    for (const auto& c : controls_)
        if (c->definition().name == name) return *c;
    throw std::logic_error("no control named " + std::string(name) + " in " + std::string(definition_.name));
}

Win32Control* Win32Form::byWindow(HWND window) const {
    const auto it = byWindow_.find(window);
    return it == byWindow_.end() ? nullptr : it->second;
}

// Events of the window itself

void Win32Form::fireWindow(Event event) {
    const auto it = windowHandlers_.find(event);
    if (it == windowHandlers_.end()) return;
    const Handler handler = it->second;  // a handler may replace itself or destroy the form
    handler(0);
}

void Win32Form::deliverHotkey(int identifier) {
    for (const auto& c : controls_)
        if (c->definition().kind == ControlKind::InvisibleLabel && c->handles(Event::Notification)) {
            c->fire(Event::Notification, identifier);
            return;
        }
}

void Win32Form::showRowCountsSoon() { PostMessageW(window_, ShowRowCountsMessage, 0, 0); }

// Messages

LRESULT Win32Form::formMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CLOSE:
            if (!allowClose_ || allowClose_()) DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            fireWindow(Event::Destroying);
            for (const auto& c : controls_) c->formDestroying();
            return 0;
        case WM_NCDESTROY:
            window_ = nullptr;
            byWindow_.clear();
            host_.formDestroyed(window);
            return DefWindowProcW(window, message, wParam, lParam);
        case WM_TIMER:
            for (const auto& c : controls_)
                if (c->identifier() == static_cast<int>(wParam)) {
                    c->onTimer();
                    return 0;
                }
            break;
        case WM_HOTKEY:
            deliverHotkey(static_cast<int>(wParam));
            return 0;
        case ShowRowCountsMessage:
            for (const auto& c : controls_) c->showPendingRowCount();
            return 0;
        case WM_DPICHANGED:
            onDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        default: break;
    }
    LRESULT result = 0;
    if (handleSharedMessage(window, message, wParam, lParam, result)) return result;
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT Win32Form::containerMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (window_ && handleSharedMessage(window, message, wParam, lParam, result)) return result;
    return DefWindowProcW(window, message, wParam, lParam);
}

bool Win32Form::handleSharedMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_ERASEBKGND: {
            RECT client;
            GetClientRect(window, &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, background_);
            result = 1;
            return true;
        }
        case WM_COMMAND: {
            Win32Control* c = byWindow(reinterpret_cast<HWND>(lParam));
            return c && c->onCommand(wParam);
        }
        case WM_NOTIFY: return handleNotify(*reinterpret_cast<const NMHDR*>(lParam));
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            const auto dc = reinterpret_cast<HDC>(wParam);
            const Win32Control* c = byWindow(reinterpret_cast<HWND>(lParam));
            const auto colour = c ? c->definition().textColour : std::nullopt;
            SetTextColor(dc, colour ? RGB(colour->red, colour->green, colour->blue) : RGB(0, 0, 0));
            SetBkMode(dc, TRANSPARENT);
            result = reinterpret_cast<LRESULT>(background_);
            return true;
        }
        case WM_SETCURSOR: {
            const Win32Control* c = byWindow(reinterpret_cast<HWND>(wParam));
            if (!c || !c->definition().linkStyle) return false;
            SetCursor(LoadCursorW(nullptr, IDC_HAND));
            result = TRUE;
            return true;
        }
        default: return false;
    }
}

bool Win32Form::handleNotify(const NMHDR& header) {
    // Toolbar tooltips come from the toolbar's tooltip window, by command identifier.
    if (header.code == TTN_GETDISPINFOW) {
        for (const auto& c : controls_)
            if (const wchar_t* text = c->tooltip(static_cast<int>(header.idFrom))) {
                auto& info = const_cast<NMTTDISPINFOW&>(reinterpret_cast<const NMTTDISPINFOW&>(header));
                info.lpszText = const_cast<wchar_t*>(text);
                info.hinst = nullptr;
                return true;
            }
        return false;
    }
    Win32Control* c = byWindow(header.hwndFrom);
    return c && c->onNotify(header);
}

}  // namespace framework::win32
