#pragma once

#include <string>
#include <unordered_map>

namespace quillmark {

class TDocProject;

// The WebHelp table of contents: {"roots":[node…]}, each node
// {"id","title","file","children"} in contents order. Topics excluded from
// WebHelp are left out with their whole subtree; identifiers naming no topic
// are skipped, and a topic listed again (hand-edited child lists that form
// a cycle) appears only the first time.
std::string BuildWebHelpTocJson(const TDocProject& project);

// Plain text of topics for the search index, by identifier, when the caller
// has it already (the export computes it while writing the pages).
using TSearchTexts = std::unordered_map<std::string, std::string>;

// The search index: {"topics":[{"id","title","file","text","keywords"}…]}
// for every exported topic in dictionary order. A topic's text is taken from
// `knownTexts` when it is there, otherwise read from its stored page path,
// expanded and reduced to plain text.
std::string BuildWebHelpSearchJson(const TDocProject& project, const TSearchTexts& knownTexts = {});

// "toc.json" and "toc.js" ("window.__SV_TOC = " JSON ";", no line break).
void WriteWebHelpToc(const TDocProject& project, const std::string& outputFolder);
// "search.json" and "search.js" ("window.__SV_SEARCH = " JSON ";").
void WriteWebHelpSearchIndex(const TDocProject& project, const std::string& outputFolder,
                             const TSearchTexts& knownTexts = {});

} // namespace quillmark
