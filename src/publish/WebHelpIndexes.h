#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillmark {

class TDocProject;
class TTopicExpander;
struct TTopic;

// The WebHelp table of contents: {"roots":[node…]}, each node
// {"id","title","file","children"} in contents order. Topics excluded from
// WebHelp are left out with their whole subtree; identifiers naming no topic
// are skipped, and a topic listed again (hand-edited child lists that form
// a cycle) appears only the first time.
std::string BuildWebHelpTocJson(const TDocProject& project);

// One topic's entry of the search index:
// {"id","title","file","text","keywords"} with `text` its page's plain text.
std::string WebHelpSearchEntry(const TTopic& topic, std::string_view text);

// The plain text of the page at a topic's stored page path, expanded; empty
// when there is no such file (or only a link leading out of the project).
std::string StoredPageSearchText(const TDocProject& project, const TTopic& topic,
                                 TTopicExpander& expander);

// "toc.json" and "toc.js" ("window.__SV_TOC = " JSON ";", no line break).
void WriteWebHelpToc(const TDocProject& project, const std::string& outputFolder);
// "search.json" and "search.js" ("window.__SV_SEARCH = " JSON ";"): the
// JSON is {"topics":[entry…]} with the entries of the exported topics in
// dictionary order.
void WriteWebHelpSearchIndex(const std::string& outputFolder,
                             const std::vector<std::string>& entries);

// "index-terms.js" for the site's A–Z index: window.__SV_TERMS =
// {"entries":[[term,group,[[id,title]…]]…]}, the entries of BuildTopicIndex
// for the topics exported to WebHelp, in order. Returns the file's name.
std::string WriteWebHelpIndexTerms(const TDocProject& project, const std::string& outputFolder);

// "context.js" for opening the site at a topic by help ID
// ("index.html#ctx=IDH_PAIRING" or "#ctx=1001"): window.__SV_CONTEXT = an
// array of {"name","number","topic","file"} (number null when the ID has
// none), one per help ID of a topic in the site. Written only when there is
// such an ID; returns the names of the files written.
std::vector<std::string> WriteWebHelpContextMap(const TDocProject& project,
                                                const std::string& outputFolder);

} // namespace quillmark
