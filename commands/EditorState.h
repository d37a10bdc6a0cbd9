#pragma once
// The two editors' modes and remembered row indexes, and the Ctrl+Space counter. One record
// for the process, touched only on the user-interface thread.

#include <cstdint>

namespace commands {

struct EditorState {
    bool mouseInsert = false;
    bool mouseModify = false;
    bool keyInsert = false;
    bool textModify = false;
    bool keyModify = false;
    std::int32_t insertIndex = 0;
    std::int32_t modifyIndex = 0;
    std::int32_t clickModeCursor = -1;

    // Add mode for both editors.
    void clearModes() { mouseInsert = mouseModify = keyInsert = textModify = keyModify = false; }
};

}  // namespace commands
