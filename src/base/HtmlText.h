#pragma once

#include "base/TextQuery.h"

#include <string>
#include <string_view>
#include <vector>

namespace quillmark {

// The text of an HTML page as a reader sees it, with the way back into the
// markup, so that finding and replacing text never touches a tag or an
// attribute. The page is cut into segments that read as one (a paragraph,
// a heading, a cell, a list item: inline tags such as <b> or <span> do not
// cut), each with references decoded (&nbsp; read as a space), runs of
// white space read as one space, and the content of scripts, styles and
// comments left out.
class THtmlText {
public:
    struct TSegment {
        std::string Text;
        // For each byte of Text, the markup bytes it was read from.
        std::vector<size_t> SourceBegin;
        std::vector<size_t> SourceEnd;
    };

    explicit THtmlText(std::string_view html);

    const std::vector<TSegment>& Segments() const { return FSegments; }

    // The page with the spans of segment `segment` replaced by the texts
    // (escaped as HTML). A span that runs through inline tags keeps the
    // tags: its first piece of text takes the replacement, the rest is
    // emptied. `spans` are in order and do not overlap. A bare "<" or "&"
    // of the page's text is written as a reference, so that nothing the
    // replacement puts beside it can make it markup or a reference.
    struct TReplacement {
        size_t Segment = 0;
        TTextSpan Span;
        std::string Text;
    };
    std::string Replace(std::vector<TReplacement> replacements) const;

private:
    std::string FHtml;
    std::vector<TSegment> FSegments;
    // Where the page's text holds a "<" or "&" that starts no tag or reference.
    std::vector<size_t> FBareSpecials;
};

} // namespace quillmark
