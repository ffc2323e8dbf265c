#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillmark {

// A "!!! type "Title"" block (or a collapsible "??? type" one) with the
// Markdown of its indented body, taken out of a page before it is rendered.
struct TAdmonition {
    std::string Type;  // lower case letters, digits, "-" and "_"
    std::string Title; // as written, or the type with a capital when none is given
    std::string Body;  // the body with its indentation removed
    // The HTML comment on its own line that stands in the Markdown for the
    // box: rendered unchanged, so that the box's HTML can take its place.
    // It occurs nowhere in the page's own text.
    std::string Placeholder;
};

struct TAdmonitionSplit {
    std::string Markdown; // each block replaced by its placeholder
    std::vector<TAdmonition> Admonitions;
};

// Finds the blocks that start a line outside fenced code.
TAdmonitionSplit SplitAdmonitions(std::string_view markdown);

} // namespace quillmark
