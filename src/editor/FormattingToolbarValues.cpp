#include "editor/FormattingToolbarValues.h"

#include "base/TextUtils.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace quillmark {

int32_t ReadWholeNumber(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return 0;
    int64_t value = 0;
    for (const char digit : text) {
        value = std::min<int64_t>(value * 10 + (digit - '0'), std::numeric_limits<int32_t>::max());
    }
    return static_cast<int32_t>(negative ? -value : value);
}

double ReadDecimalNumber(std::string_view text) {
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    // from_chars also reads "inf" and "nan"; a number must start like one.
    if (text.empty() || !(std::isdigit(static_cast<unsigned char>(text.front())) ||
                          text.front() == '.' || text.front() == '-'))
        return 0;
    double value = 0;
    const char* last = text.data() + text.size();
    const auto [end, ec] = std::from_chars(text.data(), last, value);
    if (ec != std::errc() || end != last || !std::isfinite(value))
        return 0;
    return value;
}

std::string FormatLineHeightRatio(double r) {
    char buffer[64];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, r, std::chars_format::fixed, 2);
    std::string text = ec == std::errc() ? std::string(buffer, end) : std::string("1");
    while (!text.empty() && text.back() == '0')
        text.pop_back();
    if (!text.empty() && text.back() == '.')
        text.pop_back();
    return text;
}

std::string ReportedLineHeightText(std::string_view lineHeight, int32_t fontSizePx) {
    std::string t = Trim(lineHeight);
    if (fontSizePx <= 0 || AsciiLower(t).find("px") == std::string::npos)
        return t;
    t = ReplaceAll(AsciiLower(t), "px", "");
    const double x = ReadDecimalNumber(ReplaceAll(Trim(t), ",", "."));
    if (x > 0)
        t = FormatLineHeightRatio(std::max(1.0, x / fontSizePx));
    return t;
}

} // namespace quillmark
