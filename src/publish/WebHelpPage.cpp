#include "publish/WebHelpPage.h"

#include "base/TextUtils.h"
#include "settings/ProjectSettings.h"

namespace quillmark {

namespace {

// Only the page's frame: margins, the paddings of the header band, the
// topic and the footer (narrower on phones), and the band with the project
// title hidden inside the site, which names the project in its top bar.
constexpr std::string_view kPageStyle =
    ".sv-page-header{padding:12px 28px;}"
    ".sv-page-body{padding:18px 28px 28px;}"
    ".sv-page-footer{padding:10px 28px;border-top:1px solid #d0d0d0;font-size:12px;opacity:0.85;}"
    "@media (max-width:600px){.sv-page-header,.sv-page-body,.sv-page-footer{padding-left:16px;"
    "padding-right:16px;}}"
    "@media screen{.sv-in-site .sv-title-line{display:none;}}";

} // namespace

std::string BuildWebHelpPage(const TWebHelpPage& page) {
    std::string html;
    html.reserve(page.BodyHtml.size() + page.HeaderHtml.size() + page.FooterHtml.size() + 1200);
    html += "<!doctype html><html lang=\"";
    html += EscapeHtml(page.Language);
    html += "\" data-topic=\"";
    html += EscapeHtml(page.TopicId);
    html += "\"><head><meta charset=\"utf-8\"><meta name=\"viewport\" "
            "content=\"width=device-width, initial-scale=1\"><title>";
    html += EscapeHtml(page.TopicTitle);
    html += " – ";
    html += EscapeHtml(page.ProjectTitle);
    html += "</title><link rel=\"stylesheet\" href=\"";
    html += page.CssHref;
    html += "\"><style>body{margin:0;padding:0;background:";
    html += page.PageBg;
    html += ";}";
    html += kPageStyle;
    html += "</style><script src=\"../shared.js\"></script><script src=\"../topic.js\"></script>"
            "</head><body><header class=\"sv-page-header";
    if (page.HeaderIsTitleLine)
        html += " sv-title-line";
    if (page.HeaderHasDefaultBg)
        html += " sv-default-band";
    html += "\" style=\"background:";
    html += page.HeaderBg;
    html += ";\">";
    html += page.HeaderHtml;
    html += "</header><main class=\"sv-page-body\" id=\"sv-content\">";
    html += page.BodyHtml;
    html += "</main>";
    html += page.FooterHtml;
    html += "</body></html>";
    return html;
}

std::string WebHelpFooterHtml(const TProjectSettings& settings) {
    if (!settings.CopyrightEnabled || Trim(settings.CopyrightText).empty())
        return "";
    return "<footer class=\"sv-page-footer\">" + EscapeHtml(settings.CopyrightText) + "</footer>";
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
