#pragma once
// What other programs see of our windows: the window classes and the identifiers of the
// controls and toolbar buttons. Tools that read the windows from outside include this too.

namespace framework::win32 {

constexpr wchar_t FormClass[] = L"LandouForm";
constexpr wchar_t ContainerClass[] = L"LandouContainer";  // group boxes and the HTML viewer
constexpr int FirstControlId = 100;                        // then one per control, in order
constexpr int FirstToolbarCommand = 1000;                  // then one per toolbar entry, in order

}  // namespace framework::win32
