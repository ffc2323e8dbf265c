#pragma once

#include <string>
#include <string_view>

namespace quillmark {

class TProjectSettings;

// Whether the settings keep every colour a new project gets (text, page and
// text background, links, table borders and header row), so that the site
// may show its topics dark when the reader picks the dark appearance.
bool KeepsDefaultColours(const TProjectSettings& settings);

// Whether a header band's background is one a new project gets: the
// program's fallback "#fafafa", the default header colour, or white.
bool IsDefaultHeaderBackground(std::string_view background);

// The rules that darken the topic pages of the site while the reader's
// appearance is dark (the site marks the page's root with
// data-sv-theme="dark"), for the screen only: printing stays light. Empty
// when the project has colours of its own (KeepsDefaultColours is false).
std::string WebHelpDarkCss(const TProjectSettings& settings);

} // namespace quillmark
