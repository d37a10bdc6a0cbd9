#pragma once
// KeyCommandWindow "键盘添加": composes text and key commands; created each time it is opened.

#include "framework/Window.h"
#include "ui/WindowTags.h"

namespace ui {

namespace key_window {
FRAMEWORK_CONTROL(KeyCommandWindow, GroupBox, 分组框_键盘输入);
FRAMEWORK_CONTROL(KeyCommandWindow, Label, 标签1);
FRAMEWORK_CONTROL(KeyCommandWindow, Edit, 编辑框_输入文字);
FRAMEWORK_CONTROL(KeyCommandWindow, Button, 按钮_添加);
FRAMEWORK_CONTROL(KeyCommandWindow, GroupBox, 分组框_键盘模拟);
FRAMEWORK_CONTROL(KeyCommandWindow, Label, 标签2);
FRAMEWORK_CONTROL(KeyCommandWindow, Edit, 编辑框1);
FRAMEWORK_CONTROL(KeyCommandWindow, Label, 标签3);
FRAMEWORK_CONTROL(KeyCommandWindow, Label, 标签4);
FRAMEWORK_CONTROL(KeyCommandWindow, Button, 按钮_添加模拟按键);
}  // namespace key_window

const framework::WindowDefinition& keyCommandWindowDefinition();

}  // namespace ui
