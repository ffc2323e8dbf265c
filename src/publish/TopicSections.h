#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillmark {

// A part of a topic page: the text before its first heading, or a heading
// and the text up to the next one.
struct TTopicSection {
    std::string Anchor;  // the heading's id; empty for the text before the first heading
    std::string Heading; // the heading's plain text
    int Level = 0;       // 1 … 6; 0 for the text before the first heading
    std::string Text;    // plain text of the section, its heading left out
};

struct TSectionedPage {
    std::string Html; // the page, every heading with an id
    std::vector<TTopicSection> Sections; // the opening part first, then one per heading
};

// Splits a topic page at its headings (h1 … h6), so that a search can point
// at the section that matches and the site can list the headings. A heading
// keeps the id it has; one without gets a readable id made from its text
// ("Setting up the lamp" -> "setting-up-the-lamp"), unique in the page.
TSectionedPage SplitIntoSections(std::string_view html);

} // namespace quillmark
