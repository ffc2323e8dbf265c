#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillmark {

// Decodes a URL path: "%XX" is the byte XX, "%%" a percent sign, "+" a space;
// the resulting bytes are read as UTF-8, a malformed sequence becoming
// U+FFFD. Nothing when a "%" is followed by anything else.
std::optional<std::string> PercentDecode(std::string_view text);

} // namespace quillmark
