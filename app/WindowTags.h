#pragma once
// The program's three windows, as types: control ids and typed views carry their window.

namespace app {

struct MainWindow;
struct MouseCommandWindow;
struct KeyCommandWindow;

}  // namespace app
