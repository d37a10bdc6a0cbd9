// The three windows against their layout tables: every control's name, kind, container,
// place, size, caption and initial state, then the toolbar, the menu, the list columns, the
// help text and the styles.

#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "config/Addresses.h"
#include "ui/KeyCommandWindowDefinition.h"
#include "ui/MainWindowDefinition.h"
#include "ui/MouseCommandWindowDefinition.h"

using namespace framework;

namespace {

std::string escaped(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '\r') out += "\\r";
        else if (c == '\n') out += "\\n";
        else out += c;
    }
    return out;
}

// One line per control, in the layout tables' columns: name | kind | container | left,top |
// width x height | caption | state. The help text, which has a test of its own, stands as a mark.
std::string layout(const WindowDefinition& window) {
    std::ostringstream out;
    for (const ControlDefinition& c : window.controls) {
        out << c.name << " | " << kindName(c.kind) << " | " << c.container << " | ";
        if (c.hasPlace()) {
            out << c.place.left << "," << c.place.top << " | ";
            if (c.fullWidth) out << "full";
            else out << c.place.width;
            out << "x" << c.place.height;
        } else {
            out << " | ";
        }
        out << " | " << (c.name == "透明标签1" && c.caption.size() > 100 ? "(the help text)" : escaped(c.caption)) << " |";
        if (!c.visible) out << " hidden";
        if (!c.enabled) out << " disabled";
        if (c.checked) out << " checked";
        out << "\n";
    }
    return out.str();
}

}  // namespace

TEST(WindowDefinition, MainWindowLayout) {
    const WindowDefinition& w = ui::mainWindowDefinition();
    EXPECT_EQ(w.caption, "蓝豆键盘鼠标模拟器");
    EXPECT_EQ(w.outerSize, (Size{511, 483}));
    EXPECT_TRUE(w.minimizeBox);
    EXPECT_TRUE(w.whiteBackground);
    EXPECT_TRUE(w.visibleAtCreation);
    EXPECT_EQ(layout(w),
              "工具条_添加工具 | toolbar |  | 0,0 | fullx28 |  |\n"
              "分组框_命令编辑 | group box |  | 0,24 | 508x336 | 命令编辑 |\n"
              "超级列表框_鼠标命令 | report list | 分组框_命令编辑 | 0,13 | 505x322 |  |\n"
              "分组框_添加分类 | group box | 分组框_命令编辑 | 0,0 | 167x91 | 添加分类 | hidden\n"
              "按钮_添加鼠标 | button | 分组框_添加分类 | 0,17 | 81x24 | 添加鼠标命令 |\n"
              "按钮2 | button | 分组框_添加分类 | 81,17 | 84x24 | 添加键盘 |\n"
              "按钮_插入鼠标 | button | 分组框_添加分类 | 0,41 | 81x24 | 插入鼠标命令 | disabled\n"
              "按钮_插入键盘 | button | 分组框_添加分类 | 81,41 | 84x24 | 插入键盘命令 | disabled\n"
              "按钮_取消 | button | 分组框_添加分类 | 0,65 | 165x24 | 取消 |\n"
              "分组框_设置 | group box |  | -3,359 | 511x96 | 运行设置 |\n"
              "透明标签_运行次数 | transparent label | 分组框_设置 | 15,19 | 56x24 | 运行次数: |\n"
              "编辑框_运行次数 | edit box | 分组框_设置 | 71,20 | 48x21 | 1 |\n"
              "按钮_运行 | button | 分组框_设置 | 140,19 | 96x23 | 运行(F11) |\n"
              "透明标签_运行次数1 | transparent label | 分组框_设置 | 15,48 | 76x24 | 延时启动(秒): |\n"
              "编辑框_延时打卡 | edit box | 分组框_设置 | 97,49 | 68x21 | 1 |\n"
              "按钮_设定 | button | 分组框_设置 | 172,47 | 64x24 | 设定 |\n"
              "选择框1 | check box | 分组框_设置 | 17,78 | 118x16 | 每x秒执行一次 |\n"
              "选择框_影藏 | check box | 分组框_设置 | 125,78 | 112x16 | 执行时隐藏窗口 |\n"
              "分组框1 | group box | 分组框_设置 | 239,7 | 270x89 | 其他 |\n"
              "透明标签3 | transparent label | 分组框1 | 7,16 | 248x66 | 蓝豆程序集 |\n"
              "分组框_程序帮助 | group box |  | 510,23 | 507x336 | 帮助 |\n"
              "透明标签1 | transparent label | 分组框_程序帮助 | 4,17 | 428x280 | (the help text) |\n"
              "超级链接框_蓝豆领地 | hyperlink | 分组框_程序帮助 | 90,251 | 48x24 | 蓝豆领地 |\n"
              "标签_查看视屏演示 | label | 分组框_程序帮助 | 5,300 | 107x24 | 查看软件视频演示 |\n"
              "按钮_关闭 | button | 分组框_程序帮助 | 451,303 | 49x26 | 关闭 |\n"
              "分组框_视频演示 | group box |  | 0,-360 | 507x360 | 视频演示 |\n"
              "透明标签2 | transparent label | 分组框_视频演示 | 168,8 | 144x16 | 蓝豆程序集_豆荚鼠键演示 |\n"
              "按钮_撤销1 | button | 分组框_视频演示 | 352,7 | 83x22 | 查看原视频 |\n"
              "按钮_撤销 | button | 分组框_视频演示 | 437,7 | 67x22 | 撤销 |\n"
              "超文本浏览框_视频演示 | HTML viewer | 分组框_视频演示 | 1,29 | 504x329 |  |\n"
              "通用对话框1 | file dialog |  |  |  |  |\n"
              "标签_热键标识 | invisible label |  |  |  |  |\n"
              "时钟_锁定鼠标 | timer |  |  |  |  |\n"
              "时钟_延时打开 | timer |  |  |  |  |\n"
              "时钟_载入帮助文档 | timer |  |  |  |  |\n"
              "时钟_关闭帮助文档 | timer |  |  |  |  |\n"
              "时钟_视屏延时开 | timer |  |  |  |  |\n"
              "时钟_视频延时关 | timer |  |  |  |  |\n"
              "右键单击 | menu |  |  |  | 右键单击 |\n");
}

TEST(WindowDefinition, MouseCommandWindowLayout) {
    const WindowDefinition& w = ui::mouseCommandWindowDefinition();
    EXPECT_EQ(w.caption, "鼠标添加");
    EXPECT_EQ(w.outerSize, (Size{349, 185}));
    EXPECT_FALSE(w.minimizeBox);
    EXPECT_TRUE(w.whiteBackground);
    EXPECT_FALSE(w.visibleAtCreation);
    EXPECT_EQ(layout(w),
              "分组框_鼠标添加命令 | group box |  | 0,0 | 343x160 | 鼠标添加命令 |\n"
              "透明标签_横坐标 | transparent label | 分组框_鼠标添加命令 | 10,25 | 72x16 | 鼠标横坐标X: |\n"
              "编辑框_X坐标 | edit box | 分组框_鼠标添加命令 | 84,20 | 65x21 |  |\n"
              "透明标签_纵坐标 | transparent label | 分组框_鼠标添加命令 | 180,25 | 72x16 | 鼠标纵坐标Y: |\n"
              "编辑框_Y坐标 | edit box | 分组框_鼠标添加命令 | 254,20 | 65x21 |  |\n"
              "透明标签1 | transparent label | 分组框_鼠标添加命令 | 5,45 | 182x24 | 按下“F3键”获取当前鼠标的坐标 |\n"
              "透明标签3 | transparent label | 分组框_鼠标添加命令 | 192,44 | 136x76 | "
              "Ctrl+S键 锁定当前鼠标\\r\\n\\r\\nCtrl+Q键 取消鼠标锁定\\r\\n\\r\\n必须获取到鼠标坐标后才能锁定 |\n"
              "透明标签_点击频率 | transparent label | 分组框_鼠标添加命令 | 9,78 | 88x16 | 延时点击(毫秒): |\n"
              "编辑框_点击频率 | edit box | 分组框_鼠标添加命令 | 103,73 | 45x21 | 100 |\n"
              "透明标签_点击方式 | transparent label | 分组框_鼠标添加命令 | 10,108 | 54x16 | 点击方式: |\n"
              "组合框1 | drop-down list | 分组框_鼠标添加命令 | 72,104 | 80x20 |  |\n"
              "透明标签2 | transparent label | 分组框_鼠标添加命令 | 10,134 | 141x16 | Ctrl+空格 切换到下一条 |\n"
              "按钮_添加命令 | button | 分组框_鼠标添加命令 | 187,124 | 81x29 |  确认添加\\r\\n(Ctrl+回车) |\n"
              "按钮_取消添加 | button | 分组框_鼠标添加命令 | 272,124 | 67x29 | 关闭 |\n"
              "标签_获取坐标 | invisible label |  |  |  |  |\n");

    const ControlDefinition& modes = *w.find("组合框1");
    ASSERT_EQ(modes.items.size(), 4u);
    const char* names[] = {"移动到此", "左键单击", "左键双击", "右键单击"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(modes.items[i].text, names[i]);
        EXPECT_EQ(modes.items[i].value, i + 1);
    }
    EXPECT_EQ(modes.selectedItem, 0);
}

TEST(WindowDefinition, KeyCommandWindowLayout) {
    const WindowDefinition& w = ui::keyCommandWindowDefinition();
    EXPECT_EQ(w.caption, "键盘添加");
    EXPECT_EQ(w.outerSize, (Size{380, 220}));
    EXPECT_FALSE(w.minimizeBox);
    EXPECT_FALSE(w.whiteBackground);
    EXPECT_TRUE(w.visibleAtCreation);
    EXPECT_EQ(layout(w),
              "分组框_键盘输入 | group box |  | 0,0 | 374x96 | 键盘输入 |\n"
              "标签1 | label | 分组框_键盘输入 | 16,16 | 272x24 | 请添加输入文字：    双击输入框清空内容 |\n"
              "编辑框_输入文字 | edit box | 分组框_键盘输入 | 16,40 | 304x48 |  |\n"
              "按钮_添加 | button | 分组框_键盘输入 | 323,64 | 48x24 | 添加 |\n"
              "分组框_键盘模拟 | group box |  | 0,96 | 374x96 | 键盘模拟 |\n"
              "标签2 | label | 分组框_键盘模拟 | 16,16 | 288x24 | 请输入欲模拟的按键： 双击输入框清空内容 |\n"
              "编辑框1 | edit box | 分组框_键盘模拟 | 16,40 | 304x32 |  |\n"
              "标签3 | label | 分组框_键盘模拟 | 15,77 | 128x16 | 仅可以输入一个键代码 |\n"
              "标签4 | label | 分组框_键盘模拟 | 222,78 | 96x16 | 查看键代码对照表 |\n"
              "按钮_添加模拟按键 | button | 分组框_键盘模拟 | 322,68 | 48x24 | 添加 |\n");
}

TEST(WindowDefinition, ContainersAreGroupBoxesDefinedBeforeTheirControls) {
    for (const WindowDefinition* w : {&ui::mainWindowDefinition(), &ui::mouseCommandWindowDefinition(),
                                      &ui::keyCommandWindowDefinition()}) {
        std::set<std::string_view> seen, groupBoxes;
        for (const ControlDefinition& c : w->controls) {
            EXPECT_TRUE(seen.insert(c.name).second) << "two controls named " << c.name;
            if (!c.container.empty()) {
                EXPECT_TRUE(groupBoxes.count(c.container)) << c.name << " in " << c.container;
                EXPECT_TRUE(c.hasPlace()) << c.name;
            }
            if (c.kind == ControlKind::GroupBox) groupBoxes.insert(c.name);
        }
    }
}

TEST(WindowDefinition, ToolbarEntriesCountSeparators) {
    const ControlDefinition& toolbar = *ui::mainWindowDefinition().find("工具条_添加工具");
    std::ostringstream out;
    for (const Entry& e : toolbar.entries)
        out << (e.isSeparator() ? "|" : std::string(e.text) + "/" + std::string(e.tooltip) + (e.enabled ? "" : "/off")) << "\n";
    EXPECT_EQ(out.str(),
              "|\n添加/添加鼠标指令\n删除/删除当前命令/off\n|\n修改/修改当前命令/off\n清空/清空所以命令/off\n|\n"
              "导入/导入命令\n导出/导出命令\n|\n帮助/帮助文档\n|\n作者/软件作者\n网址/软件来自“蓝豆领地”\n");
    namespace tb = ui::main_window::toolbar;
    EXPECT_EQ(toolbar.entries[tb::Import].text, "导入");
    EXPECT_EQ(toolbar.entries[tb::Export].text, "导出");
    EXPECT_EQ(toolbar.entries[tb::Help].text, "帮助");
    EXPECT_EQ(toolbar.entries[tb::Site].text, "网址");
}

TEST(WindowDefinition, ContextMenuItems) {
    const ControlDefinition& menu = *ui::mainWindowDefinition().find("右键单击");
    std::ostringstream out;
    for (const Entry& e : menu.entries) out << (e.isSeparator() ? "-" : std::string(e.text)) << (e.enabled ? "" : "/off") << ",";
    EXPECT_EQ(out.str(), "删除/off,修改/off,清空/off,-,移动命令向下,移动命令向上,-,延时100毫秒,延时1000毫秒,延时10秒,");
    namespace m = ui::main_window::menu;
    EXPECT_EQ(menu.entries[m::MoveUp].text, "移动命令向上");
    EXPECT_EQ(menu.entries[m::Delay10s].text, "延时10秒");
}

TEST(WindowDefinition, CommandListColumns) {
    const ControlDefinition& list = *ui::mainWindowDefinition().find("超级列表框_鼠标命令");
    std::ostringstream out;
    for (const ListColumn& c : list.columns)
        out << c.header << ":" << c.width << (c.alignment == Alignment::Centre ? "c" : "l") << " ";
    EXPECT_EQ(out.str(), "序号:50l 键/鼠:50l 坐标X:50l 坐标Y:50l 点击方式:80c 延时点击:80c 输入文本:100l ");
}

TEST(WindowDefinition, HelpTextLineByLine) {
    const std::string_view text = ui::mainWindowDefinition().find("透明标签1")->caption;
    const char* lines[] = {
        "欢迎使用：蓝豆程序集_豆荚鼠键。",
        "下面是程序使用方法：",
        "左上角有个“添加”按钮 在此可以添加鼠标指令 和键盘指令",
        "添加鼠标指令后 可以使用快捷键添加 ",
        "F3 获取鼠标的当前坐标位置",
        "ctr+s键 锁定当前鼠标位置",
        "ctrl+q键 取消鼠标当前锁定位置",
        "ctrl+空格键 选择鼠标的点击方式",
        "ctrl+回车键 将设定好的命令添加到主面板的命令添加面板",
        "主要用于鼠标不适合移去添加命令所以用快捷键完成",
        "如有疑问可以到         的资源下载栏目下 本软件的目录下提问",
        "也可以单击上面的“作者”按钮 直接提问",
    };
    std::string expected;
    for (const char* line : lines) expected += std::string(line) + "\r\n\r\n";
    EXPECT_EQ(text, expected);
    EXPECT_NE(text.find("到" + std::string(9, ' ') + "的"), std::string_view::npos);
}

TEST(WindowDefinition, StylesColoursAndInputs) {
    const auto& main = ui::mainWindowDefinition();
    const auto& mouse = ui::mouseCommandWindowDefinition();
    const auto& key = ui::keyCommandWindowDefinition();

    std::set<std::string_view> links;
    for (const auto* w : {&main, &mouse, &key})
        for (const auto& c : w->controls)
            if (c.linkStyle) links.insert(c.name);
    EXPECT_EQ(links, (std::set<std::string_view>{"透明标签3", "标签_查看视屏演示", "标签4"}));
    EXPECT_EQ(main.find("透明标签3")->textColour, (Rgb{128, 128, 255}));
    EXPECT_EQ(main.find("标签_查看视屏演示")->textColour, (Rgb{255, 0, 0}));
    EXPECT_EQ(mouse.find("透明标签1")->textColour, (Rgb{0, 128, 128}));
    EXPECT_EQ(key.find("标签3")->textColour, (Rgb{255, 0, 0}));
    EXPECT_EQ(key.find("标签4")->textColour, (Rgb{0, 0, 255}));
    EXPECT_EQ(mouse.find("透明标签3")->textColour, std::nullopt);

    std::set<std::string_view> integerBoxes;
    for (const auto* w : {&main, &mouse, &key})
        for (const auto& c : w->controls)
            if (c.kind == ControlKind::Edit && c.input == EditInput::Integers) integerBoxes.insert(c.name);
    EXPECT_EQ(integerBoxes, (std::set<std::string_view>{"编辑框_运行次数", "编辑框_延时打卡", "编辑框_点击频率",
                                                        "编辑框_X坐标", "编辑框_Y坐标"}));
    const auto spinner = main.find("编辑框_运行次数")->spinner;
    ASSERT_TRUE(spinner.has_value());
    EXPECT_EQ(spinner->minimum, 0);
    EXPECT_EQ(spinner->maximum, 100);
    EXPECT_FALSE(main.find("编辑框_延时打卡")->spinner.has_value());

    EXPECT_EQ(main.find("超级链接框_蓝豆领地")->target, config::AuthorSiteAddress);
    EXPECT_EQ(main.find("通用对话框1")->filter, "蓝豆程序集_豆荚鼠键数据(*.qd)|*.qd");
}
