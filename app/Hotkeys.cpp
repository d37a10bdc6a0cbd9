#include "app/Hotkeys.h"

namespace app {

namespace {
enum Entry { F11, F3, CtrlSpace, CtrlEnter, CtrlS, CtrlQ, F9 };
}  // namespace

Hotkeys::Hotkeys(framework::Platform& platform, framework::Form& main, playback::Player& player,
                 playback::Schedule& schedule, commands::MouseCommandEditor& mouseEditor, commands::EditorState& state)
    : platform_(platform), main_(main), player_(player), schedule_(schedule), mouseEditor_(mouseEditor), state_(state) {}

void Hotkeys::registerAll() {
    for (size_t i = 0; i < HotkeyTable.size(); ++i) {
        const std::int32_t identifier = nextIdentifier_++;
        identifiers_[i] = main_.registerHotkey(identifier, HotkeyTable[i].control, HotkeyTable[i].virtualKey) ? identifier : 0;
    }
    for (size_t i = 0; i < HotkeyTable.size(); ++i)
        if (identifiers_[i] == 0)
            platform_.messageBox(HotkeyTable[i].failureMessage, "蓝豆程序集", framework::MessageIcon::Error,
                                 framework::MessageButtons::Ok);
}

void Hotkeys::dispatch(std::int32_t identifier) {
    if (identifier == 0) return;
    size_t entry = 0;
    while (entry < identifiers_.size() && identifiers_[entry] != identifier) ++entry;
    switch (entry) {
        case F11: player_.toggle(); break;
        case F3: mouseEditor_.capturePosition(); break;
        case CtrlSpace: mouseEditor_.nextClickMode(); break;
        case CtrlEnter: {
            const bool inserting = state_.mouseInsert;
            mouseEditor_.confirm();  // also while the editor is hidden, with whatever it holds
            if (inserting) {
                state_.mouseInsert = false;
                mouseEditor_.window().hide();
            }
            break;
        }
        case CtrlS: mouseEditor_.lock(); break;
        case CtrlQ: mouseEditor_.unlock(); break;
        case F9: schedule_.disarm(); break;
        default: break;
    }
}

}  // namespace app
