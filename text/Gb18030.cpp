#include "text/Gb18030.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace text {
namespace {

struct Range {
    char32_t firstCodePoint;
    unsigned firstIndex;
    unsigned count;
};

// The Basic Multilingual Plane's four-byte forms, in code point order (and index order).
constexpr Range Ranges[] = {
#include "Gb18030Ranges.inc"
};

struct TwoByteForm {
    char32_t codePoint;
    std::uint16_t bytes;
};

// In code point order, and the same in the order of their bytes.
constexpr TwoByteForm TwoByteForms[] = {
#include "Gb18030TwoByte.inc"
};
constexpr auto TwoByteFormsByBytes = [] {
    auto forms = std::to_array(TwoByteForms);
    std::sort(forms.begin(), forms.end(), [](const TwoByteForm& a, const TwoByteForm& b) { return a.bytes < b.bytes; });
    return forms;
}();

// Above the Basic Multilingual Plane the forms follow the code points from index 189000.
constexpr unsigned SupplementaryFirstIndex = 189000;

}  // namespace

std::optional<std::string> gb18030FourBytes(char32_t codePoint) {
    unsigned index = 0;
    if (codePoint >= 0x10000 && codePoint <= 0x10FFFF) {
        index = SupplementaryFirstIndex + (codePoint - 0x10000);
    } else {
        const auto range = std::upper_bound(std::begin(Ranges), std::end(Ranges), codePoint,
                                            [](char32_t cp, const Range& r) { return cp < r.firstCodePoint; });
        if (range == std::begin(Ranges)) return std::nullopt;
        const Range& r = *std::prev(range);
        if (codePoint >= r.firstCodePoint + r.count) return std::nullopt;
        index = r.firstIndex + (codePoint - r.firstCodePoint);
    }
    std::string bytes(4, '\0');
    bytes[3] = static_cast<char>(0x30 + index % 10);
    index /= 10;
    bytes[2] = static_cast<char>(0x81 + index % 126);
    index /= 126;
    bytes[1] = static_cast<char>(0x30 + index % 10);
    index /= 10;
    bytes[0] = static_cast<char>(0x81 + index);
    return bytes;
}

std::optional<char32_t> gb18030CodePoint(std::string_view fourBytes) {
    if (fourBytes.size() != 4) return std::nullopt;
    const auto b = [&](size_t i) { return static_cast<unsigned>(static_cast<unsigned char>(fourBytes[i])); };
    if (b(0) < 0x81 || b(0) > 0xFE || b(1) < 0x30 || b(1) > 0x39 || b(2) < 0x81 || b(2) > 0xFE || b(3) < 0x30 || b(3) > 0x39)
        return std::nullopt;
    const unsigned index = (b(0) - 0x81) * 12600 + (b(1) - 0x30) * 1260 + (b(2) - 0x81) * 10 + (b(3) - 0x30);
    if (index >= SupplementaryFirstIndex) {
        const unsigned codePoint = 0x10000 + (index - SupplementaryFirstIndex);
        if (codePoint > 0x10FFFF) return std::nullopt;
        return static_cast<char32_t>(codePoint);
    }
    const auto range = std::upper_bound(std::begin(Ranges), std::end(Ranges), index,
                                        [](unsigned i, const Range& r) { return i < r.firstIndex; });
    if (range == std::begin(Ranges)) return std::nullopt;
    const Range& r = *std::prev(range);
    if (index >= r.firstIndex + r.count) return std::nullopt;
    return static_cast<char32_t>(r.firstCodePoint + (index - r.firstIndex));
}

std::optional<std::uint16_t> gb18030TwoBytes(char32_t codePoint) {
    const auto form = std::lower_bound(std::begin(TwoByteForms), std::end(TwoByteForms), codePoint,
                                       [](const TwoByteForm& f, char32_t cp) { return f.codePoint < cp; });
    if (form == std::end(TwoByteForms) || form->codePoint != codePoint) return std::nullopt;
    return form->bytes;
}

std::optional<char32_t> gb18030TwoByteCharacter(std::uint16_t bytes) {
    const auto form = std::lower_bound(TwoByteFormsByBytes.begin(), TwoByteFormsByBytes.end(), bytes,
                                       [](const TwoByteForm& f, std::uint16_t b) { return f.bytes < b; });
    if (form == TwoByteFormsByBytes.end() || form->bytes != bytes) return std::nullopt;
    return form->codePoint;
}

}  // namespace text
