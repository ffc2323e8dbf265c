#pragma once

#include "base/Regex.h"

#include <string>
#include <string_view>
#include <vector>

namespace quillmark {

// What an author searches for: a text, or a regular expression, with the
// usual options of a find dialog.
struct TTextQuery {
    std::string Text;
    bool MatchCase = false;
    // The match neither starts nor ends inside a word (letters, digits, "_").
    bool WholeWord = false;
    // `Text` is a PCRE2 pattern; the replacement may name its groups ($1, ${name}).
    bool RegularExpression = false;
};

// A span of a searched text, in bytes.
struct TTextSpan {
    size_t Begin = 0;
    size_t End = 0;
};

// A query compiled once: every search of a project runs the same pattern.
// A literal text is matched as written (letters of any script compared
// without case unless MatchCase); a pattern that does not compile fails with
// QuillError naming the position.
class TTextMatcher {
public:
    explicit TTextMatcher(const TTextQuery& query);

    // The non-empty matches in order, none overlapping.
    std::vector<TTextSpan> FindAll(std::string_view text) const;
    // What replaces the match at `span` of `text`: the replacement as typed,
    // or, for a regular expression, with its group references filled in.
    std::string ReplacementFor(std::string_view text, TTextSpan span,
                               std::string_view replacement) const;

private:
    Regex FPattern;
    bool FRegularExpression;
};

// The text of `text` around `span` on one line, at most about `width` bytes
// on either side (cut at a character boundary, with "…" where it was cut).
std::string ContextAround(std::string_view text, TTextSpan span, size_t width = 40);

} // namespace quillmark
