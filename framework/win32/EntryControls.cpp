#include "framework/win32/Controls.h"

#include "text/win32/WideText.h"

namespace framework::win32 {

using text::widen;
namespace {

constexpr int FirstMenuCommand = 1;
constexpr int ToolbarImages = 9;  // the strip's images, one per entry that is not a separator

}  // namespace

EntryControl::EntryControl(FormContext& form, const ControlDefinition& definition, int index)
    : Win32Control(form, definition, index) {
    for (const Entry& e : definition.entries) enabled_.push_back(e.enabled);
}

bool EntryControl::entryEnabled(int index) const {
    return index >= 0 && index < static_cast<int>(enabled_.size()) && enabled_[static_cast<size_t>(index)];
}

void EntryControl::setEntryEnabled(int index, bool enabled) {
    if (index < 0 || index >= static_cast<int>(enabled_.size())) return;
    enabled_[static_cast<size_t>(index)] = enabled;
    showEntryEnabled(index, enabled);
}

void Toolbar::create(HWND parent) {
    const ControlDefinition& d = definition();
    window_ = CreateWindowExW(0, TOOLBARCLASSNAMEW, L"",
                              WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_LIST | TBSTYLE_TOOLTIPS |
                                  CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN,
                              0, 0, 0, 0, parent, childIdentifier(identifier()), form_.instance(), nullptr);
    SendMessageW(window_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    loadImages();

    std::vector<std::wstring> texts;
    texts.reserve(d.entries.size());
    std::vector<TBBUTTON> buttons;
    int image = 0;
    for (size_t i = 0; i < d.entries.size(); ++i) {
        const Entry& e = d.entries[i];
        TBBUTTON b{};
        b.idCommand = FirstToolbarCommand + static_cast<int>(i);
        if (e.isSeparator()) {
            b.fsStyle = BTNS_SEP;
            b.iBitmap = form_.scale(6);  // a separator's width
        } else {
            texts.push_back(widen(e.text));
            b.iBitmap = image++;
            b.fsState = e.enabled ? TBSTATE_ENABLED : 0;
            b.fsStyle = BTNS_BUTTON | BTNS_AUTOSIZE;
            b.iString = reinterpret_cast<INT_PTR>(texts.back().c_str());
        }
        buttons.push_back(b);
    }
    SendMessageW(window_, TB_SETPADDING, 0, MAKELPARAM(form_.scale(5), form_.scale(6)));
    SendMessageW(window_, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
}

void Toolbar::applyDpi() {
    applyFonts();
    loadImages();
    SendMessageW(window_, TB_SETPADDING, 0, MAKELPARAM(form_.scale(5), form_.scale(6)));
    SendMessageW(window_, TB_AUTOSIZE, 0, 0);
}

// The strip of images, drawn at the form's DPI; replaces the ones loaded before.
void Toolbar::loadImages() {
    const int imageSize = form_.scale(16);
    utils::ScopedImageList images(ImageList_Create(imageSize, imageSize, ILC_COLOR32 | ILC_MASK, ToolbarImages, 0));
    const utils::ScopedBitmap strip(static_cast<HBITMAP>(LoadImageW(
        form_.instance(), widen(definition().images).c_str(), IMAGE_BITMAP, imageSize * ToolbarImages, imageSize, 0)));
    if (strip) ImageList_AddMasked(images.get(), strip.get(), RGB(255, 0, 255));
    SendMessageW(window_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images.get()));
    images_ = std::move(images);
}

bool Toolbar::onCommand(WPARAM wParam) {
    const int command = LOWORD(wParam);
    if (command >= FirstToolbarCommand) fire(Event::EntryClick, command - FirstToolbarCommand);
    return true;
}

bool Toolbar::onNotify(const NMHDR& header) {
    if (header.code != TBN_GETINFOTIPW) return false;
    auto& tip = const_cast<NMTBGETINFOTIPW&>(reinterpret_cast<const NMTBGETINFOTIPW&>(header));
    if (const wchar_t* text = tooltip(tip.iItem)) lstrcpynW(tip.pszText, text, tip.cchTextMax);
    return true;
}

const wchar_t* Toolbar::tooltip(int command) {
    const int entry = command - FirstToolbarCommand;
    const auto& entries = definition().entries;
    if (entry < 0 || entry >= static_cast<int>(entries.size())) return nullptr;
    tooltip_ = widen(entries[static_cast<size_t>(entry)].tooltip);
    return tooltip_.c_str();
}

void Toolbar::showEntryEnabled(int index, bool enabled) {
    if (window_) SendMessageW(window_, TB_ENABLEBUTTON, static_cast<WPARAM>(FirstToolbarCommand + index), MAKELPARAM(enabled, 0));
}

void Menu::create(HWND) {
    menu_.reset(CreatePopupMenu());
    const auto& entries = definition().entries;
    for (size_t i = 0; i < entries.size(); ++i) {
        const Entry& e = entries[i];
        if (e.isSeparator())
            AppendMenuW(menu_.get(), MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuW(menu_.get(), MF_STRING | (e.enabled ? MF_ENABLED : MF_GRAYED), FirstMenuCommand + i,
                        widen(e.text).c_str());
    }
}

void Menu::popUp() {
    const HWND owner = form_.formWindow();
    if (!owner || !menu_) return;
    POINT cursor;
    GetCursorPos(&cursor);
    SetForegroundWindow(owner);
    const int chosen = static_cast<int>(TrackPopupMenu(menu_.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                                       cursor.x, cursor.y, 0, owner, nullptr));
    PostMessageW(owner, WM_NULL, 0, 0);
    if (chosen >= FirstMenuCommand) fire(Event::EntryClick, chosen - FirstMenuCommand);
}

void Menu::showEntryEnabled(int index, bool enabled) {
    EnableMenuItem(menu_.get(), static_cast<UINT>(FirstMenuCommand + index), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

}  // namespace framework::win32
