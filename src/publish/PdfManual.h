#pragma once

#include "publish/TopicIndex.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quillmark {

class TDocProject;
class TProjectSettings;
class TTopicExpander;

// The page (counted from 1, the cover) on which each printed topic starts,
// by topic identifier.
using TTopicPages = std::unordered_map<std::string, int>;

// One line of the printed contents: a topic and its depth in the tree.
struct TContentsEntry {
    std::string Id;
    std::string Title;
    int Depth = 0;
};

// The manual document "manual.html" as a book: the cover, the contents, every
// printed topic in contents order (each root topic a chapter that starts a
// page and names the running head), and the index of the printed topics'
// index entries and keywords. The topics are read and prepared once; the
// contents and the index are written with the page numbers of a printed
// copy, or without numbers before the first print (the number boxes of the
// contents keep their width, so the numbers never move a topic to another
// page; the index comes after every topic). The document refers to the
// project's topics and lives no longer than the project.
class TManualDocument {
public:
    TManualDocument(const TDocProject& project, const TProjectSettings& settings);

    // The document's lines (each written with CR LF after it).
    std::vector<std::string> Lines(const TTopicPages& pages) const;
    std::string Text(const TTopicPages& pages) const;
    void Write(const std::string& path, const TTopicPages& pages) const;

    // The printed topics in document order.
    const std::vector<TContentsEntry>& Contents() const { return contents_; }

private:
    std::vector<std::string> head_; // from "<!doctype html>" to the cover
    std::vector<TContentsEntry> contents_;
    std::vector<std::string> sections_;
    std::vector<TTopicIndexEntry> index_;
};

// The manual's text without page numbers (as written before printing).
std::string BuildManualHtml(const TDocProject& project, const TProjectSettings& settings);

// The rules of the manual's own <style> element, after the project's
// stylesheet: the paper size and margins of the settings (inner margins on
// the binding side), the page number in the outer foot corner, the running
// head of each chapter (`chapterTitles` in order, named pages "chapter-1",
// "chapter-2" ...), and the layout of the cover, contents, topic headings,
// index, code blocks and page breaks.
std::vector<std::string> ManualStyleLines(const TProjectSettings& settings,
                                          const std::vector<std::string>& chapterTitles);

// The cover: the picture of the settings (when it names a file below the
// project's "assets" folder), the project title, the subtitle and version
// line with their tokens expanded (each only when set), and the copyright
// text when it is switched on.
std::vector<std::string> CoverLines(const TDocProject& project, const TProjectSettings& settings,
                                    TTopicExpander& expander);

// The cover picture's address relative to the manual ("assets/images/a%20b.png"),
// or empty when the setting names no file inside the project's "assets" folder.
std::string CoverPictureAddress(const TDocProject& project, const std::string& setting);

// "Contents" and its entries: each a link to the topic's heading with the
// title, dot leaders and the start page (an empty number box without one).
std::vector<std::string> ContentsLines(const std::vector<TContentsEntry>& contents,
                                       const TTopicPages& pages);

// "Index": the entries under their initial letters, each with links to the
// pages where its topics start (one link per page), or to the topics by
// title where no page is known.
std::vector<std::string> IndexLines(const std::vector<TTopicIndexEntry>& index,
                                    const TTopicPages& pages);

} // namespace quillmark
