#include "framework/win32/Controls.h"

namespace framework::win32 {

std::unique_ptr<Win32Control> makeControl(FormContext& form, const ControlDefinition& definition, int index) {
    switch (definition.kind) {
        case ControlKind::Toolbar: return std::make_unique<Toolbar>(form, definition, index);
        case ControlKind::GroupBox: return std::make_unique<GroupBox>(form, definition, index);
        case ControlKind::ReportList: return std::make_unique<ReportList>(form, definition, index);
        case ControlKind::Button: return std::make_unique<Button>(form, definition, index);
        case ControlKind::Edit: return std::make_unique<Edit>(form, definition, index);
        case ControlKind::CheckBox: return std::make_unique<CheckBox>(form, definition, index);
        case ControlKind::DropDownList: return std::make_unique<DropDownList>(form, definition, index);
        case ControlKind::TransparentLabel:
        case ControlKind::Label: return std::make_unique<Label>(form, definition, index);
        case ControlKind::Hyperlink: return std::make_unique<Hyperlink>(form, definition, index);
        case ControlKind::HtmlViewer: return std::make_unique<HtmlViewer>(form, definition, index);
        case ControlKind::FileDialog: return std::make_unique<FileDialog>(form, definition, index);
        case ControlKind::Timer: return std::make_unique<Timer>(form, definition, index);
        case ControlKind::InvisibleLabel: return std::make_unique<InvisibleLabel>(form, definition, index);
        case ControlKind::Menu: return std::make_unique<Menu>(form, definition, index);
    }
    return nullptr;
}

}  // namespace framework::win32
