#include "base/Utf.h"

#include <cstdint>
#include <cstring>

namespace quillmark {

// Decodes one code point; false for a malformed sequence (then `cp` is
// U+FFFD and `pos` has moved by one byte).
static bool DecodeOne(std::string_view text, size_t& pos, char32_t& cp) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    if (lead < 0x80) {
        ++pos;
        cp = lead;
        return true;
    }
    int length = 0;
    cp = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        cp = lead & 0x1F;
        minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        cp = lead & 0x0F;
        minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        cp = lead & 0x07;
        minimum = 0x10000;
    } else {
        ++pos;
        cp = 0xFFFD;
        return false;
    }
    if (pos + length > text.size()) {
        ++pos;
        cp = 0xFFFD;
        return false;
    }
    for (int i = 1; i < length; ++i) {
        const unsigned char next = byte(pos + i);
        if ((next & 0xC0) != 0x80) {
            ++pos;
            cp = 0xFFFD;
            return false;
        }
        cp = (cp << 6) | (next & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++pos;
        cp = 0xFFFD;
        return false;
    }
    pos += length;
    return true;
}

char32_t DecodeUtf8(std::string_view text, size_t& pos) {
    char32_t cp = 0;
    DecodeOne(text, pos, cp);
    return cp;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

size_t FindInvalidUtf8(std::string_view text, size_t from) {
    size_t pos = from;
    char32_t cp = 0;
    while (pos < text.size()) {
        // ASCII, the bulk of HTML, needs no decoding: eight bytes at a time
        // while none has its high bit set.
        for (uint64_t word = 0; pos + sizeof word <= text.size(); pos += sizeof word) {
            std::memcpy(&word, text.data() + pos, sizeof word);
            if ((word & 0x8080808080808080u) != 0)
                break;
        }
        if (pos == text.size())
            break;
        if (static_cast<unsigned char>(text[pos]) < 0x80) {
            ++pos;
            continue;
        }
        const size_t start = pos;
        if (!DecodeOne(text, pos, cp))
            return start;
    }
    return std::string_view::npos;
}

bool IsValidUtf8(std::string_view text) {
    return FindInvalidUtf8(text) == std::string_view::npos;
}

std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    std::string out;
    const auto unit = [&](size_t i) -> char32_t {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        return bigEndian ? (a << 8 | b) : (b << 8 | a);
    };
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        char32_t cp = unit(i);
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 3 < bytes.size()) {
            const char32_t low = unit(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            } else {
                cp = 0xFFFD;
            }
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        AppendUtf8(out, cp);
    }
    return out;
}

std::string DecodeTextWithBom(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        return std::string(bytes.substr(3));
    if (bytes.substr(0, 2) == "\xFF\xFE")
        return Utf16ToUtf8(bytes.substr(2), false);
    if (bytes.substr(0, 2) == "\xFE\xFF")
        return Utf16ToUtf8(bytes.substr(2), true);
    return std::string(bytes);
}

} // namespace quillmark
