#include "publish/PdfTopicHeading.h"

#include "base/Regex.h"
#include "base/TextUtils.h"
#include "publish/PdfExport.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace quillmark {

namespace {

constexpr int kDeepestHeading = 6;

// Runs of white space as one space, trimmed.
std::string CollapseWhiteSpace(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        if (!IsAsciiWhiteSpace(c))
            out += c;
        else if (!out.empty() && out.back() != ' ')
            out += ' ';
    }
    return Trim(out);
}

bool IsWordByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x80 || std::isalnum(byte) != 0;
}

// "Setting Up the Lamp" carries the title "Setting up the lamp", and so does
// "Welcome to Aurora" the title "Welcome"; "Lampshades" does not carry
// "Lamp". The heading text comes with its white space collapsed.
bool CarriesTitle(const std::string& headingText, const std::string& title) {
    const std::string heading = AsciiLower(headingText);
    const std::string wanted = AsciiLower(CollapseWhiteSpace(title));
    return !wanted.empty() && StartsWith(heading, wanted) &&
           (heading.size() == wanted.size() || !IsWordByte(heading[wanted.size()]) ||
            !IsWordByte(wanted.back()));
}

struct TLeadingHeading {
    size_t Start = 0; // where the heading's start tag begins
    size_t End = 0;   // after its end tag
    std::string Text;
};

// The heading the page starts with, passing over white space, comments and
// the style sheets and scripts an imported page keeps at its top.
std::optional<TLeadingHeading> FindLeadingHeading(std::string_view html) {
    static const Regex leading(
        R"((?:\s|<!--.*?-->|<(?<raw>style|script)\b[^>]*>.*?</\k<raw>\s*>|<(?:link|meta)\b[^>]*>)*)"
        R"((?<heading><h(?<level>[1-6])\b[^>]*>(?<inner>.*?)</h\k<level>\s*>))",
        Regex::Caseless | Regex::DotAll | Regex::Anchored);
    const std::optional<RegexMatch> match = leading.Match(html);
    if (!match)
        return std::nullopt;
    const int heading = leading.GroupNumber("heading");
    return TLeadingHeading{match->Position(heading), match->End(),
                           CollapseWhiteSpace(StripTagsToText(match->Group("inner")))};
}

// Moves every heading tag by the same number of levels, so that the
// highest heading of the page becomes `highest`.
std::string ShiftHeadings(std::string_view html, int highest) {
    static const Regex headingTag(R"(<(/?)h([1-6])(?=[\s/>]))", Regex::Caseless);
    const std::vector<RegexMatch> tags = headingTag.Matches(html);
    int pageHighest = kDeepestHeading;
    bool any = false;
    for (const RegexMatch& tag : tags)
        if (tag.Group(1).empty()) {
            pageHighest = std::min(pageHighest, tag.Group(2)[0] - '0');
            any = true;
        }
    if (!any)
        return std::string(html);
    const int shift = highest - pageHighest;
    return headingTag.ReplaceMatches(html, [shift](const RegexMatch& tag) {
        const bool closing = !tag.Group(1).empty();
        const int level = tag.Group(2)[0] - '0' + shift;
        std::string out = closing ? "</h" : "<h";
        out += std::to_string(std::min(level, kDeepestHeading));
        if (!closing && level > kDeepestHeading)
            out += " role=\"none\"";
        return out;
    });
}

} // namespace

int TopicHeadingLevel(int depth) {
    return std::clamp(depth + 1, 1, kDeepestHeading);
}

TPrintedTopic PrepareTopicForManual(std::string_view html, const std::string& title, int depth) {
    TPrintedTopic printed{title, {}};
    std::string page(html);
    if (const auto heading = FindLeadingHeading(html); heading && CarriesTitle(heading->Text, title)) {
        printed.HeadingText = heading->Text;
        page.erase(heading->Start, heading->End - heading->Start);
    }
    printed.Html = ShiftHeadings(page, TopicHeadingLevel(depth) + 1);
    return printed;
}

} // namespace quillmark
