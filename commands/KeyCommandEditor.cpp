#include "commands/KeyCommandEditor.h"

#include "commands/CommandList.h"
#include "commands/CommandRow.h"
#include "commands/KeyCodeTable.h"

namespace commands {

using namespace ui::key_window;
namespace mw = ui::main_window;

KeyCommandEditor::KeyCommandEditor(framework::WindowSystem& windows, framework::Form& main, EditorState& state,
                                   framework::Platform& platform)
    : windows_(windows), main_(main), state_(state), platform_(platform) {}

framework::Window<ui::KeyCommandWindow> KeyCommandEditor::open() {
    if (framework::Form* open = openForm()) {
        open->bringToFront();
        return framework::Window<ui::KeyCommandWindow>(*open);
    }
    form_ = windows_.createForm(ui::keyCommandWindowDefinition());
    const framework::Window<ui::KeyCommandWindow> window(*form_);
    window.onClick(按钮_添加, [this] { confirmText(); });
    window.onClick(按钮_添加模拟按键, [this] { confirmKey(); });
    window.onDoubleClick(编辑框_输入文字, [window] { window.setText(编辑框_输入文字, ""); });
    window.onDoubleClick(编辑框1, [window] { window.setText(编辑框1, ""); });
    window.onLeftButtonDown(标签4, [this] { showKeyCodeTable(platform_); });
    form_->open();
    return window;
}

void KeyCommandEditor::openForAdding() {
    main_.setShown(mw::分组框_添加分类, false);
    const auto window = open();
    state_.textModify = false;
    state_.keyModify = false;
    window.setCaption(按钮_添加, "添加");
    window.setCaption(按钮_添加模拟按键, "添加");
}

void KeyCommandEditor::openForInserting() {
    state_.keyInsert = true;
    state_.insertIndex = main_.rows(mw::超级列表框_鼠标命令).selectedRow() + 1;
    const auto window = open();
    main_.setShown(mw::分组框_添加分类, false);
    window.setCaption(按钮_添加, "插入");
    window.setCaption(按钮_添加模拟按键, "插入");
}

void KeyCommandEditor::loadTextForModifying() {
    const CommandList list(main_.rows(mw::超级列表框_鼠标命令));
    const auto window = open();
    state_.textModify = true;
    state_.modifyIndex = list.selectedRow();
    window.setCaption(按钮_添加, "修改");
    window.setText(编辑框_输入文字, list.cellText(state_.modifyIndex, TextColumn));
}

void KeyCommandEditor::loadKeyForModifying() {
    const CommandList list(main_.rows(mw::超级列表框_鼠标命令));
    const auto window = open();
    state_.keyModify = true;
    state_.modifyIndex = list.selectedRow();
    window.focus(编辑框1);
    window.setCaption(按钮_添加模拟按键, "修改");
    window.setText(编辑框1, list.cellText(state_.modifyIndex, TextColumn));
}

void KeyCommandEditor::confirmText() { confirm(Box::Text); }

void KeyCommandEditor::confirmKey() { confirm(Box::Key); }

void KeyCommandEditor::confirm(Box box) {
    framework::Form* form = openForm();
    if (!form) return;
    const framework::Window<ui::KeyCommandWindow> window(*form);
    CommandList list(main_.rows(mw::超级列表框_鼠标命令));
    const bool textBox = box == Box::Text;
    bool& ownModify = textBox ? state_.textModify : state_.keyModify;
    const auto ownBox = textBox ? 编辑框_输入文字 : 编辑框1;
    const auto ownButton = textBox ? 按钮_添加 : 按钮_添加模拟按键;

    int index = -1;
    if (state_.keyInsert) {
        index = state_.insertIndex;
    } else if (ownModify) {
        list.deleteRow(state_.modifyIndex);
        index = state_.modifyIndex;
    }
    const std::string typed = window.text(ownBox);
    const std::string_view text = typed.empty() ? (textBox ? NoText : NoKey) : std::string_view(typed);
    list.createRow(index, textBox ? TextRow : KeyRow,
                   {NotApplicable, NotApplicable, NotApplicable, NotApplicable, text});

    if (state_.keyInsert) {
        state_.keyInsert = false;
        window.destroy();
    } else if (ownModify) {
        ownModify = false;
        window.setCaption(ownButton, "添加");
        window.destroy();
    }
}

}  // namespace commands
