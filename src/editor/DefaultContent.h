#pragma once

#include "settings/ProjectSettings.h"

#include <string>
#include <string_view>

namespace quillmark {

// The one empty paragraph a new topic starts with, styled with the default
// font, body size, text colour and line spacing of the settings.
std::string DefaultParagraphHtml(const TProjectSettings& settings);

// The header a topic starts with: its title in bold, in the default font,
// body size and text colour. & < > and " of the title are escaped.
std::string DefaultHeaderHtml(const TProjectSettings& settings, std::string_view title);

// Text outside tags with &nbsp; &#160; &amp; &lt; &gt; &quot; &#39; decoded,
// trimmed.
std::string HtmlToPlainText(std::string_view html);

// Whether a header still looks as the program made it: its text is the topic
// title or the project title (ASCII case ignored) and it holds no picture,
// table or link.
bool IsDefaultHeader(std::string_view headerHtml, std::string_view title,
                     std::string_view projectTitle);

// Whether a topic page holds nothing the author wrote: no picture, table or
// embedded media, and no text but white space.
bool IsTopicContentEmpty(std::string_view html);

} // namespace quillmark
