#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quillmark {

// An RGB colour as 0x00BBGGRR (red in the low byte), or a system colour:
// high byte 0xFF and the low byte the index of a system colour
// (0 scroll bar, 5 window, 8 window text, 15 button face, ...).
using TColor = uint32_t;

inline constexpr TColor kSystemColorFlag = 0xFF000000;

constexpr TColor MakeColor(uint8_t red, uint8_t green, uint8_t blue) {
    return static_cast<TColor>(red) | (static_cast<TColor>(green) << 8) |
           (static_cast<TColor>(blue) << 16);
}

constexpr TColor SystemColor(uint8_t index) {
    return kSystemColorFlag | index;
}

constexpr bool IsSystemColor(TColor color) {
    return (color & 0xFF000000) == kSystemColorFlag;
}

constexpr uint8_t ColorRed(TColor color) {
    return static_cast<uint8_t>(color);
}
constexpr uint8_t ColorGreen(TColor color) {
    return static_cast<uint8_t>(color >> 8);
}
constexpr uint8_t ColorBlue(TColor color) {
    return static_cast<uint8_t>(color >> 16);
}

// The plain RGB value: a system colour is looked up in the classic default
// scheme (the core has no toolkit to ask); an unknown index gives black.
TColor ColorToRgb(TColor color);

// "#" and red, green and blue as two upper-case hexadecimal digits each.
std::string ColorToHtml(TColor color);

// Reads "#RRGGBB" (after trimming; hexadecimal digits of either case) as a
// colour. Anything else, short forms such as "#fff", colour names and rgb()
// included, gives `fallback`.
TColor HtmlToColorOr(std::string_view text, TColor fallback);

} // namespace quillmark
