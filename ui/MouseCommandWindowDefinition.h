#pragma once
// MouseCommandWindow "鼠标添加": composes one mouse command; created hidden with the main window.

#include <array>
#include <string_view>

#include "framework/Window.h"
#include "ui/WindowTags.h"

namespace ui {

namespace mouse_window {
FRAMEWORK_CONTROL(MouseCommandWindow, GroupBox, 分组框_鼠标添加命令);
FRAMEWORK_CONTROL(MouseCommandWindow, TransparentLabel, 透明标签_横坐标);
FRAMEWORK_CONTROL(MouseCommandWindow, Edit, 编辑框_X坐标);
FRAMEWORK_CONTROL(MouseCommandWindow, TransparentLabel, 透明标签_纵坐标);
FRAMEWORK_CONTROL(MouseCommandWindow, Edit, 编辑框_Y坐标);
FRAMEWORK_CONTROL(MouseCommandWindow, TransparentLabel, 透明标签1);
FRAMEWORK_CONTROL(MouseCommandWindow, TransparentLabel, 透明标签3);
FRAMEWORK_CONTROL(MouseCommandWindow, TransparentLabel, 透明标签_点击频率);
FRAMEWORK_CONTROL(MouseCommandWindow, Edit, 编辑框_点击频率);
FRAMEWORK_CONTROL(MouseCommandWindow, TransparentLabel, 透明标签_点击方式);
FRAMEWORK_CONTROL(MouseCommandWindow, DropDownList, 组合框1);
FRAMEWORK_CONTROL(MouseCommandWindow, TransparentLabel, 透明标签2);
FRAMEWORK_CONTROL(MouseCommandWindow, Button, 按钮_添加命令);
FRAMEWORK_CONTROL(MouseCommandWindow, Button, 按钮_取消添加);
FRAMEWORK_CONTROL(MouseCommandWindow, InvisibleLabel, 标签_获取坐标);

// The click modes of 组合框1, in list-box order: the texts that mouse rows store.
inline constexpr std::array<std::string_view, 4> ClickModes = {"移动到此", "左键单击", "左键双击", "右键单击"};
}  // namespace mouse_window

const framework::WindowDefinition& mouseCommandWindowDefinition();

}  // namespace ui
