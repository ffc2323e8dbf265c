#pragma once

#include <cstdint>
#include <string>

namespace quillmark {

// The formatting at the editor page's caret, as one "cursorStyle" report
// gives it. Every report fills a fresh record.
struct TEditorCursorStyle {
    std::string Area; // "header" or "body"
    std::string FontName;
    int32_t FontSizePx = 0;    // whole pixels; 0 when not reported as a whole number
    std::string TextColorHtml; // "#RRGGBB" or "transparent"
    std::string BackColorHtml;
    std::string Align; // "left", "center", "right", "justify"
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    std::string ListType;   // "ul", "ol" or empty
    std::string BlockTag;   // "h1", "h2", "h3", "p", ...
    std::string LineHeight; // a number, a pixel length ("21px") or "normal"
};

} // namespace quillmark
