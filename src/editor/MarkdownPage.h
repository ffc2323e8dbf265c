#pragma once

#include <string>
#include <string_view>

namespace quillmark {

// One Markdown file read for import.
struct TMarkdownPage {
    std::string FrontMatterTitle; // the front matter's "title", or ""
    std::string FirstHeading;     // plain text of the first level-1 heading, or ""
    std::string Html;             // the rendered page, raw HTML passed through
    bool HasAdmonitions = false;  // holds "!!! note" boxes
};

// A leading YAML block between "---" lines, split off the Markdown after it.
struct TFrontMatter {
    std::string Yaml;     // "" when there is none
    std::string_view Body;
};
TFrontMatter SplitFrontMatter(std::string_view source);

// Renders Markdown (CommonMark with GitHub's tables, strikethrough, autolinks,
// task lists and footnotes) after its front matter. Raw HTML reaches the
// result unchanged: the import's cleaning runs over it afterwards. Headings
// receive ids by MarkdownHeadingSlug, unique within the page; fenced code
// keeps its language as the class "language-<name>"; "!!! type" blocks become
// <div class="admonition type"> note boxes. Front matter that is no valid
// YAML gives no title and is dropped all the same.
TMarkdownPage RenderMarkdownPage(std::string_view source);

// The anchor of a heading: lower case, characters other than letters,
// digits, "_" and "-" dropped, runs of spaces and hyphens one "-".
std::string MarkdownHeadingSlug(std::string_view text);

} // namespace quillmark
