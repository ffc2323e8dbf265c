#pragma once

#include "editor/HtmlImport.h"

#include <string>
#include <vector>

namespace quillmark {

class TDocProject;

struct TMarkdownImportOptions {
    std::string ParentID;          // the imported roots become its last children; "" for roots
    bool CopyOutsideFiles = false; // files the pages name outside the folder are copied too
};

// What an import did and what it left out.
struct TMarkdownImportReport {
    std::vector<std::string> RootIDs; // the topics made at the top of the import, in order
    size_t TopicCount = 0;
    // "<page>: <reference>" for each link or picture naming no file.
    std::vector<std::string> MissingLinks;
    std::vector<std::string> MissingNavPages;   // as the nav names them
    std::vector<std::string> SkippedNavEntries; // web addresses and unknown forms
    THtmlImportSkipped SkippedFiles;            // files the import rules kept out
};

// Imports a folder of Markdown pages (PlanMarkdownFolder) as topics of the
// project: each page rendered (RenderMarkdownPage) and cleaned as an HTML
// import cleans pages, the local files it refers to copied into the asset
// folders, links between its pages made topic links ("doc:<id>#<anchor>").
// A topic's title is the nav's label, else the front matter's title, else
// the page's first level-1 heading, else the file's name; a page without a
// level-1 heading starts with one carrying its title. A section without a
// page of its own lists its entries.
//
// Every page is read before anything is written: a folder without pages or
// an unreadable page raises a QuillError and changes nothing. A failure
// while writing takes the new topics, their pages and the copies out again
// before it goes on. The tree is saved at the end.
TMarkdownImportReport ImportMarkdownFolder(TDocProject& project, const std::string& folder,
                                           const TMarkdownImportOptions& options = {});

// The report's findings as lines for a person, empty when there are none.
std::vector<std::string> MarkdownImportReportLines(const TMarkdownImportReport& report);

} // namespace quillmark
