#pragma once

#include "base/Regex.h"

#include <functional>
#include <string>
#include <string_view>

namespace quillmark {

// The text rewrites of an HTML import that touch no file. Every pattern of
// the import is matched ignoring case, with "." matching line breaks as well.
inline constexpr unsigned kImportRegexOptions = Regex::Caseless | Regex::DotAll;

// The content of the document's body: doctype, scripts and title removed;
// everything between the body tags (or, without a body, everything but the
// html and head elements); style, link and meta tags removed; trimmed.
std::string ExtractImportBody(std::string_view text);

// "<div" with the class, style, lang and dir attributes of the document's
// first body tag, or "" when it has none of them.
std::string BodyWrapperOpenTag(std::string_view document);

// HTML5 sectioning elements become div, phrasing ones (time, mark, ...) span;
// picture tags vanish with their content kept, template elements with it.
std::string RewriteHtml5Tags(std::string_view text);

// "display: flex|inline-flex|grid|inline-grid" becomes "display: block".
std::string FlattenFlexGrid(std::string_view text);

// The raw value of the first attribute `name` in the tag (double, single or
// no quotes), or "". `name` is a fixed attribute name; it is placed into the
// pattern as it is.
std::string GetTagAttribute(std::string_view tag, std::string_view name);

// Whether one of the white-space separated words of a rel value is
// "stylesheet", in any letter case.
bool RelHasStylesheet(std::string_view rel);

// The text as an attribute value: & " < > as references.
std::string HtmlAttrEscape(std::string_view text);

// The text inside a double-quoted CSS string: backslashes become slashes
// (paths written with either delimiter stay paths), double quotes escaped.
std::string CssStringEscape(std::string_view text);

// An attribute value as the browser reads it: character references decoded.
// Values taken from the source are decoded before they are used, so that
// writing them back through HtmlAttrEscape keeps them as they were.
std::string DecodeAttributeValue(std::string_view value);

// The first of the groups first..last-1 that took part, else group `last`:
// the value of a match that offers one form per group (double quoted,
// single quoted, unquoted).
std::string_view FirstMatchedGroup(const RegexMatch& match, int first, int last);

// Rewrites the attribute value after each match's group 1 (the tag start up
// to the equals sign; groups 2 to 4 the value double, single or not quoted),
// decoded, and writes it back double quoted.
std::string RewriteTagAttribute(std::string_view text, const Regex& pattern,
                                const std::function<std::string(std::string_view)>& rewrite);

// The URL trimmed and cut at its first "#", then at its first "?".
std::string StripUrlQueryAndFragment(std::string_view url);

// Whether the URL is empty or points outside the local file system (web,
// data, mail, topic links, fragments, ...). Such URLs are kept as written.
bool IsNonLocalUrl(std::string_view url);

} // namespace quillmark
