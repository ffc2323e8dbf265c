#include "base/TextQuery.h"

#include "base/QuillError.h"

namespace quillmark {

namespace {

// The literal as a pattern: every character that means something to PCRE2
// is escaped (\Q...\E would end early at a "\E" inside the text).
std::string QuoteLiteral(std::string_view text) {
    static constexpr std::string_view kSpecial = "\\^$.|?*+()[]{}-/#";
    std::string out;
    out.reserve(text.size() * 2);
    for (const char c : text) {
        if (kSpecial.find(c) != std::string_view::npos)
            out += '\\';
        out += c;
    }
    return out;
}

std::string PatternOf(const TTextQuery& query) {
    if (query.Text.empty())
        throw QuillError("Enter the text to find.");
    std::string pattern = query.RegularExpression ? query.Text : QuoteLiteral(query.Text);
    if (query.WholeWord)
        pattern = "(?<![\\p{L}\\p{N}_])(?:" + pattern + ")(?![\\p{L}\\p{N}_])";
    return pattern;
}

} // namespace

TTextMatcher::TTextMatcher(const TTextQuery& query)
    : FPattern(PatternOf(query), query.MatchCase ? Regex::None : Regex::Caseless),
      FRegularExpression(query.RegularExpression) {}

std::vector<TTextSpan> TTextMatcher::FindAll(std::string_view text) const {
    std::vector<TTextSpan> spans;
    for (const RegexMatch& match : FPattern.Matches(text))
        if (match.Length() > 0)
            spans.push_back({match.Position(), match.End()});
    return spans;
}

std::string TTextMatcher::ReplacementFor(std::string_view text, TTextSpan span,
                                         std::string_view replacement) const {
    if (!FRegularExpression)
        return std::string(replacement);
    // Matched again where it was found, so that lookbehinds still see the
    // text before it.
    std::optional<RegexMatch> match = FPattern.Match(text, span.Begin);
    if (!match || match->Position() != span.Begin || match->End() != span.End)
        return std::string(replacement);
    return ExpandReplacement(*match, replacement);
}

std::string ContextAround(std::string_view text, TTextSpan span, size_t width) {
    auto back = [&](size_t pos) {
        while (pos > 0 && pos < text.size() && (static_cast<unsigned char>(text[pos]) & 0xC0) == 0x80)
            --pos;
        return pos;
    };
    size_t begin = span.Begin > width ? back(span.Begin - width) : 0;
    size_t end = span.End + width < text.size() ? back(span.End + width) : text.size();
    const size_t lineStart = text.rfind('\n', span.Begin == 0 ? 0 : span.Begin - 1);
    if (lineStart != std::string_view::npos && lineStart + 1 > begin && lineStart < span.Begin)
        begin = lineStart + 1;
    const size_t lineEnd = text.find('\n', span.End);
    if (lineEnd != std::string_view::npos && lineEnd < end)
        end = lineEnd;
    // Cut between words where a space is near.
    if (begin > 0 && text[begin - 1] != '\n') {
        const size_t space = text.find(' ', begin);
        if (space != std::string_view::npos && space < span.Begin && space - begin < width / 2)
            begin = space + 1;
    }
    if (end < text.size() && text[end] != '\n') {
        const size_t space = text.rfind(' ', end);
        if (space != std::string_view::npos && space >= span.End && end - space < width / 2)
            end = space;
    }
    std::string out;
    if (begin > 0 && text[begin - 1] != '\n')
        out += "\xE2\x80\xA6";
    out.append(text.substr(begin, end - begin));
    if (end < text.size() && text[end] != '\n')
        out += "\xE2\x80\xA6";
    return out;
}

} // namespace quillmark
