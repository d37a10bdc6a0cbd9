#pragma once
// Delayed and periodic runs: the schedule timer of the main window plays the list in its tick.
// The schedule state is the schedule button's caption with the timer's interval.

#include <cstdint>
#include <string_view>

#include "framework/Platform.h"
#include "playback/Player.h"
#include "ui/MainWindowDefinition.h"

namespace playback {

inline constexpr std::string_view DisarmedCaption = "设定";
inline constexpr std::string_view ArmedCaption = "停止(F9)";

// The timer interval for a delay of T seconds as typed: T × 1000 ms, truncated toward zero,
// bounded to what a signed 32-bit count holds; a negative delay is 0.
std::int32_t scheduleInterval(std::string_view seconds);

class Schedule {
public:
    Schedule(framework::Platform& platform, framework::Form& main, Player& player);

    // The schedule button: arms when its caption is "设定", else disarms.
    void toggle();
    // The schedule button while armed, and F9 always.
    void disarm();
    // The schedule timer elapsed: one scheduled run, then the timer goes on only when the
    // periodic box was checked as the tick began.
    void tick();

private:
    framework::Platform& platform_;
    framework::Window<ui::MainWindow> main_;
    Player& player_;
};

}  // namespace playback
