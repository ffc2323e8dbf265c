#include "base/HtmlColor.h"

#include "base/TextUtils.h"

namespace quillmark {

TColor HtmlToColor(std::string_view Text, TColor Fallback) {
    const std::string trimmed = Trim(Text);
    if (trimmed.empty() || AsciiSameText(trimmed, "transparent"))
        return MakeColor(255, 255, 255);
    return HtmlToColorOr(trimmed, Fallback);
}

} // namespace quillmark
