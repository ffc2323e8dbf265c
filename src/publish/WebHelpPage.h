#pragma once

#include "publish/HtmlHelpers.h"

#include <string>
#include <string_view>

namespace quillmark {

class TProjectSettings;

// The pieces of one topic page of the WebHelp site.
struct TWebHelpPage {
    std::string_view TopicId;
    std::string_view TopicTitle;   // plain text
    std::string_view ProjectTitle; // plain text
    std::string_view Language;     // the content language ("en", "de-CH")
    std::string_view CssHref;
    std::string_view PageBg;
    std::string_view HeaderHtml;
    std::string_view HeaderBg;
    // The header is the fallback line with the project title, which the site
    // shows in its own top bar already.
    bool HeaderIsTitleLine = false;
    // The band keeps a background of a new project (which dark pages darken).
    bool HeaderHasDefaultBg = false;
    std::string_view BodyHtml;
    std::string_view FooterHtml;
};

// One page of the WebHelp site, with no line breaks between the pieces: a
// head with the title, the content language, the stylesheet, the page
// background and the site's scripts ("../shared.js", "../topic.js"), then the
// header band, the topic as the page's main part, and the footer. The page
// adds no typography of its own: the project's stylesheet decides, as in the
// editor. Opened on its own, the page takes the reader to the site.
std::string BuildWebHelpPage(const TWebHelpPage& page);

// The copyright line under every page, or empty when it is switched off or
// its text is blank.
std::string WebHelpFooterHtml(const TProjectSettings& settings);

// The text a topic's page starts from: the page file's text, or the title
// as a first-level heading when that text is blank.
std::string WebHelpPageSource(const std::string& source, const std::string& title);

// The expanded page HTML as it goes into the site: topic links rewritten
// with `resolver`, asset addresses moved one folder up (pages sit in
// "topics") and white backgrounds cleared.
std::string PrepareWebHelpBody(std::string_view expandedHtml, const TDocLinkResolver& resolver);

} // namespace quillmark
