#include "publish/TopicSections.h"

#include "base/Regex.h"
#include "base/TextFold.h"
#include "publish/HtmlHelpers.h"

#include <unordered_set>

namespace quillmark {

namespace {

const Regex& HeadingPattern() {
    static const Regex pattern(R"(<h([1-6])\b([^>]*)>(.*?)</h\1\s*>)",
                               Regex::Caseless | Regex::DotAll);
    return pattern;
}

const Regex& IdPattern() {
    static const Regex pattern(R"re((?:^|\s)id\s*=\s*(?:"([^"]*)"|'([^']*)'|([^\s"'>]+)))re",
                               Regex::Caseless);
    return pattern;
}

// The value of an id attribute found by IdPattern, references decoded.
std::string IdValue(const RegexMatch& match) {
    for (int group = 1; group <= 3; ++group)
        if (match.Matched(group))
            return DecodeHtml(match.Group(group));
    return {};
}

// Letters and digits of the folded heading joined by hyphens, at most about
// 60 bytes (cut between characters).
std::string Slug(std::string_view headingText) {
    static const Regex separators(R"([^\p{L}\p{N}]+)");
    std::string slug = separators.Replace(FoldText(headingText), "-");
    constexpr size_t kMaxBytes = 60;
    if (slug.size() > kMaxBytes) {
        size_t cut = kMaxBytes;
        while (cut > 0 && (static_cast<unsigned char>(slug[cut]) & 0xC0) == 0x80)
            --cut;
        slug.resize(cut);
    }
    const size_t first = slug.find_first_not_of('-');
    const size_t last = slug.find_last_not_of('-');
    return first == std::string::npos ? "section" : slug.substr(first, last - first + 1);
}

} // namespace

TSectionedPage SplitIntoSections(std::string_view html) {
    std::unordered_set<std::string> usedIds;
    for (const RegexMatch& match : IdPattern().Matches(html))
        usedIds.insert(IdValue(match));

    TSectionedPage page;
    page.Html.reserve(html.size() + 256);
    page.Sections.push_back({});
    size_t copied = 0;
    for (const RegexMatch& heading : HeadingPattern().Matches(html)) {
        page.Sections.back().Text =
            ExtractPlainText(html.substr(copied, heading.Position() - copied));
        const std::string_view attributes = heading.Group(2);
        TTopicSection section;
        section.Level = heading.Group(1)[0] - '0';
        section.Heading = ExtractPlainText(heading.Group(3));
        page.Html += html.substr(copied, heading.Position() - copied);
        if (const auto id = IdPattern().Match(attributes)) {
            section.Anchor = IdValue(*id);
            page.Html += heading.Group();
        } else {
            const std::string base = Slug(section.Heading);
            section.Anchor = base;
            for (int n = 2; !usedIds.insert(section.Anchor).second; ++n)
                section.Anchor = base + "-" + std::to_string(n);
            page.Html += html.substr(heading.Position(), heading.Position(2) - heading.Position());
            page.Html += " id=\"" + section.Anchor + "\"";
            page.Html += html.substr(heading.Position(2), heading.End() - heading.Position(2));
        }
        page.Sections.push_back(std::move(section));
        copied = heading.End();
    }
    page.Sections.back().Text = ExtractPlainText(html.substr(copied));
    page.Html += html.substr(copied);
    return page;
}

} // namespace quillmark
