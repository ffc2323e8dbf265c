#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace quillmark {

// One condition block: the begin marker's name, the body, and the end
// marker's name (empty for "{endcond}").
struct TConditionBlock {
    std::string_view Whole;
    std::string_view Name;
    std::string_view Body;
    std::string_view EndName;
};

// Replaces every innermost condition block (one whose body holds no begin
// marker) by what `replace` gives for it, exactly as a left-to-right search
// for the pattern
//   \{\s*begincond\s*:\s*(?<name>[^\}]+?)\s*\}
//   (?<body>(?:(?!\{\s*begincond\s*:\s*[^\}]+?\s*\}).)*?)<end>
// would (case ignored, "." any character of valid UTF-8), with <end> the
// named end marker \{\s*endcond\s*:\s*(?<endname>[^\}]+?)\s*\} when
// `namedEnd`, else the bare one \{\s*endcond\s*\}. The text is scanned once,
// so the size of a body is no limit.
std::string
ReplaceInnermostConditionBlocks(std::string_view html, bool namedEnd,
                                const std::function<std::string(const TConditionBlock&)>& replace);

} // namespace quillmark
