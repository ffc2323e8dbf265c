#pragma once

#include <string>
#include <string_view>

namespace quillmark {

// & < > " and ' as references; safe inside element text and attribute values.
std::string EscapeHtml(std::string_view text);

// & < > and " as references; the apostrophe stays as it is.
std::string EncodeHtml(std::string_view text);

// Decodes &amp; &apos; &gt; &lt; &quot; and numeric references (decimal, or
// hexadecimal after x/X) to UTF-8. Any other "&" is copied unchanged, as is a
// numeric reference naming no valid character (zero, a surrogate, or beyond
// U+10FFFF).
std::string DecodeHtml(std::string_view text);

// Decodes the one reference DecodeHtml decodes at the start of `text`
// (which starts with "&") into `out`; returns the bytes consumed, or 0 when
// there is none.
size_t DecodeHtmlReference(std::string_view text, std::string& out);

} // namespace quillmark
