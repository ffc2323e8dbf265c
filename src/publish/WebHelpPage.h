#pragma once

#include "publish/HtmlHelpers.h"

#include <string>
#include <string_view>

namespace quillmark {

class TProjectSettings;

// One page of the WebHelp site: the fixed head with the stylesheet link and
// the page background, the header area, the body and the footer, with no
// line breaks between the pieces.
std::string BuildWebHelpPage(std::string_view bodyHtml, std::string_view headerHtml,
                             std::string_view headerBg, std::string_view pageBg,
                             std::string_view cssHref, std::string_view footerHtml);

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
