#include "ui/MainWindowDefinition.h"

#include "config/Addresses.h"

namespace ui {
namespace {

using namespace framework;
using namespace main_window;

constexpr Entry ToolbarEntries[] = {
    {},
    {"添加", "添加鼠标指令"},
    {"删除", "删除当前命令", false},
    {},
    {"修改", "修改当前命令", false},
    {"清空", "清空所以命令", false},
    {},
    {"导入", "导入命令"},
    {"导出", "导出命令"},
    {},
    {"帮助", "帮助文档"},
    {},
    {"作者", "软件作者"},
    {"网址", "软件来自“蓝豆领地”"},
};

constexpr Entry ContextMenuItems[] = {
    {"删除", {}, false},
    {"修改", {}, false},
    {"清空", {}, false},
    {},
    {"移动命令向下"},
    {"移动命令向上"},
    {},
    {"延时100毫秒"},
    {"延时1000毫秒"},
    {"延时10秒"},
};

// The indexes the handlers use name these entries; reordering a table must move its index too.
static_assert(ToolbarEntries[toolbar::Add].text == "添加" && ToolbarEntries[toolbar::Delete].text == "删除" &&
              ToolbarEntries[toolbar::Modify].text == "修改" && ToolbarEntries[toolbar::Clear].text == "清空" &&
              ToolbarEntries[toolbar::Import].text == "导入" && ToolbarEntries[toolbar::Export].text == "导出" &&
              ToolbarEntries[toolbar::Help].text == "帮助" && ToolbarEntries[toolbar::Author].text == "作者" &&
              ToolbarEntries[toolbar::Site].text == "网址");
static_assert(ContextMenuItems[menu::Delete].text == "删除" && ContextMenuItems[menu::Modify].text == "修改" &&
              ContextMenuItems[menu::Clear].text == "清空" && ContextMenuItems[menu::MoveDown].text == "移动命令向下" &&
              ContextMenuItems[menu::MoveUp].text == "移动命令向上" &&
              ContextMenuItems[menu::Delay100ms].text == "延时100毫秒" &&
              ContextMenuItems[menu::Delay1000ms].text == "延时1000毫秒" &&
              ContextMenuItems[menu::Delay10s].text == "延时10秒");

constexpr ListColumn CommandListColumns[] = {
    {"序号", 50, Alignment::Left},      {"键/鼠", 50, Alignment::Left},
    {"坐标X", 50, Alignment::Left},     {"坐标Y", 50, Alignment::Left},
    {"点击方式", 80, Alignment::Centre}, {"延时点击", 80, Alignment::Centre},
    {"输入文本", 100, Alignment::Left},
};

constexpr std::string_view HelpText =
    "欢迎使用：蓝豆程序集_豆荚鼠键。\r\n\r\n"
    "下面是程序使用方法：\r\n\r\n"
    "左上角有个“添加”按钮 在此可以添加鼠标指令 和键盘指令\r\n\r\n"
    "添加鼠标指令后 可以使用快捷键添加 \r\n\r\n"
    "F3 获取鼠标的当前坐标位置\r\n\r\n"
    "ctr+s键 锁定当前鼠标位置\r\n\r\n"
    "ctrl+q键 取消鼠标当前锁定位置\r\n\r\n"
    "ctrl+空格键 选择鼠标的点击方式\r\n\r\n"
    "ctrl+回车键 将设定好的命令添加到主面板的命令添加面板\r\n\r\n"
    "主要用于鼠标不适合移去添加命令所以用快捷键完成\r\n\r\n"
    "如有疑问可以到         的资源下载栏目下 本软件的目录下提问\r\n\r\n"
    "也可以单击上面的“作者”按钮 直接提问\r\n\r\n";

constexpr Rgb Red{255, 0, 0};
constexpr Rgb LightBlue{128, 128, 255};

constexpr ControlDefinition Controls[] = {
    control(工具条_添加工具, {.place = {0, 0, 0, 28}, .fullWidth = true, .entries = ToolbarEntries,
                              .images = "TOOLBAR_IMAGES"}),
    control(分组框_命令编辑, {.place = {0, 24, 508, 336}, .caption = "命令编辑", .overlay = true}),
    control(超级列表框_鼠标命令, {.container = 分组框_命令编辑.name, .place = {0, 13, 505, 322},
                                  .columns = CommandListColumns}),
    control(分组框_添加分类, {.container = 分组框_命令编辑.name, .place = {0, 0, 167, 91},
                              .caption = "添加分类", .visible = false, .overlay = true}),
    control(按钮_添加鼠标, {.container = 分组框_添加分类.name, .place = {0, 17, 81, 24}, .caption = "添加鼠标命令"}),
    control(按钮2, {.container = 分组框_添加分类.name, .place = {81, 17, 84, 24}, .caption = "添加键盘"}),
    control(按钮_插入鼠标, {.container = 分组框_添加分类.name, .place = {0, 41, 81, 24},
                            .caption = "插入鼠标命令", .enabled = false}),
    control(按钮_插入键盘, {.container = 分组框_添加分类.name, .place = {81, 41, 84, 24},
                            .caption = "插入键盘命令", .enabled = false}),
    control(按钮_取消, {.container = 分组框_添加分类.name, .place = {0, 65, 165, 24}, .caption = "取消"}),

    control(分组框_设置, {.place = {-3, 359, 511, 96}, .caption = "运行设置"}),
    control(透明标签_运行次数, {.container = 分组框_设置.name, .place = {15, 19, 56, 24}, .caption = "运行次数:"}),
    control(编辑框_运行次数, {.container = 分组框_设置.name, .place = {71, 20, 48, 21}, .caption = "1",
                              .input = EditInput::Integers, .spinner = Spinner{0, 100}}),
    control(按钮_运行, {.container = 分组框_设置.name, .place = {140, 19, 96, 23}, .caption = "运行(F11)"}),
    control(透明标签_运行次数1, {.container = 分组框_设置.name, .place = {15, 48, 76, 24},
                                 .caption = "延时启动(秒):"}),
    control(编辑框_延时打卡, {.container = 分组框_设置.name, .place = {97, 49, 68, 21}, .caption = "1",
                              .input = EditInput::Integers}),
    control(按钮_设定, {.container = 分组框_设置.name, .place = {172, 47, 64, 24}, .caption = "设定"}),
    control(选择框1, {.container = 分组框_设置.name, .place = {17, 78, 118, 16}, .caption = "每x秒执行一次"}),
    control(选择框_影藏, {.container = 分组框_设置.name, .place = {125, 78, 112, 16}, .caption = "执行时隐藏窗口",
                          .overlay = true}),
    control(分组框1, {.container = 分组框_设置.name, .place = {239, 7, 270, 89}, .caption = "其他"}),
    control(透明标签3, {.container = 分组框1.name, .place = {7, 16, 248, 66}, .caption = "蓝豆程序集",
                        .textColour = LightBlue, .linkStyle = true}),

    control(分组框_程序帮助, {.place = {HelpPanelParkedLeft, 23, 507, 336}, .caption = "帮助", .overlay = true}),
    control(透明标签1, {.container = 分组框_程序帮助.name, .place = {4, 17, 428, 280}, .caption = HelpText,
                        .twelvePixelLines = true}),
    control(超级链接框_蓝豆领地, {.container = 分组框_程序帮助.name, .place = {90, 251, 48, 24},
                                  .caption = "蓝豆领地", .twelvePixelLines = true, .overlay = true,
                                  .target = config::AuthorSiteAddress}),
    control(标签_查看视屏演示, {.container = 分组框_程序帮助.name, .place = {5, 300, 107, 24},
                                .caption = "查看软件视频演示", .textColour = Red, .linkStyle = true}),
    control(按钮_关闭, {.container = 分组框_程序帮助.name, .place = {451, 303, 49, 26}, .caption = "关闭"}),

    control(分组框_视频演示, {.place = {0, VideoPanelParkedTop, 507, 360}, .caption = "视频演示",
                              .overlay = true}),
    control(透明标签2, {.container = 分组框_视频演示.name, .place = {168, 8, 144, 16},
                        .caption = "蓝豆程序集_豆荚鼠键演示"}),
    control(按钮_撤销1, {.container = 分组框_视频演示.name, .place = {352, 7, 83, 22}, .caption = "查看原视频"}),
    control(按钮_撤销, {.container = 分组框_视频演示.name, .place = {437, 7, 67, 22}, .caption = "撤销"}),
    control(超文本浏览框_视频演示, {.container = 分组框_视频演示.name, .place = {1, 29, 504, 329}}),

    control(通用对话框1, {.filter = "蓝豆程序集_豆荚鼠键数据(*.qd)|*.qd"}),
    control(标签_热键标识, {}),
    control(时钟_锁定鼠标, {}),
    control(时钟_延时打开, {}),
    control(时钟_载入帮助文档, {}),
    control(时钟_关闭帮助文档, {}),
    control(时钟_视屏延时开, {}),
    control(时钟_视频延时关, {}),
    control(右键单击, {.caption = "右键单击", .entries = ContextMenuItems}),
};

constexpr WindowDefinition Definition{
    .name = "MainWindow",
    .caption = "蓝豆键盘鼠标模拟器",
    .outerSize = {511, 483},
    .minimizeBox = true,
    .controls = Controls,
};

}  // namespace

const WindowDefinition& mainWindowDefinition() { return Definition; }

}  // namespace ui
