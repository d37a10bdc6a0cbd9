#pragma once
// Window definitions: every window and control of the program as data. Both backends build
// their windows from these tables; nothing about a control's look or place lives elsewhere.

#include <optional>
#include <span>
#include <string_view>

#include "framework/Geometry.h"

namespace framework {

enum class ControlKind : unsigned char {
    Toolbar,
    GroupBox,
    ReportList,
    Button,
    Edit,
    CheckBox,
    DropDownList,
    TransparentLabel,  // text drawn without a background
    Label,
    Hyperlink,
    HtmlViewer,
    FileDialog,      // no place: shown on demand
    Timer,           // no place
    InvisibleLabel,  // no place: receives notifications
    Menu,            // no place: a hidden top-level menu, popped up on demand
};

// The kind as the layout tables name it.
constexpr const char* kindName(ControlKind kind) {
    switch (kind) {
        case ControlKind::Toolbar: return "toolbar";
        case ControlKind::GroupBox: return "group box";
        case ControlKind::ReportList: return "report list";
        case ControlKind::Button: return "button";
        case ControlKind::Edit: return "edit box";
        case ControlKind::CheckBox: return "check box";
        case ControlKind::DropDownList: return "drop-down list";
        case ControlKind::TransparentLabel: return "transparent label";
        case ControlKind::Label: return "label";
        case ControlKind::Hyperlink: return "hyperlink";
        case ControlKind::HtmlViewer: return "HTML viewer";
        case ControlKind::FileDialog: return "file dialog";
        case ControlKind::Timer: return "timer";
        case ControlKind::InvisibleLabel: return "invisible label";
        case ControlKind::Menu: return "menu";
    }
    return "";
}

enum class Alignment : unsigned char { Left, Centre };

struct ListColumn {
    std::string_view header;
    int width = 0;
    Alignment alignment = Alignment::Left;
};

// A toolbar entry or a menu item; an empty text is a separator. Separators count in the
// entry index by which clicks are reported and entries are enabled.
struct Entry {
    std::string_view text{};
    std::string_view tooltip{};
    bool enabled = true;
    constexpr bool isSeparator() const { return text.empty(); }
};

struct DropDownItem {
    std::string_view text;
    int value = 0;
};

enum class EditInput : unsigned char { Text, Integers };

struct Spinner {
    int minimum = 0;
    int maximum = 0;
};

struct ControlDefinition {
    std::string_view name{};
    ControlKind kind = ControlKind::Label;
    std::string_view container{};  // name of the holding group box; empty: the client area
    Rect place{};                // relative to the container
    bool fullWidth = false;      // the width follows the window's client area
    std::string_view caption{};  // caption, or initial content of an edit box
    bool visible = true;
    bool enabled = true;
    bool checked = false;
    EditInput input = EditInput::Text;
    std::optional<Spinner> spinner{};
    std::optional<Rgb> textColour{};
    bool linkStyle = false;  // 12-pixel underlined GB2312 font and the hand cursor
    bool twelvePixelLines = false;  // SimSun in lines 12 pixels high (9 points), so that a long
                                    // text keeps to its place line for line
    bool overlay = false;    // drawn above the controls defined before it that it lies on
    std::span<const ListColumn> columns{};
    std::span<const Entry> entries{};  // toolbar entries or menu items
    std::span<const DropDownItem> items{};
    int selectedItem = -1;
    std::string_view target{};  // hyperlink address
    std::string_view filter{};  // file dialog filter: "description|pattern"
    std::string_view images{};  // toolbar: the program's bitmap resource of 16 x 16 images

    constexpr bool hasPlace() const {
        return kind != ControlKind::FileDialog && kind != ControlKind::Timer &&
               kind != ControlKind::InvisibleLabel && kind != ControlKind::Menu;
    }
};

struct WindowDefinition {
    std::string_view name{};
    std::string_view caption{};
    Size outerSize{};
    bool minimizeBox = false;
    bool whiteBackground = true;
    bool visibleAtCreation = true;
    std::span<const ControlDefinition> controls{};

    constexpr const ControlDefinition* find(std::string_view controlName) const {
        for (const auto& control : controls)
            if (control.name == controlName) return &control;
        return nullptr;
    }
};

}  // namespace framework
