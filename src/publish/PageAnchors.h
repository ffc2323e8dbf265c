#pragma once

#include <string>
#include <string_view>
#include <unordered_set>

namespace quillmark {

// The places a link "page#anchor" can lead to: the page's id values and the
// names of its <a name="…"> tags, entities decoded.
std::unordered_set<std::string> PageAnchors(std::string_view html);

// Whether the page has the anchor a topic link names (as written, or with
// its percent escapes decoded).
bool HasPageAnchor(const std::unordered_set<std::string>& anchors, std::string_view anchor);

// "<scope>--<anchor>": an anchor of one topic in a document that holds many
// (the printed manual), where pages may use the same ids.
std::string ScopedAnchor(std::string_view scope, std::string_view anchor);

// Every id of the page and every link to one inside it ("#…") scoped.
std::string ScopePageAnchors(std::string_view html, std::string_view scope);

} // namespace quillmark
