#pragma once

#include <windows.h>

#include "framework/WindowDefinition.h"
#include "utils/ScopedWin.h"

namespace framework::win32 {

// The fonts of a form at its DPI: the system's message font, the links' underlined font and
// SimSun with twelve-pixel lines for long texts.
class FormFonts {
public:
    void create(UINT dpi);

    HFONT message() const { return message_.get(); }
    HFONT of(const ControlDefinition& control) const;

private:
    utils::ScopedFont message_;
    utils::ScopedFont link_;
    utils::ScopedFont twelvePixelLines_;
};

}  // namespace framework::win32
