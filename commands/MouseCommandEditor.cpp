#include "commands/MouseCommandEditor.h"

#include "commands/CommandList.h"
#include "commands/CommandRow.h"
#include "text/TextToNumber.h"

namespace commands {

using namespace ui::mouse_window;
namespace mw = ui::main_window;

namespace {
constexpr std::string_view AddCaption = "确认添加\r\nCtrl+回车";
constexpr std::string_view InsertCaption = "插入\r\nCtrl+回车";
constexpr std::string_view ModifyCaption = "确认修改";
constexpr std::string_view CloseCaption = "关闭";
constexpr std::string_view CancelModifyCaption = "取消修改";
}  // namespace

MouseCommandEditor::MouseCommandEditor(framework::WindowSystem& windows, framework::Form& main, EditorState& state,
                                       framework::Platform& platform, const automation::AutomationObject& automation,
                                       KeyCommandEditor& keyEditor)
    : windows_(windows), main_(main), state_(state), platform_(platform), automation_(automation), keyEditor_(keyEditor) {}

void MouseCommandEditor::load() {
    form_ = windows_.createForm(ui::mouseCommandWindowDefinition());
    const auto editor = window();
    editor.onCloseRequest([this] {
        close();
        return false;
    });
    editor.onClick(按钮_添加命令, [this] { confirm(); });
    editor.onClick(按钮_取消添加, [this] { close(); });
    form_->open();
}

void MouseCommandEditor::destroy() {
    if (form_) form_->destroy();
}

// Opening shows the editor in front, also when it shows already behind another window.
void MouseCommandEditor::present() const {
    const auto editor = window();
    editor.show();
    editor.bringToFront();
}

void MouseCommandEditor::openForAdding() {
    main_.setShown(mw::分组框_添加分类, false);
    const auto editor = window();
    present();
    state_.mouseModify = false;
    editor.setCaption(按钮_添加命令, AddCaption);
    editor.setCaption(按钮_取消添加, CloseCaption);
}

void MouseCommandEditor::openForInserting() {
    state_.mouseInsert = true;
    state_.insertIndex = main_.rows(mw::超级列表框_鼠标命令).selectedRow() + 1;
    const auto editor = window();
    present();
    main_.setShown(mw::分组框_添加分类, false);
    editor.setCaption(按钮_添加命令, InsertCaption);
    editor.setCaption(按钮_取消添加, CloseCaption);
}

void MouseCommandEditor::loadForModifying() {
    const CommandList list(main_.rows(mw::超级列表框_鼠标命令));
    const int selected = list.selectedRow();
    const std::string kind = list.cellText(selected, KindColumn);
    if (kind == TextRow) return keyEditor_.loadTextForModifying();
    if (kind == KeyRow) return keyEditor_.loadKeyForModifying();
    if (kind != MouseRow) return;

    state_.mouseModify = true;
    state_.modifyIndex = selected;
    const auto editor = window();
    editor.setCaption(按钮_添加命令, ModifyCaption);
    editor.setCaption(按钮_取消添加, CancelModifyCaption);
    present();
    editor.setText(编辑框_X坐标, list.cellText(selected, XColumn));
    editor.setText(编辑框_Y坐标, list.cellText(selected, YColumn));
    editor.setText(编辑框_点击频率, list.cellText(selected, DelayColumn));
    const std::string mode = list.cellText(selected, ClickModeColumn);
    for (size_t i = 0; i < ClickModes.size(); ++i)
        if (mode == ClickModes[i]) editor.select(组合框1, static_cast<int>(i));
}

// Insert mode wins over modify mode, which wins over add mode; only the flag of the mode taken
// is cleared.
void MouseCommandEditor::confirm() {
    CommandList list(main_.rows(mw::超级列表框_鼠标命令));
    const auto editor = window();
    int index = -1;
    if (state_.mouseInsert) {
        index = state_.insertIndex;
    } else if (state_.mouseModify) {
        list.deleteRow(state_.modifyIndex);
        index = state_.modifyIndex;
    }
    const std::string x = editor.text(编辑框_X坐标);
    const std::string y = editor.text(编辑框_Y坐标);
    const std::string delay = editor.text(编辑框_点击频率);
    const std::string mode = editor.selectedText(组合框1);
    list.createRow(index, MouseRow,
                   {x.empty() ? NoCoordinate : x, y.empty() ? NoCoordinate : y, mode,
                    delay.empty() ? DefaultDelay : delay, NotApplicable});

    if (state_.mouseInsert) {
        state_.mouseInsert = false;
    } else if (state_.mouseModify) {
        state_.mouseModify = false;
    } else {
        return;  // add mode: the editor stays as it is, ready for the next command
    }
    editor.setCaption(按钮_添加命令, AddCaption);
    editor.setCaption(按钮_取消添加, CloseCaption);
    editor.hide();
}

void MouseCommandEditor::close() { window().hide(); }

void MouseCommandEditor::capturePosition() {
    const framework::Point cursor = platform_.cursorPosition();
    const auto editor = window();
    editor.setText(编辑框_X坐标, std::to_string(cursor.x));
    editor.setText(编辑框_Y坐标, std::to_string(cursor.y));
}

// Ctrl+Space steps through the click modes and back to the first, whatever was picked in the
// list box in between.
void MouseCommandEditor::nextClickMode() {
    ++state_.clickModeCursor;
    window().select(组合框1, state_.clickModeCursor);
    if (state_.clickModeCursor == static_cast<int>(ClickModes.size()) - 1) state_.clickModeCursor = -1;
}

void MouseCommandEditor::lock() {
    const auto editor = window();
    if (editor.text(编辑框_X坐标).empty() || editor.text(编辑框_Y坐标).empty()) {
        platform_.messageBox("锁定失败,请先获取到鼠标坐标位置。", "蓝豆", framework::MessageIcon::Error,
                             framework::MessageButtons::Ok);
        return;
    }
    main_.setInterval(mw::时钟_锁定鼠标, 1);
}

void MouseCommandEditor::unlock() { main_.setInterval(mw::时钟_锁定鼠标, 0); }

void MouseCommandEditor::holdCursor() {
    // While a run's call holds the lock (one that hangs, say), this thread must go on answering
    // the hotkeys and buttons: the tick is skipped, and the next one, 1 ms later, tries again.
    auto calls = automation_.callLock();
    if (!calls.try_lock()) return;
    const auto editor = window();
    automation_.MoveTo(text::textToInt32(editor.text(编辑框_X坐标)), text::textToInt32(editor.text(编辑框_Y坐标)));
}

}  // namespace commands
