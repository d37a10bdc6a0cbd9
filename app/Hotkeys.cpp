#include "app/Hotkeys.h"

namespace app {

Hotkeys::Hotkeys(framework::Platform& platform, framework::Form& main, playback::Player& player,
                 playback::Schedule& schedule, commands::MouseCommandEditor& mouseEditor)
    : platform_(platform), main_(main), player_(player), schedule_(schedule), mouseEditor_(mouseEditor) {}

void Hotkeys::registerAll() {
    for (size_t i = 0; i < HotkeyTable.size(); ++i) {
        const std::int32_t identifier = nextIdentifier_++;
        identifiers_[i] = main_.registerHotkey(identifier, HotkeyTable[i].control, HotkeyTable[i].virtualKey) ? identifier : 0;
    }
}

void Hotkeys::reportFailures() {
    for (size_t i = 0; i < HotkeyTable.size(); ++i)
        if (identifiers_[i] == 0)
            platform_.messageBox(HotkeyTable[i].failureMessage, "蓝豆程序集", framework::MessageIcon::Error,
                                 framework::MessageButtons::Ok);
}

void Hotkeys::dispatch(std::int32_t identifier) {
    if (identifier == 0) return;
    size_t entry = 0;
    while (entry < identifiers_.size() && identifiers_[entry] != identifier) ++entry;
    if (entry == identifiers_.size()) return;
    switch (HotkeyTable[entry].action) {
        case HotkeyAction::ToggleRun: player_.toggle(); break;
        case HotkeyAction::CapturePosition: mouseEditor_.capturePosition(); break;
        case HotkeyAction::NextClickMode: mouseEditor_.nextClickMode(); break;
        case HotkeyAction::ConfirmMouseCommand:
            mouseEditor_.confirm();  // also while the editor is hidden, with whatever it holds
            break;
        case HotkeyAction::LockCursor: mouseEditor_.lock(); break;
        case HotkeyAction::UnlockCursor: mouseEditor_.unlock(); break;
        case HotkeyAction::DisarmSchedule: schedule_.disarm(); break;
    }
}

}  // namespace app
