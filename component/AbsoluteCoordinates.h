#pragma once
// Absolute mouse input addresses the virtual screen (all monitors) in normalized units, 0 to
// 65535 across its width and height; the system maps a unit back to the pixel
// origin + floor(unit * extent / 65536). Portable.

#include <algorithm>
#include <cstdint>

namespace qdauto {

// The normalized unit that lands exactly on the pixel, for a virtual screen that starts at
// origin and is extent pixels long (1 to 65536) on that axis. The smallest unit of the pixel's
// range: it lands on the same pixel whether the system rounds down or to the nearest pixel.
// Pixels off the screen give the nearest edge.
constexpr std::int32_t normalizedCoordinate(std::int32_t pixel, std::int32_t origin, std::int32_t extent) {
    if (extent <= 0) return 0;
    const std::int64_t offset = std::clamp<std::int64_t>(std::int64_t{pixel} - origin, 0, extent - 1);
    const std::int64_t unit = (offset * 65536 + extent - 1) / extent;
    return static_cast<std::int32_t>(std::min<std::int64_t>(unit, 65535));
}

}  // namespace qdauto
