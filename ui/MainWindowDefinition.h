#pragma once
// MainWindow "蓝豆键盘鼠标模拟器": the command list, the run settings and the two parked panels.

#include "framework/Window.h"
#include "ui/WindowTags.h"

namespace ui {

namespace main_window {
FRAMEWORK_CONTROL(MainWindow, Toolbar, 工具条_添加工具);
FRAMEWORK_CONTROL(MainWindow, GroupBox, 分组框_命令编辑);
FRAMEWORK_CONTROL(MainWindow, ReportList, 超级列表框_鼠标命令);
FRAMEWORK_CONTROL(MainWindow, GroupBox, 分组框_添加分类);
FRAMEWORK_CONTROL(MainWindow, Button, 按钮_添加鼠标);
FRAMEWORK_CONTROL(MainWindow, Button, 按钮2);
FRAMEWORK_CONTROL(MainWindow, Button, 按钮_插入鼠标);
FRAMEWORK_CONTROL(MainWindow, Button, 按钮_插入键盘);
FRAMEWORK_CONTROL(MainWindow, Button, 按钮_取消);
FRAMEWORK_CONTROL(MainWindow, GroupBox, 分组框_设置);
FRAMEWORK_CONTROL(MainWindow, TransparentLabel, 透明标签_运行次数);
FRAMEWORK_CONTROL(MainWindow, Edit, 编辑框_运行次数);
FRAMEWORK_CONTROL(MainWindow, Button, 按钮_运行);
FRAMEWORK_CONTROL(MainWindow, TransparentLabel, 透明标签_运行次数1);
FRAMEWORK_CONTROL(MainWindow, Edit, 编辑框_延时打卡);
FRAMEWORK_CONTROL(MainWindow, Button, 按钮_设定);
FRAMEWORK_CONTROL(MainWindow, CheckBox, 选择框1);
FRAMEWORK_CONTROL(MainWindow, CheckBox, 选择框_影藏);
FRAMEWORK_CONTROL(MainWindow, GroupBox, 分组框1);
FRAMEWORK_CONTROL(MainWindow, TransparentLabel, 透明标签3);
FRAMEWORK_CONTROL(MainWindow, GroupBox, 分组框_程序帮助);
FRAMEWORK_CONTROL(MainWindow, TransparentLabel, 透明标签1);
FRAMEWORK_CONTROL(MainWindow, Hyperlink, 超级链接框_蓝豆领地);
FRAMEWORK_CONTROL(MainWindow, Label, 标签_查看视屏演示);
FRAMEWORK_CONTROL(MainWindow, Button, 按钮_关闭);
FRAMEWORK_CONTROL(MainWindow, GroupBox, 分组框_视频演示);
FRAMEWORK_CONTROL(MainWindow, TransparentLabel, 透明标签2);
FRAMEWORK_CONTROL(MainWindow, Button, 按钮_撤销1);
FRAMEWORK_CONTROL(MainWindow, Button, 按钮_撤销);
FRAMEWORK_CONTROL(MainWindow, HtmlViewer, 超文本浏览框_视频演示);
FRAMEWORK_CONTROL(MainWindow, FileDialog, 通用对话框1);
FRAMEWORK_CONTROL(MainWindow, InvisibleLabel, 标签_热键标识);
FRAMEWORK_CONTROL(MainWindow, Timer, 时钟_锁定鼠标);
FRAMEWORK_CONTROL(MainWindow, Timer, 时钟_延时打开);
FRAMEWORK_CONTROL(MainWindow, Timer, 时钟_载入帮助文档);
FRAMEWORK_CONTROL(MainWindow, Timer, 时钟_关闭帮助文档);
FRAMEWORK_CONTROL(MainWindow, Timer, 时钟_视屏延时开);
FRAMEWORK_CONTROL(MainWindow, Timer, 时钟_视频延时关);
FRAMEWORK_CONTROL(MainWindow, Menu, 右键单击);

// Toolbar entry indices, separators counted.
namespace toolbar {
inline constexpr int Add = 1;
inline constexpr int Delete = 2;
inline constexpr int Modify = 4;
inline constexpr int Clear = 5;
inline constexpr int Import = 7;
inline constexpr int Export = 8;
inline constexpr int Help = 10;
inline constexpr int Author = 12;
inline constexpr int Site = 13;
}  // namespace toolbar

// Context menu item indices, separators counted.
namespace menu {
inline constexpr int Delete = 0;
inline constexpr int Modify = 1;
inline constexpr int Clear = 2;
inline constexpr int MoveDown = 4;
inline constexpr int MoveUp = 5;
inline constexpr int Delay100ms = 7;
inline constexpr int Delay1000ms = 8;
inline constexpr int Delay10s = 9;
}  // namespace menu

// Where the two sliding panels are parked, out of sight.
inline constexpr int HelpPanelParkedLeft = 510;
inline constexpr int VideoPanelParkedTop = -360;
}  // namespace main_window

const framework::WindowDefinition& mainWindowDefinition();

}  // namespace ui
