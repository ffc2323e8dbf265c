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

// The value for a link to an anchor of the topic's page ("doc:<id>#<anchor>"),
// asked only when the resolver gave the topic a target.
using TDocAnchorResolver = std::function<std::string(const std::string& id, const std::string& anchor)>;

// A topic link: the target's identifier and, for "doc:<id>#<anchor>", the
// anchor as written.
struct TDocLink {
    std::string ID;
    std::string Anchor;
};

// Which white-background declarations ClearWhiteBackgrounds removes: the page
// list covers both "background-color" and "background" shorthands, the CHM
// list only "background-color".
enum class TWhiteBackgroundList { Page, Chm };

// Text of an HTML page for the search index: scripts, styles and tags become
// spaces, six common entities are decoded, white space is collapsed.
std::string ExtractPlainText(std::string_view html);

// A path as a URL path: every byte but ASCII letters, digits, "-._~" and "/"
// percent-encoded with upper-case digits.
std::string PercentEncodePath(std::string_view path);

// The identifiers of every href="doc:<32 hex digits>[#anchor]" link, in order of
// appearance, duplicates and letter case kept.
std::vector<std::string> ExtractDocLinkIds(std::string_view html);

// The topic links of a page in order of appearance, duplicates kept.
std::vector<TDocLink> ExtractDocLinks(std::string_view html);

// Replaces every topic link by href="<resolver result>", or href="#" when the
// resolver returns an empty text. A link to an anchor receives the resolver's
// result, "#" and the anchor, unless `anchorResolver` gives its value.
std::string RewriteDocLinks(std::string_view html, const TDocLinkResolver& resolver,
                            const TDocAnchorResolver& anchorResolver = {});

// Makes white backgrounds of pasted content transparent.
std::string ClearWhiteBackgrounds(std::string_view html, TWhiteBackgroundList list);

} // namespace quillmark
