#include "base/Color.h"

#include "base/TextUtils.h"

#include <array>
#include <optional>

namespace quillmark {

namespace {

// The classic desktop scheme, by system colour index.
constexpr std::array<TColor, 31> kClassicSystemColors = {
    MakeColor(212, 208, 200), // 0 scroll bar
    MakeColor(58, 110, 165),  // 1 desktop background
    MakeColor(10, 36, 106),   // 2 active caption
    MakeColor(128, 128, 128), // 3 inactive caption
    MakeColor(212, 208, 200), // 4 menu
    MakeColor(255, 255, 255), // 5 window
    MakeColor(0, 0, 0),       // 6 window frame
    MakeColor(0, 0, 0),       // 7 menu text
    MakeColor(0, 0, 0),       // 8 window text
    MakeColor(255, 255, 255), // 9 caption text
    MakeColor(212, 208, 200), // 10 active border
    MakeColor(212, 208, 200), // 11 inactive border
    MakeColor(128, 128, 128), // 12 application workspace
    MakeColor(10, 36, 106),   // 13 highlight
    MakeColor(255, 255, 255), // 14 highlight text
    MakeColor(212, 208, 200), // 15 button face
    MakeColor(128, 128, 128), // 16 button shadow
    MakeColor(128, 128, 128), // 17 grey text
    MakeColor(0, 0, 0),       // 18 button text
    MakeColor(212, 208, 200), // 19 inactive caption text
    MakeColor(255, 255, 255), // 20 button highlight
    MakeColor(64, 64, 64),    // 21 3D dark shadow
    MakeColor(212, 208, 200), // 22 3D light
    MakeColor(0, 0, 0),       // 23 tooltip text
    MakeColor(255, 255, 225), // 24 tooltip background
    MakeColor(181, 181, 181), // 25 (unnamed)
    MakeColor(0, 0, 128),     // 26 hot-tracked item
    MakeColor(166, 202, 240), // 27 active caption gradient
    MakeColor(192, 192, 192), // 28 inactive caption gradient
    MakeColor(10, 36, 106),   // 29 menu highlight
    MakeColor(212, 208, 200), // 30 menu bar
};

std::optional<uint8_t> HexDigitValue(char c) {
    if (c >= '0' && c <= '9')
        return static_cast<uint8_t>(c - '0');
    if (c >= 'a' && c <= 'f')
        return static_cast<uint8_t>(c - 'a' + 10);
    if (c >= 'A' && c <= 'F')
        return static_cast<uint8_t>(c - 'A' + 10);
    return std::nullopt;
}

} // namespace

TColor ColorToRgb(TColor color) {
    if (!IsSystemColor(color))
        return color & 0x00FFFFFF;
    const size_t index = color & 0xFF;
    return index < kClassicSystemColors.size() ? kClassicSystemColors[index] : MakeColor(0, 0, 0);
}

std::string ColorToHtml(TColor color) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    const TColor rgb = ColorToRgb(color);
    std::string text = "#";
    for (const uint8_t channel : {ColorRed(rgb), ColorGreen(rgb), ColorBlue(rgb)}) {
        text += kHex[channel >> 4];
        text += kHex[channel & 0x0F];
    }
    return text;
}

TColor HtmlToColorOr(std::string_view text, TColor fallback) {
    const std::string trimmed = Trim(text);
    if (trimmed.size() != 7 || trimmed[0] != '#')
        return fallback;
    uint8_t channels[3];
    for (size_t i = 0; i < 3; ++i) {
        const auto high = HexDigitValue(trimmed[1 + 2 * i]);
        const auto low = HexDigitValue(trimmed[2 + 2 * i]);
        if (!high || !low)
            return fallback;
        channels[i] = static_cast<uint8_t>(*high << 4 | *low);
    }
    return MakeColor(channels[0], channels[1], channels[2]);
}

} // namespace quillmark
