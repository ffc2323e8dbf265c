#pragma once

#include "base/Color.h"

#include <string_view>

namespace quillmark {

// A colour text reported by the editor page: after trimming, empty or
// "transparent" (any case) gives white, "#RRGGBB" gives that colour, and
// anything else (rgb(...), names, short forms) gives `Fallback`.
TColor HtmlToColor(std::string_view Text, TColor Fallback);

} // namespace quillmark
