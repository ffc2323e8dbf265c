#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quillmark {

// Removes leading and trailing characters whose code is 32 or less
// (space and every control character); other white space stays.
std::string Trim(std::string_view text);

// Letters A to Z only; every other byte (UTF-8 sequences included) is kept.
std::string AsciiLower(std::string_view text);

// Equal when of the same length and equal byte for byte, with a to z and
// A to Z equal to each other.
bool AsciiSameText(std::string_view a, std::string_view b);

bool StartsWith(std::string_view text, std::string_view prefix);
bool AsciiStartsWithIgnoreCase(std::string_view text, std::string_view prefix);
bool AsciiEndsWithIgnoreCase(std::string_view text, std::string_view suffix);
// The white space of "\s" in a regular expression without Unicode
// properties: tab, line feed, vertical tab, form feed, carriage return, space.
constexpr bool IsAsciiWhiteSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Where `needle` first occurs in `text` at or after `from`, comparing without
// regard to ASCII letter case; npos when nowhere.
size_t AsciiFindIgnoreCase(std::string_view text, std::string_view needle, size_t from = 0);

// Replaces every occurrence of `from` (which must not be empty).
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);
// The same, comparing `from` without regard to ASCII letter case.
std::string ReplaceAllIgnoreCase(std::string_view text, std::string_view from, std::string_view to);

// Fills "%s" placeholders from left to right; "%%" stays as it is.
std::string FormatText(std::string_view pattern, const std::vector<std::string>& args);

// Splits on CR LF, LF or CR.
std::vector<std::string> SplitLines(std::string_view text);

// Shortest decimal text that reads back as the same double, with a decimal
// point: 1.5 -> "1.5", 2 -> "2", 0.1 -> "0.1"; scientific ("1E20") only for
// very large or very small magnitudes.
std::string FormatShortestDouble(double value);

// The text as a whole decimal number that fits 32 bits (an optional sign,
// then digits only); 0 for anything else ("14.5", "abc", "", "+-1").
int32_t WholeNumberOrZero(std::string_view text);

} // namespace quillmark
