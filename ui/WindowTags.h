#pragma once
// The program's three windows, as types: control ids and typed views carry their window.

namespace ui {

struct MainWindow;
struct MouseCommandWindow;
struct KeyCommandWindow;

}  // namespace ui
