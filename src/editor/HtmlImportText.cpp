#include "editor/HtmlImportText.h"

#include "base/HtmlEscaping.h"
#include "base/Regex.h"
#include "base/TextUtils.h"

#include <algorithm>
#include <initializer_list>
#include <optional>

namespace quillmark {

namespace {

std::string RemoveAll(std::string text, std::initializer_list<const Regex*> patterns) {
    for (const Regex* pattern : patterns)
        text = pattern->Replace(text, "");
    return text;
}

} // namespace

std::string ExtractImportBody(std::string_view text) {
    static const Regex doctype("<!doctype[^>]*>", kImportRegexOptions);
    static const Regex script(R"(<script\b[^>]*>.*?</script>)", kImportRegexOptions);
    static const Regex title(R"(<title\b[^>]*>.*?</title>)", kImportRegexOptions);
    static const Regex htmlOpen(R"(<html\b[^>]*>)", kImportRegexOptions);
    static const Regex htmlClose("</html>", kImportRegexOptions);
    static const Regex head(R"(<head\b[^>]*>.*?</head>)", kImportRegexOptions);
    static const Regex style(R"(<style\b[^>]*>.*?</style>)", kImportRegexOptions);
    static const Regex link(R"(<link\b[^>]*>)", kImportRegexOptions);
    static const Regex meta(R"(<meta\b[^>]*>)", kImportRegexOptions);

    std::string body = RemoveAll(std::string(text), {&doctype, &script, &title});
    // ASCII lower-casing keeps every byte position, so positions found in
    // the lower-cased copy hold for the text itself.
    const std::string lower = AsciiLower(body);
    const size_t bodyTag = lower.find("<body");
    if (bodyTag == std::string::npos) {
        body = RemoveAll(std::move(body), {&htmlOpen, &htmlClose, &head});
    } else if (const size_t tagEnd = lower.find('>', bodyTag); tagEnd != std::string::npos) {
        const size_t bodyEnd = lower.find("</body", tagEnd + 1);
        body = bodyEnd == std::string::npos ? body.substr(tagEnd + 1)
                                            : body.substr(tagEnd + 1, bodyEnd - tagEnd - 1);
    }
    return Trim(RemoveAll(std::move(body), {&style, &link, &meta}));
}

std::string BodyWrapperOpenTag(std::string_view document) {
    static const Regex bodyTag(R"(<body\b[^>]*>)", kImportRegexOptions);
    const std::optional<RegexMatch> match = bodyTag.Match(document);
    if (!match)
        return "";
    std::string attributes;
    for (const char* name : {"class", "style", "lang", "dir"}) {
        const std::string value = GetTagAttribute(match->Group(), name);
        if (!value.empty())
            attributes += std::string(" ") + name + "=\"" +
                          HtmlAttrEscape(DecodeAttributeValue(value)) + "\"";
    }
    return attributes.empty() ? "" : "<div" + attributes + ">";
}

std::string RewriteHtml5Tags(std::string_view text) {
    static const Regex blockOpen(R"(<\s*(section|article|main|aside|header|footer|nav|figure|)"
                                 R"(figcaption|dialog|details|summary|hgroup)\b([^>]*)>)",
                                 kImportRegexOptions);
    static const Regex blockClose(R"(</\s*(section|article|main|aside|header|footer|nav|figure|)"
                                  R"(figcaption|dialog|details|summary|hgroup)\s*>)",
                                  kImportRegexOptions);
    static const Regex inlineOpen(R"(<\s*(time|mark|output|meter|progress)\b([^>]*)>)",
                                  kImportRegexOptions);
    static const Regex inlineClose(R"(</\s*(time|mark|output|meter|progress)\s*>)",
                                   kImportRegexOptions);
    static const Regex pictureOpen(R"(<\s*picture\b[^>]*>)", kImportRegexOptions);
    static const Regex pictureClose(R"(</\s*picture\s*>)", kImportRegexOptions);
    static const Regex templateElement(R"(<template\b[^>]*>.*?</template>)", kImportRegexOptions);

    std::string result = blockOpen.Replace(text, "<div$2>");
    result = blockClose.Replace(result, "</div>");
    result = inlineOpen.Replace(result, "<span$2>");
    result = inlineClose.Replace(result, "</span>");
    return Trim(RemoveAll(std::move(result), {&pictureOpen, &pictureClose, &templateElement}));
}

std::string FlattenFlexGrid(std::string_view text) {
    static const Regex flex(R"(display\s*:\s*(inline-)?flex\b)", kImportRegexOptions);
    static const Regex grid(R"(display\s*:\s*(inline-)?grid\b)", kImportRegexOptions);
    return grid.Replace(flex.Replace(text, "display: block"), "display: block");
}

std::string GetTagAttribute(std::string_view tag, std::string_view name) {
    const Regex attribute(R"(\b)" + std::string(name) +
                              R"re(\s*=\s*(?:"([^"]*)"|'([^']*)'|([^\s>]+)))re",
                          kImportRegexOptions);
    const std::optional<RegexMatch> match = attribute.Match(tag);
    return match ? std::string(FirstMatchedGroup(*match, 1, 3)) : "";
}

bool RelHasStylesheet(std::string_view rel) {
    const std::string lower = AsciiLower(rel);
    size_t pos = 0;
    while (pos < lower.size()) {
        const size_t start = lower.find_first_not_of(" \t\r\n", pos);
        if (start == std::string::npos)
            break;
        const size_t end = std::min(lower.find_first_of(" \t\r\n", start), lower.size());
        if (std::string_view(lower).substr(start, end - start) == "stylesheet")
            return true;
        pos = end;
    }
    return false;
}

std::string HtmlAttrEscape(std::string_view text) {
    return EncodeHtml(text);
}

std::string CssStringEscape(std::string_view text) {
    return ReplaceAll(ReplaceAll(text, "\\", "/"), "\"", "\\\"");
}

std::string DecodeAttributeValue(std::string_view value) {
    return DecodeHtml(value);
}

std::string_view FirstMatchedGroup(const RegexMatch& match, int first, int last) {
    for (int group = first; group < last; ++group)
        if (match.Matched(group))
            return match.Group(group);
    return match.Group(last);
}

std::string StripUrlQueryAndFragment(std::string_view url) {
    std::string result = Trim(url);
    result = result.substr(0, result.find('#'));
    return result.substr(0, result.find('?'));
}

bool IsNonLocalUrl(std::string_view url) {
    static constexpr std::string_view kNonLocalPrefixes[] = {
        "http:", "https:", "data:", "mailto:", "doc:", "//", "#", "javascript:", "tel:", "cid:"};
    const std::string lower = AsciiLower(Trim(url));
    if (lower.empty())
        return true;
    for (const std::string_view prefix : kNonLocalPrefixes)
        if (StartsWith(lower, prefix))
            return true;
    return false;
}

std::string RewriteTagAttribute(std::string_view text, const Regex& pattern,
                                const std::function<std::string(std::string_view)>& rewrite) {
    return pattern.ReplaceMatches(text, [&](const RegexMatch& match) {
        return std::string(match.Group(1)) + "\"" +
               HtmlAttrEscape(rewrite(DecodeAttributeValue(FirstMatchedGroup(match, 2, 4)))) + "\"";
    });
}

} // namespace quillmark
