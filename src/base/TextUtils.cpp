#include "base/TextUtils.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace quillmark {

std::string Trim(std::string_view text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= 32)
        ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 32)
        --end;
    return std::string(text.substr(begin, end - begin));
}

static char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

std::string AsciiLower(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        c = LowerAscii(c);
    return result;
}

bool AsciiSameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    return true;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool AsciiStartsWithIgnoreCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && AsciiSameText(text.substr(0, prefix.size()), prefix);
}

bool AsciiEndsWithIgnoreCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           AsciiSameText(text.substr(text.size() - suffix.size()), suffix);
}

size_t AsciiFindIgnoreCase(std::string_view text, std::string_view needle, size_t from) {
    constexpr size_t npos = std::string_view::npos;
    if (needle.size() > text.size() || from > text.size() - needle.size())
        return needle.empty() && from <= text.size() ? from : npos;
    if (needle.empty())
        return from;
    // Candidates are the places of the first character in either case, each
    // case found with memchr and the nearer one tried first.
    const char first = needle[0];
    const bool letter = (first | 0x20) >= 'a' && (first | 0x20) <= 'z';
    const char lower = letter ? static_cast<char>(first | 0x20) : first;
    const char upper = letter ? static_cast<char>(first & ~0x20) : first;
    const size_t last = text.size() - needle.size(); // the last possible start
    const auto next = [&](char c, size_t pos) -> size_t {
        if (pos > last)
            return npos;
        const void* hit = std::memchr(text.data() + pos, c, last - pos + 1);
        return hit == nullptr ? npos : static_cast<const char*>(hit) - text.data();
    };
    size_t nextLower = next(lower, from);
    size_t nextUpper = letter ? next(upper, from) : npos;
    while (nextLower != npos || nextUpper != npos) {
        const size_t pos = std::min(nextLower, nextUpper);
        // Most candidates differ in their second character already.
        if ((needle.size() < 2 || LowerAscii(text[pos + 1]) == LowerAscii(needle[1])) &&
            AsciiSameText(text.substr(pos, needle.size()), needle))
            return pos;
        if (pos == nextLower)
            nextLower = next(lower, pos + 1);
        else
            nextUpper = next(upper, pos + 1);
    }
    return npos;
}

namespace {

// Copies `text`, replacing each place where `needle` occurs in `haystack`
// (which has the same length as `text`) by `to`.
std::string ReplaceFound(std::string_view text, std::string_view haystack, std::string_view needle,
                         std::string_view to) {
    if (needle.empty())
        return std::string(text);
    std::string result;
    result.reserve(text.size());
    size_t pos = 0;
    for (size_t hit = haystack.find(needle); hit != std::string_view::npos;
         hit = haystack.find(needle, pos)) {
        result.append(text.substr(pos, hit - pos));
        result.append(to);
        pos = hit + needle.size();
    }
    result.append(text.substr(pos));
    return result;
}

} // namespace

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
    return ReplaceFound(text, text, from, to);
}

std::string ReplaceAllIgnoreCase(std::string_view text, std::string_view from,
                                 std::string_view to) {
    return ReplaceFound(text, AsciiLower(text), AsciiLower(from), to);
}

std::string FormatText(std::string_view pattern, const std::vector<std::string>& args) {
    std::string result;
    size_t next = 0;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size()) {
            if (pattern[i + 1] == 's') {
                if (next < args.size())
                    result += args[next];
                ++next;
                ++i;
                continue;
            }
            if (pattern[i + 1] == '%') {
                result += '%';
                ++i;
                continue;
            }
        }
        result += pattern[i];
    }
    return result;
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::string current;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(current);
            current.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            current += c;
        }
    }
    if (!current.empty())
        lines.push_back(current);
    return lines;
}

std::string FormatShortestDouble(double value) {
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value > 0 ? "INF" : "-INF";
    if (value == 0)
        return "0";
    // Shortest round-trip digits in scientific form, then laid out by hand.
    char buffer[64];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    std::string sci(buffer, end);
    const bool negative = sci[0] == '-';
    if (negative)
        sci.erase(0, 1);
    const size_t ePos = sci.find('e');
    const int exponent = std::atoi(sci.c_str() + ePos + 1);
    std::string digits;
    for (size_t i = 0; i < ePos; ++i)
        if (sci[i] != '.')
            digits += sci[i];

    std::string out;
    if (exponent >= 15 || exponent < -5) {
        out = digits.substr(0, 1);
        if (digits.size() > 1)
            out += "." + digits.substr(1);
        out += "E" + std::to_string(exponent);
    } else if (exponent >= 0) {
        const size_t intLen = static_cast<size_t>(exponent) + 1;
        if (digits.size() <= intLen) {
            out = digits + std::string(intLen - digits.size(), '0');
        } else {
            out = digits.substr(0, intLen) + "." + digits.substr(intLen);
        }
    } else {
        out = "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
    }
    return negative ? "-" + out : out;
}

int32_t WholeNumberOrZero(std::string_view text) {
    if (text.size() > 1 && text[0] == '+' && text[1] != '-')
        text.remove_prefix(1);
    int32_t value = 0;
    const char* last = text.data() + text.size();
    const auto [end, error] = std::from_chars(text.data(), last, value);
    if (text.empty() || error != std::errc() || end != last)
        return 0;
    return value;
}

} // namespace quillmark
