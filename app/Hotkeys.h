#pragma once
// The seven global hotkeys: registered for the main window at start-up, each press delivered to
// the dispatcher on the user-interface thread.

#include <array>
#include <cstdint>
#include <string_view>

#include "commands/MouseCommandEditor.h"
#include "framework/Platform.h"
#include "playback/Player.h"
#include "playback/Schedule.h"

namespace app {

// What a press does; the table names it, so that reordering the table cannot rewire a key.
enum class HotkeyAction {
    ToggleRun,
    CapturePosition,
    NextClickMode,
    ConfirmMouseCommand,
    LockCursor,
    UnlockCursor,
    DisarmSchedule,
};

struct Hotkey {
    HotkeyAction action;
    bool control;
    unsigned virtualKey;
    std::string_view failureMessage;
};

// In registration order, which fixes the identifiers and the order of the failure messages.
inline constexpr std::array<Hotkey, 7> HotkeyTable = {{
    {HotkeyAction::ToggleRun, false, 0x7A, "注册F11键失败。可能为热键冲突，杀毒软件拦截。请尝试重新打开，如果不行请重启计算机。"},
    {HotkeyAction::CapturePosition, false, 0x72, "注册F3键失败。可能为热键冲突，杀毒软件拦截。请尝试重新打开，如果不行请重启计算机。"},
    {HotkeyAction::NextClickMode, true, 0x20, "注册CTRL+空格键失败。可能为热键冲突，杀毒软件拦截。请尝试重新打开，如果不行请重启计算机。"},
    {HotkeyAction::ConfirmMouseCommand, true, 0x0D, "注册Ctrl+回车键失败。可能为热键冲突，杀毒软件拦截。请尝试重新打开，如果不行请重启计算机。"},
    {HotkeyAction::LockCursor, true, 0x53, "注册CTRL+S键失败。可能为热键冲突，杀毒软件拦截。请尝试重新打开，如果不行请重启计算机。"},
    {HotkeyAction::UnlockCursor, true, 0x51, "注册Ctrl+Q键失败。可能为热键冲突，杀毒软件拦截。请尝试重新打开，如果不行请重启计算机。"},
    {HotkeyAction::DisarmSchedule, false, 0x78, "注册F9键失败。可能为热键冲突，杀毒软件拦截。请尝试重新打开，如果不行请重启计算机。"},
}};
inline constexpr std::int32_t FirstHotkeyIdentifier = 33001;

class Hotkeys {
public:
    Hotkeys(framework::Platform& platform, framework::Form& main, playback::Player& player, playback::Schedule& schedule,
            commands::MouseCommandEditor& mouseEditor);

    // Registers the seven in table order (an attempt that fails still uses up its identifier
    // and stores 0).
    void registerAll();
    // One message per hotkey that failed, in table order.
    void reportFailures();
    // The action of the hotkey whose stored identifier this is; any other does nothing.
    void dispatch(std::int32_t identifier);

    const std::array<std::int32_t, 7>& identifiers() const { return identifiers_; }

private:
    framework::Platform& platform_;
    framework::Form& main_;
    playback::Player& player_;
    playback::Schedule& schedule_;
    commands::MouseCommandEditor& mouseEditor_;
    std::array<std::int32_t, 7> identifiers_{};
    std::int32_t nextIdentifier_ = FirstHotkeyIdentifier;
};

}  // namespace app
