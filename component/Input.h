#pragma once
// Real keyboard and mouse input, as a person's would arrive. Every function may be called from
// any thread; calls are serialized, so that two threads never interleave their events. Screen
// coordinates are physical pixels whatever the caller's DPI awareness.

#include <windows.h>

#include <string_view>

namespace qdauto::input {

// Moves the cursor to the screen pixel; true when it is exactly there afterwards (a point off
// every monitor leaves it at the nearest one and gives false).
bool moveTo(int x, int y);

enum class Button { Left, Right };

// Clicks the button where the cursor is, once or twice in quick succession (a double click).
// Left and right are the user's: with swapped mouse buttons the physical ones are swapped.
bool click(Button button, int times);

// Types the text into the window as characters, whether or not it has the keyboard focus.
// False when the window does not exist.
bool sendText(HWND window, std::wstring_view text);

// Presses and releases the key.
bool pressKey(int virtualKey);

}  // namespace qdauto::input
