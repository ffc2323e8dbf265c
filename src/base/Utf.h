#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quillmark {

// Decodes one code point of UTF-8 at `pos` and advances `pos`. A malformed
// sequence yields U+FFFD and advances by one byte, so every input ends.
char32_t DecodeUtf8(std::string_view text, size_t& pos);

void AppendUtf8(std::string& out, char32_t codePoint);

bool IsValidUtf8(std::string_view text);
// Where the first malformed sequence at or after `from` starts; npos when
// the rest is valid.
size_t FindInvalidUtf8(std::string_view text, size_t from = 0);

// Converts UTF-16 bytes (little or big endian, no byte-order mark) to UTF-8.
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian);

// Removes a leading UTF-8 byte-order mark, or converts text that starts with
// a UTF-16 byte-order mark to UTF-8.
std::string DecodeTextWithBom(std::string_view bytes);

} // namespace quillmark
