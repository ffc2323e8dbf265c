#pragma once

#include "model/HelpIds.h"

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quillmark {

class TDocProject;

// The map of a project's help IDs for the programmers of the program the
// help is for: a C/C++ header, JSON or CSV.
enum class THelpIdMapFormat { Header, Json, Csv };

// "h", "json" or "csv"; nothing for any other name.
std::optional<THelpIdMapFormat> HelpIdMapFormatNamed(std::string_view name);

// The start page of printed topics, by topic identifier.
using THelpIdPages = std::unordered_map<std::string, int>;

// A header with one "#define NAME NUMBER" line per ID that has a number,
// after a comment line; lines end with "\n". The help compiler reads the
// same file as the map of the CHM project.
std::string HelpIdHeaderText(const std::vector<THelpIdEntry>& entries);

// The map of ProjectHelpIds in the format:
// - Header: HelpIdHeaderText.
// - Json: an array of {"name","number","topic","title","webhelp","page"},
//   number and page null when there is none.
// - Csv: the header row "name,number,topic,title,webhelp,page", then one row
//   per ID (RFC 4180 quoting, lines ended by "\n").
// "webhelp" is the topic's address in the WebHelp site ("index.html#t=" and
// its identifier, percent-encoded), empty when the topic is left out of WebHelp; "page" is
// the topic's start page in `pages`, empty when it is not there.
std::string HelpIdMapText(const TDocProject& project, THelpIdMapFormat format,
                          const THelpIdPages& pages);

// Where each printed topic starts in the project's "build/pdf/manual.pdf",
// read from its named destinations; empty when there is no manual, when it
// is older than the tree file (it may not show the topics as they are now)
// or when it cannot be read.
THelpIdPages PrintedTopicPages(const TDocProject& project);

// HelpIdMapText with the PrintedTopicPages when the format shows pages.
std::string PublishedHelpIdMap(const TDocProject& project, THelpIdMapFormat format);

} // namespace quillmark
