#pragma once
// The help panel, parked right of the client area, and the video panel, parked above it: four
// timers slide them in and out in steps of 10 pixels. Starting a slide stops the opposite one
// of the same panel, and the last step of a slide ends exactly on its end value, so no mix of
// clicks can run a panel off.

#include "ui/MainWindowDefinition.h"

namespace online {

inline constexpr int SlideStep = 10;
inline constexpr int SlideTickMilliseconds = 10;

class SlidingPanels {
public:
    explicit SlidingPanels(framework::Form& main);

    // Toolbar "帮助": the help panel comes in; the entry stays disabled until "关闭".
    void openHelp();
    // The first start: the help panel comes in, and "帮助" stays enabled.
    void openHelpAtFirstStart();
    // "关闭" in the help panel.
    void closeHelp();
    // "查看软件视频演示": the video panel comes down and the viewer loads the video meanwhile.
    void openVideo();
    // "撤销" in the video panel; once parked, the viewer shows a blank page.
    void closeVideo();

    // The timers' ticks: one step each.
    void helpInTick();
    void helpOutTick();
    void videoInTick();
    void videoOutTick();

private:
    void slideHelpIn();

    framework::Window<ui::MainWindow> main_;
};

}  // namespace online
