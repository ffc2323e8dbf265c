#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace quillmark {

// Text passes of token expansion that need no regular expression engine.

// Copies every tag ("<" up to the next ">", or to the end) unchanged and
// passes every run of text between tags that holds a "{" through `replace`;
// other runs are copied unchanged.
std::string ApplyOutsideTags(std::string_view html,
                             const std::function<std::string(std::string_view)>& replace);

// Replaces every token "{<keyword>:<name>}" by what `replace` gives for its
// name, exactly as a left-to-right search for
// \{\s*<keyword>\s*:\s*(?<name>[^\}]+?)\s*\} (case ignored, \s the ASCII
// white space) would: the name runs to the first "}" with the white space
// around it left out, or is the last white-space character when nothing else
// is there; a token holding malformed UTF-8 is no token. `keyword` is ASCII.
std::string ReplaceKeywordTokens(std::string_view text, std::string_view keyword,
                                 const std::function<std::string(std::string_view)>& replace);

} // namespace quillmark
