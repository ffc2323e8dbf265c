#include "base/PercentDecoding.h"

#include "base/Utf.h"

#include <charconv>

namespace quillmark {

namespace {

// The byte written as two hexadecimal digits at the start of `digits`.
std::optional<char> HexByte(std::string_view digits) {
    unsigned value = 0;
    if (digits.size() < 2)
        return std::nullopt;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + 2, value, 16);
    if (error != std::errc() || end != digits.data() + 2)
        return std::nullopt;
    return static_cast<char>(value);
}

std::string ReplaceMalformedUtf8(const std::string& bytes) {
    if (IsValidUtf8(bytes))
        return bytes;
    std::string text;
    for (size_t pos = 0; pos < bytes.size();)
        AppendUtf8(text, DecodeUtf8(bytes, pos));
    return text;
}

} // namespace

std::optional<std::string> PercentDecode(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '+') {
            bytes += ' ';
        } else if (c != '%') {
            bytes += c;
        } else if (i + 1 < text.size() && text[i + 1] == '%') {
            bytes += '%';
            ++i;
        } else {
            const std::optional<char> byte = HexByte(text.substr(i + 1));
            if (!byte)
                return std::nullopt;
            bytes += *byte;
            i += 2;
        }
    }
    return ReplaceMalformedUtf8(bytes);
}

} // namespace quillmark
