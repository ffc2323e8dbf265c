#include "publish/WebHelpPage.h"

#include "base/TextUtils.h"
#include "settings/ProjectSettings.h"

#include <initializer_list>

namespace quillmark {

namespace {

constexpr std::string_view kHeadStart =
    "<!doctype html><html><head><meta charset=\"utf-8\"><meta name=\"viewport\" "
    "content=\"width=device-width, initial-scale=1\"><link rel=\"stylesheet\" href=\"";
constexpr std::string_view kStyleStart =
    "\"><style>body{margin:0;font-family:Segoe UI,Arial;background:";
constexpr std::string_view kStyleRest =
    ";}"
    ".sv-page-body p{margin:0;}"
    ".sv-page-body h1,.sv-page-body h2,.sv-page-body h3,.sv-page-body h4,.sv-page-body "
    "h5,.sv-page-body h6{margin:0;}"
    ".sv-page-body ul,.sv-page-body ol{margin:0;padding-left:1.5em;}"
    ".sv-page-body li{margin:0;}"
    "table{border-collapse:collapse;max-width:100%;}"
    "td,th{border:1px solid #999;padding:4px;vertical-align:top;}"
    "</style></head><body><div class=\"sv-page-header\" style=\"background:";
constexpr std::string_view kHeaderRest = ";padding:12px 16px;\">";
constexpr std::string_view kBodyStart =
    "</div><div class=\"sv-page-body\" style=\"padding:16px;\">";
constexpr std::string_view kBodyEnd = "</div>";
constexpr std::string_view kPageEnd = "</body></html>";

} // namespace

std::string BuildWebHelpPage(std::string_view bodyHtml, std::string_view headerHtml,
                             std::string_view headerBg, std::string_view pageBg,
                             std::string_view cssHref, std::string_view footerHtml) {
    const std::initializer_list<std::string_view> pieces = {
        kHeadStart, cssHref,    kStyleStart, pageBg,   kStyleRest, headerBg, kHeaderRest,
        headerHtml, kBodyStart, bodyHtml,    kBodyEnd, footerHtml, kPageEnd};
    size_t size = 0;
    for (const std::string_view piece : pieces)
        size += piece.size();
    std::string page;
    page.reserve(size);
    for (const std::string_view piece : pieces)
        page += piece;
    return page;
}

std::string WebHelpFooterHtml(const TProjectSettings& settings) {
    if (!settings.CopyrightEnabled || Trim(settings.CopyrightText).empty())
        return "";
    return "<div class=\"sv-page-footer\" style=\"padding:10px 16px;border-top:1px solid "
           "#d0d0d0;font-size:12px;opacity:0.85;\">" +
           EscapeHtml(settings.CopyrightText) + "</div>";
}

std::string WebHelpPageSource(const std::string& source, const std::string& title) {
    return Trim(source).empty() ? "<h1>" + EscapeHtml(title) + "</h1>" : source;
}

std::string PrepareWebHelpBody(std::string_view expandedHtml, const TDocLinkResolver& resolver) {
    std::string html = RewriteDocLinks(expandedHtml, resolver);
    html = ReplaceAll(html, "src=\"assets/", "src=\"../assets/");
    html = ReplaceAll(html, "href=\"assets/", "href=\"../assets/");
    return ClearWhiteBackgrounds(html, TWhiteBackgroundList::Page);
}

} // namespace quillmark
