#include "online/SlidingPanels.h"

#include <algorithm>

#include "config/Addresses.h"

namespace online {

using namespace ui::main_window;
using framework::ControlKind;
using framework::Point;

namespace {

using Timer = framework::ControlId<ui::MainWindow, ControlKind::Timer>;
using Panel = framework::ControlId<ui::MainWindow, ControlKind::GroupBox>;

enum class Axis : unsigned char { Horizontal, Vertical };

int& coordinate(Point& p, Axis axis) { return axis == Axis::Horizontal ? p.x : p.y; }

// One step of a slide towards its end value, never past it: the panel's position is read,
// written and read back, and the timer stops once the panel is there.
bool stepTowards(const framework::Window<ui::MainWindow>& main, Panel panel, Axis axis, int end, Timer timer) {
    Point p = main.position(panel);
    int& at = coordinate(p, axis);
    at = at > end ? std::max(at - SlideStep, end) : std::min(at + SlideStep, end);
    main.setPosition(panel, p);
    Point now = main.position(panel);
    if (coordinate(now, axis) != end) return false;
    main.setInterval(timer, 0);
    return true;
}

}  // namespace

SlidingPanels::SlidingPanels(framework::Form& main) : main_(main) {}

void SlidingPanels::openHelp() {
    slideHelpIn();
    main_.setEntryEnabled(工具条_添加工具, toolbar::Help, false);
}

void SlidingPanels::openHelpAtFirstStart() { slideHelpIn(); }

void SlidingPanels::slideHelpIn() {
    main_.setInterval(时钟_关闭帮助文档, 0);
    main_.setInterval(时钟_载入帮助文档, SlideTickMilliseconds);
}

void SlidingPanels::closeHelp() {
    main_.setInterval(时钟_载入帮助文档, 0);
    main_.setInterval(时钟_关闭帮助文档, SlideTickMilliseconds);
    main_.setEntryEnabled(工具条_添加工具, toolbar::Help, true);
}

void SlidingPanels::openVideo() {
    main_.setInterval(时钟_视频延时关, 0);
    main_.setInterval(时钟_视屏延时开, SlideTickMilliseconds);
    main_.navigate(超文本浏览框_视频演示, config::DemoVideoAddress);
}

void SlidingPanels::closeVideo() {
    main_.setInterval(时钟_视屏延时开, 0);
    main_.setInterval(时钟_视频延时关, SlideTickMilliseconds);
}

void SlidingPanels::helpInTick() { stepTowards(main_, 分组框_程序帮助, Axis::Horizontal, 0, 时钟_载入帮助文档); }

void SlidingPanels::helpOutTick() {
    stepTowards(main_, 分组框_程序帮助, Axis::Horizontal, HelpPanelParkedLeft, 时钟_关闭帮助文档);
}

void SlidingPanels::videoInTick() { stepTowards(main_, 分组框_视频演示, Axis::Vertical, 0, 时钟_视屏延时开); }

void SlidingPanels::videoOutTick() {
    if (stepTowards(main_, 分组框_视频演示, Axis::Vertical, VideoPanelParkedTop, 时钟_视频延时关))
        main_.navigate(超文本浏览框_视频演示, "about:blank");
}

}  // namespace online
