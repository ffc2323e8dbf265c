#pragma once

// Publishing's HTML helpers build on the text escaping of base.
#include "base/HtmlEscaping.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quillmark {

// Maps a topic identifier, as written in a "doc:" link, to the value the
// rewritten href receives; an empty result means the link has no target.
using TDocLinkResolver = std::function<std::string(const std::string&)>;

// Which white-background declarations ClearWhiteBackgrounds removes: the page
// list covers both "background-color" and "background" shorthands, the CHM
// list only "background-color".
enum class TWhiteBackgroundList { Page, Chm };

// Text of an HTML page for the search index: scripts, styles and tags become
// spaces, six common entities are decoded, white space is collapsed.
std::string ExtractPlainText(std::string_view html);

// The identifiers of every href="doc:<32 hex digits>" link, in order of
// appearance, duplicates and letter case kept.
std::vector<std::string> ExtractDocLinkIds(std::string_view html);

// Replaces every topic link by href="<resolver result>", or href="#" when the
// resolver returns an empty text.
std::string RewriteDocLinks(std::string_view html, const TDocLinkResolver& resolver);

// Makes white backgrounds of pasted content transparent.
std::string ClearWhiteBackgrounds(std::string_view html, TWhiteBackgroundList list);

} // namespace quillmark
