#include "base/HtmlEscaping.h"

#include "base/TextUtils.h"
#include "base/Utf.h"

namespace quillmark {

namespace {

bool IsAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

int HexDigitValue(char c) {
    if (IsAsciiDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Decodes the numeric reference at the start of `text` ("&#65;", "&#x42;",
// or one that ends with the text) into `out`. Returns the number of bytes
// consumed, or 0 when there is no reference naming a valid character.
size_t DecodeNumericReference(std::string_view text, std::string& out) {
    size_t pos = 2; // after "&#"
    const bool hex = pos < text.size() && (text[pos] == 'x' || text[pos] == 'X');
    if (hex)
        ++pos;
    const size_t digitsStart = pos;
    const unsigned base = hex ? 16 : 10;
    char32_t value = 0;
    bool tooLarge = false;
    for (; pos < text.size(); ++pos) {
        const int digit =
            hex ? HexDigitValue(text[pos]) : (IsAsciiDigit(text[pos]) ? text[pos] - '0' : -1);
        if (digit < 0)
            break;
        if (!tooLarge) {
            value = value * base + static_cast<char32_t>(digit);
            tooLarge = value > 0x10FFFF;
        }
    }
    if (pos == digitsStart)
        return 0;
    if (pos < text.size()) {
        if (text[pos] != ';')
            return 0;
        ++pos;
    }
    if (tooLarge || value == 0 || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    AppendUtf8(out, value);
    return pos;
}

} // namespace

size_t DecodeHtmlReference(std::string_view text, std::string& out) {
    struct NamedReference {
        std::string_view name;
        char character;
    };
    static constexpr NamedReference kNamed[] = {
        {"&amp;", '&'}, {"&apos;", '\''}, {"&gt;", '>'}, {"&lt;", '<'}, {"&quot;", '"'},
    };
    for (const NamedReference& named : kNamed) {
        if (StartsWith(text, named.name)) {
            out += named.character;
            return named.name.size();
        }
    }
    if (StartsWith(text, "&#"))
        return DecodeNumericReference(text, out);
    return 0;
}

namespace {

// One pass that writes each character's entity, or the character itself when
// `entityOf` gives none.
std::string ReplaceWithEntities(std::string_view text, const char* (*entityOf)(char)) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (const char c : text) {
        if (const char* entity = entityOf(c))
            out += entity;
        else
            out += c;
    }
    return out;
}

const char* EncodedEntity(char c) {
    switch (c) {
    case '&':
        return "&amp;";
    case '<':
        return "&lt;";
    case '>':
        return "&gt;";
    case '"':
        return "&quot;";
    default:
        return nullptr;
    }
}

const char* EscapedEntity(char c) {
    return c == '\'' ? "&#39;" : EncodedEntity(c);
}

} // namespace

// Escaping "&" first and then the others is the same as one pass over the
// text, since no replacement holds a character that a later step replaces.
std::string EscapeHtml(std::string_view text) {
    return ReplaceWithEntities(text, EscapedEntity);
}

std::string EncodeHtml(std::string_view text) {
    return ReplaceWithEntities(text, EncodedEntity);
}

std::string DecodeHtml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t amp = text.find('&', pos);
        if (amp == std::string_view::npos) {
            out.append(text.substr(pos));
            break;
        }
        out.append(text.substr(pos, amp - pos));
        const size_t consumed = DecodeHtmlReference(text.substr(amp), out);
        if (consumed == 0) {
            out += '&';
            pos = amp + 1;
        } else {
            pos = amp + consumed;
        }
    }
    return out;
}

} // namespace quillmark
