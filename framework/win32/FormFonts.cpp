#include "framework/win32/FormFonts.h"

namespace framework::win32 {
namespace {

// SimSun with letters of the given height, whose lines are then as high (as the layouts of
// long texts assume); where another typeface stands in with taller lines, it is made smaller
// until its lines are no higher than that.
utils::ScopedFont fontWithLineHeight(int lineHeight) {
    LOGFONTW face{};
    lstrcpynW(face.lfFaceName, L"SimSun", LF_FACESIZE);
    face.lfCharSet = GB2312_CHARSET;
    face.lfWeight = FW_NORMAL;
    const utils::ScopedGetDC screen(nullptr);
    utils::ScopedFont font;
    for (int asked = -lineHeight; asked != 0; asked = asked < 0 ? lineHeight : asked - 1) {
        face.lfHeight = asked;  // negative: the letters' height; positive: the lines'
        font.reset(CreateFontIndirectW(&face));
        TEXTMETRICW metrics{};
        {
            const utils::ScopedSelectObject selected(screen.get(), font.get());
            GetTextMetricsW(screen.get(), &metrics);
        }
        if (metrics.tmHeight <= lineHeight) break;
    }
    return font;
}

}  // namespace

void FormFonts::create(UINT dpi) {
    const auto scale = [dpi](int pixels) { return MulDiv(pixels, static_cast<int>(dpi), 96); };
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi);
    message_.reset(CreateFontIndirectW(&metrics.lfMessageFont));
    LOGFONTW link = metrics.lfMessageFont;
    link.lfHeight = -scale(12);
    link.lfWeight = FW_NORMAL;
    link.lfUnderline = TRUE;
    link.lfCharSet = GB2312_CHARSET;
    link_.reset(CreateFontIndirectW(&link));
    twelvePixelLines_ = fontWithLineHeight(scale(12));
}

HFONT FormFonts::of(const ControlDefinition& control) const {
    if (control.linkStyle) return link_.get();
    return control.twelvePixelLines ? twelvePixelLines_.get() : message_.get();
}

}  // namespace framework::win32
