#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quillmark {

// The text forms the formatting toolbar reads from its boxes and from the
// page's caret reports. All of them use "." as the decimal separator,
// whatever the user's locale.

// The text as a whole decimal number with an optional sign; 0 when it is
// not one ("14.5", "abc", ""). Numbers beyond 32 bits saturate, so a long
// row of digits still counts as a (very large) size.
int32_t ReadWholeNumber(std::string_view text);

// The text as a finite decimal number ("1.5", "2", ".5", "1e0"); 0 when it
// is not one. Infinity and NaN spellings are not numbers here.
double ReadDecimalNumber(std::string_view text);

// A line-height ratio for the line-spacing box: two decimals, then trailing
// zeros and a trailing point removed (1.5 -> "1.5", 1.333 -> "1.33",
// 2.0 -> "2").
std::string FormatLineHeightRatio(double r);

// What the line-spacing box shows for a caret report: a pixel length
// ("21px") becomes the ratio to the font size when that size is known;
// anything else is shown as reported (trimmed).
std::string ReportedLineHeightText(std::string_view lineHeight, int32_t fontSizePx);

} // namespace quillmark
