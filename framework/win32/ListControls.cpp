#include "framework/win32/Controls.h"

#include "text/win32/WideText.h"

namespace framework::win32 {

using text::narrow;
using text::widen;
namespace {

constexpr int DropDownListHeight = 200;

}  // namespace

void ReportList::create(HWND parent) {
    const ControlDefinition& d = definition();
    window_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                              WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_OWNERDATA,
                              0, 0, 0, 0, parent, childIdentifier(identifier()), form_.instance(), nullptr);
    ListView_SetExtendedListViewStyle(window_, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER);
    for (size_t i = 0; i < d.columns.size(); ++i) {
        std::wstring header = widen(d.columns[i].header);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.fmt = d.columns[i].alignment == Alignment::Centre ? LVCFMT_CENTER : LVCFMT_LEFT;
        column.cx = form_.scale(d.columns[i].width);
        column.pszText = header.data();
        SendMessageW(window_, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
    rows_ = std::make_unique<ReportRows>(static_cast<int>(d.columns.size()));
    rows_->setListener([this](ReportRows::Change change, int row) { onRowsChanged(change, row); });
}

void ReportList::applyDpi() {
    applyFonts();
    const auto& columns = definition().columns;
    for (size_t i = 0; i < columns.size(); ++i)
        ListView_SetColumnWidth(window_, static_cast<int>(i), form_.scale(columns[i].width));
}

bool ReportList::onNotify(const NMHDR& header) {
    switch (header.code) {
        case LVN_GETDISPINFOW: {
            auto& item = const_cast<NMLVDISPINFOW&>(reinterpret_cast<const NMLVDISPINFOW&>(header)).item;
            if (item.mask & LVIF_TEXT) {
                cellText_ = widen(rows_->cell(item.iItem, item.iSubItem));
                lstrcpynW(item.pszText, cellText_.c_str(), item.cchTextMax);
            }
            return true;
        }
        case LVN_ITEMCHANGED:
        case LVN_ODSTATECHANGED: onUserSelection(); return true;
        case NM_RCLICK: fire(Event::RightClick); return true;
        default: return false;
    }
}

// The list view learns of new and removed rows once the current burst of changes is over
// (an import adds many rows at once): a posted message comes before any input, so the user
// never acts on a list view that is behind its rows.
void ReportList::onRowsChanged(ReportRows::Change change, int row) {
    if (!form_.formWindow()) return;
    switch (change) {
        case ReportRows::Change::Inserted:
        case ReportRows::Change::Deleted:
        case ReportRows::Change::Cleared:
            if (!rowCountPending_) {
                rowCountPending_ = true;
                form_.showRowCountsSoon();
            }
            break;
        case ReportRows::Change::CellChanged:
            if (!rowCountPending_) ListView_RedrawItems(window_, row, row);
            break;
        case ReportRows::Change::SelectionChanged:
            if (!rowCountPending_) showSelection();
            fire(Event::SelectionChanged);
            break;
    }
}

void ReportList::showPendingRowCount() {
    if (!rowCountPending_) return;
    rowCountPending_ = false;
    showingSelection_ = true;
    SendMessageW(window_, LVM_SETITEMCOUNT, static_cast<WPARAM>(rows_->rowCount()), LVSICF_NOSCROLL);
    showingSelection_ = false;
    InvalidateRect(window_, nullptr, FALSE);
    showSelection();
}

// The list view shows the selection that the rows hold.
void ReportList::showSelection() {
    showingSelection_ = true;
    const int shown = ListView_GetNextItem(window_, -1, LVNI_SELECTED);
    const int wanted = rows_->selectedRow();
    if (shown != wanted) {
        ListView_SetItemState(window_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        if (wanted >= 0) ListView_SetItemState(window_, wanted, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
    showingSelection_ = false;
}

// The user changed the selection in the list view.
void ReportList::onUserSelection() {
    if (showingSelection_) return;
    rows_->select(ListView_GetNextItem(window_, -1, LVNI_SELECTED));
}

void DropDownList::create(HWND parent) {
    const ControlDefinition& d = definition();
    window_ = CreateWindowExW(0, WC_COMBOBOXW, L"",
                              WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | (d.visible ? WS_VISIBLE : 0),
                              0, 0, 0, 0, parent, childIdentifier(identifier()), form_.instance(), nullptr);
    for (const DropDownItem& item : d.items) {
        const auto at = SendMessageW(window_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(item.text).c_str()));
        SendMessageW(window_, CB_SETITEMDATA, static_cast<WPARAM>(at), item.value);
    }
    SendMessageW(window_, CB_SETCURSEL, static_cast<WPARAM>(d.selectedItem), 0);
}

// The closed box is the given height: the selection field is fitted to it. The window is as
// high as the box with its list open.
int DropDownList::windowHeight(int width, int height) {
    SetWindowPos(window_, nullptr, 0, 0, width, height + form_.scale(DropDownListHeight),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (int attempt = 0; attempt < 3; ++attempt) {
        RECT closed;
        GetWindowRect(window_, &closed);
        const LONG difference = height - (closed.bottom - closed.top);
        if (difference == 0) break;
        const auto field = SendMessageW(window_, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
        SendMessageW(window_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field + difference);
    }
    return height + form_.scale(DropDownListHeight);
}

int DropDownList::selectedIndex() const {
    return window_ ? static_cast<int>(SendMessageW(window_, CB_GETCURSEL, 0, 0)) : -1;
}

void DropDownList::setSelectedIndex(int index) {
    if (window_) SendMessageW(window_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::string DropDownList::selectedText() const {
    const int index = selectedIndex();
    if (index < 0) return {};
    std::wstring text(static_cast<size_t>(SendMessageW(window_, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0)) + 1, L'\0');
    text.resize(static_cast<size_t>(
        SendMessageW(window_, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()))));
    return narrow(text);
}

}  // namespace framework::win32
