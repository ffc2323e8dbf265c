#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quillmark {

// Text passes of token expansion that need no regular expression engine.

// Copies every tag ("<" up to the next ">", or to the end) unchanged and
// passes every run of text between tags that holds a "{" through `replace`;
// other runs are copied unchanged.
std::string ApplyOutsideTags(std::string_view html,
                             const std::function<std::string(std::string_view)>& replace);

// A token "{<keyword>:<name>}" as the pattern
// \{\s*<keyword>\s*:\s*(?<name>[^\}]+?)\s*\} matches it (case ignored, \s the
// ASCII white space): the name runs to the first "}" with the white space
// around it left out, or is the last white-space character when nothing
// else is there; a token holding malformed UTF-8 is no token. `keyword` is
// ASCII.
struct TTokenAt {
    size_t End; // just after the closing "}"
    std::string_view Name;
};
// The token starting at `open`, or nothing when none starts there.
std::optional<TTokenAt> KeywordTokenAt(std::string_view text, size_t open,
                                       std::string_view keyword);
// The end of a token "{<keyword>}" (\{\s*<keyword>\s*\}) starting at `open`, or
// npos when none starts there.
size_t BareKeywordTokenAt(std::string_view text, size_t open, std::string_view keyword);

// Replaces every token "{<keyword>:<name>}" by what `replace` gives for its
// name, exactly as a left-to-right search for the pattern would.
std::string ReplaceKeywordTokens(std::string_view text, std::string_view keyword,
                                 const std::function<std::string(std::string_view)>& replace);

} // namespace quillmark
