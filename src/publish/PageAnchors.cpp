#include "publish/PageAnchors.h"

#include "base/HtmlEscaping.h"
#include "base/PercentDecoding.h"
#include "base/Regex.h"
#include "base/TextUtils.h"

namespace quillmark {

namespace {

// An id attribute (not data-id and the like), or the name of an <a> tag;
// group 1 or 2 is the value.
const Regex& AnchorPattern() {
    static const Regex pattern(
        R"re((?:(?<=[\s"'])id|<a\b[^>]*?\sname)\s*=\s*(?:"([^"]*)"|'([^']*)'))re", Regex::Caseless);
    return pattern;
}

std::string_view AnchorValue(const RegexMatch& match) {
    return match.Matched(1) ? match.Group(1) : match.Group(2);
}

} // namespace

std::unordered_set<std::string> PageAnchors(std::string_view html) {
    std::unordered_set<std::string> anchors;
    for (const RegexMatch& match : AnchorPattern().Matches(html))
        anchors.insert(DecodeHtml(AnchorValue(match)));
    return anchors;
}

bool HasPageAnchor(const std::unordered_set<std::string>& anchors, std::string_view anchor) {
    const std::string written = DecodeHtml(anchor);
    if (anchors.count(written) != 0)
        return true;
    const std::optional<std::string> decoded = PercentDecode(written);
    return decoded && anchors.count(*decoded) != 0;
}

std::string ScopedAnchor(std::string_view scope, std::string_view anchor) {
    return std::string(scope) + "--" + std::string(anchor);
}

std::string ScopePageAnchors(std::string_view html, std::string_view scope) {
    static const Regex anchorOrLink(
        R"re(((?<=[\s"'])id\s*=\s*|\shref\s*=\s*)(?:"(#?)([^"]*)"|'(#?)([^']*)'))re",
        Regex::Caseless);
    // The scope comes from the tree file: escaped, it stays inside the value.
    const std::string escapedScope = EscapeHtml(scope);
    return anchorOrLink.ReplaceMatches(html, [&escapedScope](const RegexMatch& match) {
        const bool doubleQuoted = match.Matched(2);
        const std::string_view hash = doubleQuoted ? match.Group(2) : match.Group(4);
        const std::string_view value = doubleQuoted ? match.Group(3) : match.Group(5);
        const bool isId = !IsAsciiWhiteSpace(match.Group(1).front()); // href follows a space
        const char quote = doubleQuoted ? '"' : '\'';
        // Other links (pages, addresses, the bare "#") stay as they are.
        if (value.empty() || (!isId && hash.empty()))
            return std::string(match.Group());
        return std::string(match.Group(1)) + quote + std::string(hash) +
               ScopedAnchor(escapedScope, value) + quote;
    });
}

} // namespace quillmark
