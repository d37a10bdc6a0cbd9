#include "ui/MouseCommandWindowDefinition.h"

namespace ui {
namespace {

using namespace framework;
using namespace mouse_window;

// The click modes, numbered from 1 in list-box order.
constexpr DropDownItem ClickModeItems[] = {
    {ClickModes[0], 1}, {ClickModes[1], 2}, {ClickModes[2], 3}, {ClickModes[3], 4}};
static_assert(std::size(ClickModeItems) == ClickModes.size());

constexpr std::string_view Box = 分组框_鼠标添加命令.name;

constexpr ControlDefinition Controls[] = {
    control(分组框_鼠标添加命令, {.place = {0, 0, 343, 160}, .caption = "鼠标添加命令"}),
    control(透明标签_横坐标, {.container = Box, .place = {10, 25, 72, 16}, .caption = "鼠标横坐标X:"}),
    control(编辑框_X坐标, {.container = Box, .place = {84, 20, 65, 21}, .input = EditInput::Integers}),
    control(透明标签_纵坐标, {.container = Box, .place = {180, 25, 72, 16}, .caption = "鼠标纵坐标Y:"}),
    control(编辑框_Y坐标, {.container = Box, .place = {254, 20, 65, 21}, .input = EditInput::Integers}),
    control(透明标签1, {.container = Box, .place = {5, 45, 182, 24}, .caption = "按下“F3键”获取当前鼠标的坐标",
                        .textColour = Rgb{0, 128, 128}}),
    control(透明标签3, {.container = Box, .place = {192, 44, 136, 76},
                        .caption = "Ctrl+S键 锁定当前鼠标\r\n\r\nCtrl+Q键 取消鼠标锁定\r\n\r\n必须获取到鼠标坐标后才能锁定"}),
    control(透明标签_点击频率, {.container = Box, .place = {9, 78, 88, 16}, .caption = "延时点击(毫秒):"}),
    control(编辑框_点击频率, {.container = Box, .place = {103, 73, 45, 21}, .caption = "100",
                              .input = EditInput::Integers}),
    control(透明标签_点击方式, {.container = Box, .place = {10, 108, 54, 16}, .caption = "点击方式:"}),
    control(组合框1, {.container = Box, .place = {72, 104, 80, 20}, .items = ClickModeItems, .selectedItem = 0}),
    control(透明标签2, {.container = Box, .place = {10, 134, 141, 16}, .caption = "Ctrl+空格 切换到下一条"}),
    control(按钮_添加命令, {.container = Box, .place = {187, 124, 81, 29}, .caption = " 确认添加\r\n(Ctrl+回车)"}),
    control(按钮_取消添加, {.container = Box, .place = {272, 124, 67, 29}, .caption = "关闭"}),
    control(标签_获取坐标, {}),
};

constexpr WindowDefinition Definition{
    .name = "MouseCommandWindow",
    .caption = "鼠标添加",
    .outerSize = {349, 185},
    .visibleAtCreation = false,
    .controls = Controls,
};

}  // namespace

const WindowDefinition& mouseCommandWindowDefinition() { return Definition; }

}  // namespace ui
