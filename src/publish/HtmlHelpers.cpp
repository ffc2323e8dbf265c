#include "publish/HtmlHelpers.h"

#include "base/Regex.h"
#include "base/TextUtils.h"
#include "base/Utf.h"

#include <cctype>
#include <optional>
#include <span>

namespace quillmark {

namespace {

const Regex& DocLinkPattern() {
    static const Regex pattern(R"(href\s*=\s*["']doc:([a-fA-F0-9]{32})["'])", Regex::Caseless);
    return pattern;
}

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

// Decodes the reference at the start of `text` (which starts with "&") into
// `out`; returns the bytes consumed, or 0 when it is none that is decoded.
size_t DecodeReference(std::string_view text, std::string& out) {
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

struct TBackgroundRow {
    std::string_view declaration;
    std::string_view replacement;
};

constexpr std::string_view kBackgroundStart = "background";

constexpr TBackgroundRow kBackgroundRows[] = {
    {"background-color: rgb(255, 255, 255)", "background-color: transparent"},
    {"background-color:rgb(255, 255, 255)", "background-color: transparent"},
    {"background-color:#ffffff", "background-color: transparent"},
    {"background-color: #ffffff", "background-color: transparent"},
    {"background-color:#fff", "background-color: transparent"},
    {"background-color: #fff", "background-color: transparent"},
    {"background-color:white", "background-color: transparent"},
    {"background-color: white", "background-color: transparent"},
    {"background: rgb(255, 255, 255)", "background: transparent"},
    {"background:#ffffff", "background: transparent"},
    {"background:#fff", "background: transparent"},
    {"background:white", "background: transparent"},
};
constexpr size_t kPageRowCount = 12;
constexpr size_t kChmRowCount = 8;

bool IsLetterOrDigitAt(std::string_view text, size_t pos) {
    const auto c = static_cast<unsigned char>(text[pos]);
    if (c < 0x80)
        return IsAsciiDigit(static_cast<char>(c)) || (c >= 'a' && c <= 'z') ||
               (c >= 'A' && c <= 'Z');
    static const Regex letterOrDigit(R"(\G[\p{L}\p{N}])");
    return letterOrDigit.Match(text, pos).has_value();
}

} // namespace

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
    case '&': return "&amp;";
    case '<': return "&lt;";
    case '>': return "&gt;";
    case '"': return "&quot;";
    default: return nullptr;
    }
}

const char* EscapedEntity(char c) { return c == '\'' ? "&#39;" : EncodedEntity(c); }

} // namespace

// Escaping "&" first and then the others is the same as one pass over the
// text, since no replacement holds a character that a later step replaces.
std::string EscapeHtml(std::string_view text) { return ReplaceWithEntities(text, EscapedEntity); }

std::string EncodeHtml(std::string_view text) { return ReplaceWithEntities(text, EncodedEntity); }

std::string PercentEncodePath(std::string_view path) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string url;
    url.reserve(path.size());
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x80 && std::isalnum(byte) != 0) || c == '/' || c == '-' || c == '.' ||
            c == '_' || c == '~') {
            url += c;
        } else {
            url += '%';
            url += kHex[byte >> 4];
            url += kHex[byte & 15];
        }
    }
    return url;
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
        const size_t consumed = DecodeReference(text.substr(amp), out);
        if (consumed == 0) {
            out += '&';
            pos = amp + 1;
        } else {
            pos = amp + consumed;
        }
    }
    return out;
}

std::vector<std::string> ExtractDocLinkIds(std::string_view html) {
    std::vector<std::string> ids;
    for (const RegexMatch& match : DocLinkPattern().Matches(html))
        ids.emplace_back(match.Group(1));
    return ids;
}

std::string RewriteDocLinks(std::string_view html, const TDocLinkResolver& resolver) {
    const Regex& pattern = DocLinkPattern();
    std::optional<RegexMatch> match = pattern.Match(html);
    if (!match)
        return std::string(html);

    std::string out;
    out.reserve(html.size() + 64);
    size_t copied = 0;
    while (match) {
        out.append(html.substr(copied, match->Position() - copied));
        const std::string target =
            resolver ? resolver(std::string(match->Group(1))) : std::string();
        out += "href=\"";
        out += target.empty() ? std::string_view("#") : std::string_view(target);
        out += '"';
        copied = match->End();
        match = pattern.Match(html, copied);
    }
    out.append(html.substr(copied));
    return out;
}

// The rows are specified to apply one after the other; one left-to-right pass
// gives the same result, because every declaration starts with "background",
// no declaration holds "background" further on, no replacement holds a
// declaration, and where one declaration is a prefix of another ("#fff" of
// "#ffffff") the longer one continues with a letter, so at most one row can
// match at any position.
std::string ClearWhiteBackgrounds(std::string_view html, TWhiteBackgroundList list) {
    const std::span<const TBackgroundRow> rows(
        kBackgroundRows, list == TWhiteBackgroundList::Page ? kPageRowCount : kChmRowCount);

    std::string out;
    size_t copied = 0;
    size_t pos = AsciiFindIgnoreCase(html, kBackgroundStart);
    while (pos != std::string_view::npos) {
        const std::string_view rest = html.substr(pos);
        size_t next = pos + 1;
        for (const TBackgroundRow& row : rows) {
            const size_t end = pos + row.declaration.size();
            if (AsciiStartsWithIgnoreCase(rest, row.declaration) &&
                (end == html.size() || !IsLetterOrDigitAt(html, end))) {
                if (out.empty())
                    out.reserve(html.size() + 64);
                out.append(html.substr(copied, pos - copied));
                out.append(row.replacement);
                copied = next = end;
                break;
            }
        }
        pos = AsciiFindIgnoreCase(html, kBackgroundStart, next);
    }
    if (copied == 0)
        return std::string(html);
    out.append(html.substr(copied));
    return out;
}

} // namespace quillmark
