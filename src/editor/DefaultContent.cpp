#include "editor/DefaultContent.h"

#include "base/TextUtils.h"
#include "settings/SettingsTable.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <utility>

namespace quillmark {

namespace {

std::string DefaultFontForHtml(const TProjectSettings& settings) {
    return ReplaceAll(SettingTextOrDefault(settings, "DefaultFontName"), "\"", "&quot;");
}

bool ContainsAny(std::string_view text, std::initializer_list<std::string_view> parts) {
    return std::any_of(parts.begin(), parts.end(),
                       [&](std::string_view part) { return text.find(part) != text.npos; });
}

} // namespace

std::string DefaultParagraphHtml(const TProjectSettings& settings) {
    return "<p style=\"font-family:" + DefaultFontForHtml(settings) + ", Arial, sans-serif;" +
           "font-size:" + std::to_string(settings.FontSizeBody) + "px;" +
           "color:" + ColorToHtml(settings.DefaultTextColor) + ";" +
           "line-height:" + FormatShortestDouble(settings.DefaultLineSpacing) + ";\"><br></p>";
}

std::string DefaultHeaderHtml(const TProjectSettings& settings, std::string_view title) {
    std::string escaped = ReplaceAll(title, "&", "&amp;");
    escaped = ReplaceAll(escaped, "<", "&lt;");
    escaped = ReplaceAll(escaped, ">", "&gt;");
    escaped = ReplaceAll(escaped, "\"", "&quot;");
    return "<div style=\"font-size:" + std::to_string(settings.FontSizeBody) +
           "px;font-family:" + DefaultFontForHtml(settings) + ", Arial, sans-serif;" +
           "color:" + ColorToHtml(settings.DefaultTextColor) + ";\"><b>" + escaped + "</b></div>";
}

std::string HtmlToPlainText(std::string_view html) {
    std::string text;
    text.reserve(html.size());
    bool inTag = false;
    for (const char c : html) {
        if (c == '<')
            inTag = true;
        else if (c == '>')
            inTag = false;
        else if (!inTag)
            text += c;
    }
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 7> kEntities = {{
        {"&nbsp;", " "},
        {"&#160;", " "},
        {"&amp;", "&"},
        {"&lt;", "<"},
        {"&gt;", ">"},
        {"&quot;", "\""},
        {"&#39;", "'"},
    }};
    for (const auto& [entity, replacement] : kEntities)
        text = ReplaceAllIgnoreCase(text, entity, replacement);
    return Trim(text);
}

bool IsDefaultHeader(std::string_view headerHtml, std::string_view title,
                     std::string_view projectTitle) {
    const std::string text = HtmlToPlainText(headerHtml);
    if (!AsciiSameText(text, Trim(title)) && !AsciiSameText(text, Trim(projectTitle)))
        return false;
    return !ContainsAny(AsciiLower(headerHtml), {"<img", "<table", "<a "});
}

bool IsTopicContentEmpty(std::string_view html) {
    // Audio, embedded objects and inline pictures count as content too: a
    // page holding only such an element must not be taken for an empty one
    // and replaced by the default paragraph.
    if (ContainsAny(AsciiLower(html),
                    {"<img", "<table", "<video", "<iframe", "<audio", "<embed", "<object", "<svg"}))
        return false;
    std::string text = ReplaceAll(HtmlToPlainText(html), "\xC2\xA0", "");
    std::erase_if(text, [](char c) { return c == '\r' || c == '\n' || c == '\t' || c == ' '; });
    return text.empty();
}

} // namespace quillmark
