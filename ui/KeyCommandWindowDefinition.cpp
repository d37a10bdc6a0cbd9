#include "ui/KeyCommandWindowDefinition.h"

namespace ui {
namespace {

using namespace framework;
using namespace key_window;

constexpr std::string_view TextBox = 分组框_键盘输入.name;
constexpr std::string_view KeyBox = 分组框_键盘模拟.name;

constexpr ControlDefinition Controls[] = {
    control(分组框_键盘输入, {.place = {0, 0, 374, 96}, .caption = "键盘输入"}),
    control(标签1, {.container = TextBox, .place = {16, 16, 272, 24},
                    .caption = "请添加输入文字：    双击输入框清空内容"}),
    control(编辑框_输入文字, {.container = TextBox, .place = {16, 40, 304, 48}}),
    control(按钮_添加, {.container = TextBox, .place = {323, 64, 48, 24}, .caption = "添加"}),
    control(分组框_键盘模拟, {.place = {0, 96, 374, 96}, .caption = "键盘模拟"}),
    control(标签2, {.container = KeyBox, .place = {16, 16, 288, 24},
                    .caption = "请输入欲模拟的按键： 双击输入框清空内容"}),
    control(编辑框1, {.container = KeyBox, .place = {16, 40, 304, 32}}),
    control(标签3, {.container = KeyBox, .place = {15, 77, 128, 16}, .caption = "仅可以输入一个键代码",
                    .textColour = Rgb{255, 0, 0}}),
    control(标签4, {.container = KeyBox, .place = {222, 78, 96, 16}, .caption = "查看键代码对照表",
                    .textColour = Rgb{0, 0, 255}, .linkStyle = true}),
    control(按钮_添加模拟按键, {.container = KeyBox, .place = {322, 68, 48, 24}, .caption = "添加"}),
};

constexpr WindowDefinition Definition{
    .name = "KeyCommandWindow",
    .caption = "键盘添加",
    .outerSize = {380, 220},
    .whiteBackground = false,
    .controls = Controls,
};

}  // namespace

const WindowDefinition& keyCommandWindowDefinition() { return Definition; }

}  // namespace ui
