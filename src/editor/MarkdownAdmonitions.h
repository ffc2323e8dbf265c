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
};

struct TAdmonitionSplit {
    std::string Markdown; // each block replaced by AdmonitionPlaceholder(index)
    std::vector<TAdmonition> Admonitions;
};

// Finds the blocks that start a line outside fenced code.
TAdmonitionSplit SplitAdmonitions(std::string_view markdown);

// An HTML comment on its own line: rendered unchanged, so that the box's HTML
// can take its place afterwards.
std::string AdmonitionPlaceholder(size_t index);

} // namespace quillmark
