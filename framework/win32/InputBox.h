#pragma once

#include <optional>
#include <string>

namespace framework::win32 {

// A task-modal box with a prompt, one line of text and OK / Cancel. Nothing when cancelled.
std::optional<std::wstring> showInputBox(const std::wstring& prompt, const std::wstring& title,
                                         const std::wstring& initialText);

}  // namespace framework::win32
