#include "publish/HtmlHelpers.h"

#include "base/Regex.h"
#include "base/TextUtils.h"

#include <cctype>
#include <optional>
#include <span>

namespace quillmark {

namespace {

const Regex& DocLinkPattern() {
    // Group 2: the anchor inside the target page, without its "#".
    static const Regex pattern(R"(href\s*=\s*["']doc:([a-fA-F0-9]{32})(?:#([^"'<>]*))?["'])",
                               Regex::Caseless);
    return pattern;
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
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    static const Regex letterOrDigit(R"(\G[\p{L}\p{N}])");
    return letterOrDigit.Match(text, pos).has_value();
}

} // namespace

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

std::vector<std::string> ExtractDocLinkIds(std::string_view html) {
    std::vector<std::string> ids;
    for (const RegexMatch& match : DocLinkPattern().Matches(html))
        ids.emplace_back(match.Group(1));
    return ids;
}

std::vector<TDocLink> ExtractDocLinks(std::string_view html) {
    std::vector<TDocLink> links;
    for (const RegexMatch& match : DocLinkPattern().Matches(html))
        links.push_back({std::string(match.Group(1)), std::string(match.Group(2))});
    return links;
}

std::string RewriteDocLinks(std::string_view html, const TDocLinkResolver& resolver,
                            const TDocAnchorResolver& anchorResolver) {
    const Regex& pattern = DocLinkPattern();
    std::optional<RegexMatch> match = pattern.Match(html);
    if (!match)
        return std::string(html);

    std::string out;
    out.reserve(html.size() + 64);
    size_t copied = 0;
    while (match) {
        out.append(html.substr(copied, match->Position() - copied));
        const std::string id(match->Group(1));
        const std::string anchor(match->Group(2));
        std::string target = resolver ? resolver(id) : std::string();
        if (!target.empty() && !anchor.empty())
            target = anchorResolver ? anchorResolver(id, anchor) : target + "#" + anchor;
        out += "href=\"";
        out += target.empty() ? std::string_view("#") : std::string_view(target);
        out += '"';
        copied = match->End();
        match = pattern.Match(html, copied);
    }
    out.append(html.substr(copied));
    return out;
}

// Each row replaces its declaration wherever it stands, caseless. One
// left-to-right pass gives the same text as replacing row after row over the
// whole text, because every declaration starts with "background", no
// declaration holds "background" further on, no replacement holds a
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
