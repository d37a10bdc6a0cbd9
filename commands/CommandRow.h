#pragma once
// How a command is written in the seven text cells of its list row.

#include <string_view>

#include "ui/MouseCommandWindowDefinition.h"

namespace commands {

// Columns
inline constexpr int NumberColumn = 0;  // the creation counter
inline constexpr int KindColumn = 1;
inline constexpr int XColumn = 2;
inline constexpr int YColumn = 3;
inline constexpr int ClickModeColumn = 4;
inline constexpr int DelayColumn = 5;
inline constexpr int TextColumn = 6;
inline constexpr int ColumnCount = 7;

// Row kinds: the text of the kind column, compared exactly.
inline constexpr std::string_view MouseRow = "鼠标";
inline constexpr std::string_view TextRow = "键盘";
inline constexpr std::string_view KeyRow = "模拟";
inline constexpr std::string_view DelayRow = "延时";

// Click modes, in the order of the mouse editor's list box.
using ui::mouse_window::ClickModes;
inline constexpr std::string_view MoveOnly = ClickModes[0];
inline constexpr std::string_view LeftClick = ClickModes[1];
inline constexpr std::string_view LeftDoubleClick = ClickModes[2];
inline constexpr std::string_view RightClick = ClickModes[3];

// The cells of the columns that do not apply to a kind.
inline constexpr std::string_view NotApplicable = "*";

// What an empty editor box becomes.
inline constexpr std::string_view NoCoordinate = "0";
inline constexpr std::string_view DefaultDelay = "100";
inline constexpr std::string_view NoText = "无文本";
inline constexpr std::string_view NoKey = "无模拟键盘";

// The texts of delay rows.
inline constexpr std::string_view Delay100ms = "100毫秒";
inline constexpr std::string_view Delay1000ms = "1000毫秒";
inline constexpr std::string_view Delay10s = "10秒";

}  // namespace commands
