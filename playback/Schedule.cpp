#include "playback/Schedule.h"

#include <algorithm>
#include <string>

#include "text/TextToNumber.h"

namespace playback {

using namespace ui::main_window;

std::int32_t scheduleInterval(std::string_view seconds) {
    return std::max<std::int32_t>(0, text::truncateToInt32(text::textToNumber(seconds) * 1000.0));
}

Schedule::Schedule(framework::Platform& platform, framework::Form& main, Player& player)
    : platform_(platform), main_(main), player_(player) {}

void Schedule::toggle() {
    if (main_.caption(按钮_设定) != DisarmedCaption) {
        disarm();
        return;
    }
    const std::string seconds = main_.text(编辑框_延时打卡);
    if (seconds.empty()) {
        main_.focus(编辑框_延时打卡);
        return;
    }
    platform_.messageBox("软件将在" + seconds + "秒后执行！\r\n运行过程中按下热键F9停止运行。", "蓝豆提示",
                         framework::MessageIcon::Exclamation, framework::MessageButtons::Ok);
    main_.setCaption(选择框1, "每" + seconds + "秒执行一次。");
    main_.setInterval(时钟_延时打开, scheduleInterval(seconds));  // counts from the dismissal
    main_.setCaption(按钮_设定, ArmedCaption);
}

void Schedule::disarm() {
    main_.setInterval(时钟_延时打开, 0);
    main_.setCaption(按钮_设定, DisarmedCaption);
    main_.setChecked(选择框1, false);
}

void Schedule::tick() {
    const bool periodic = main_.checked(选择框1);
    player_.timerRun();
    if (!periodic) {
        main_.setInterval(时钟_延时打开, 0);
        main_.setCaption(按钮_设定, DisarmedCaption);
    }
}

}  // namespace playback
