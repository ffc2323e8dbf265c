#include "reuse/TokenText.h"

#include "base/TextUtils.h"
#include "base/Utf.h"

namespace quillmark {

namespace {

constexpr size_t npos = std::string_view::npos;

size_t SkipSpaces(std::string_view text, size_t pos) {
    while (pos < text.size() && IsAsciiWhiteSpace(text[pos]))
        ++pos;
    return pos;
}

// Where `keyword` ends when it starts at `pos`, compared as the regular
// expression engine does without regard to case: besides the ASCII pairs, the
// long s (U+017F) stands for "s" and the Kelvin sign (U+212A) for "k".
size_t KeywordEnd(std::string_view text, size_t pos, std::string_view keyword) {
    for (const char wanted : keyword) {
        if (pos >= text.size())
            return npos;
        const char c = text[pos];
        if (c == wanted || (c | 0x20) == wanted) {
            ++pos;
        } else if (wanted == 's' && text.substr(pos, 2) == "\xC5\xBF") {
            pos += 2;
        } else if (wanted == 'k' && text.substr(pos, 3) == "\xE2\x84\xAA") {
            pos += 3;
        } else {
            return npos;
        }
    }
    return pos;
}

} // namespace

std::string ApplyOutsideTags(std::string_view html,
                             const std::function<std::string(std::string_view)>& replace) {
    // A "{" lies inside a tag exactly when the nearest "<" or ">" before it
    // is a "<". Outside, its run of text starts after the ">" that closes the
    // tag of the last "<" before it (or at the start) and ends at the next
    // "<". Everything before `copied` is done, and a tag starts there.
    std::string out;
    size_t copied = 0;
    size_t brace = html.find('{');
    while (brace != npos) {
        const std::string_view before = html.substr(copied, brace - copied);
        const size_t lastOpen = before.rfind('<');
        size_t runStart = copied;
        if (lastOpen != npos) {
            const size_t tagEnd = before.find('>', lastOpen);
            if (tagEnd == npos) {
                // Inside a tag: go on after it, if it ends at all.
                const size_t close = html.find('>', brace);
                if (close == npos)
                    break;
                brace = html.find('{', close + 1);
                continue;
            }
            runStart = copied + tagEnd + 1;
        }
        const size_t runEnd = std::min(html.find('<', brace), html.size());
        if (out.empty())
            out.reserve(html.size() + html.size() / 8);
        out.append(html.substr(copied, runStart - copied));
        out.append(replace(html.substr(runStart, runEnd - runStart)));
        copied = runEnd;
        brace = html.find('{', runEnd);
    }
    if (copied == 0)
        return std::string(html);
    out.append(html.substr(copied));
    return out;
}

std::optional<TTokenAt> KeywordTokenAt(std::string_view text, size_t open,
                                       std::string_view keyword) {
    if (open >= text.size() || text[open] != '{')
        return std::nullopt;
    const size_t word = KeywordEnd(text, SkipSpaces(text, open + 1), keyword);
    if (word == npos)
        return std::nullopt;
    const size_t colon = SkipSpaces(text, word);
    if (colon >= text.size() || text[colon] != ':')
        return std::nullopt;
    const size_t close = text.find('}', colon + 1);
    if (close == npos)
        return std::nullopt;
    const std::string_view content = text.substr(colon + 1, close - colon - 1);
    if (content.empty() || !IsValidUtf8(content))
        return std::nullopt;
    size_t first = SkipSpaces(content, 0);
    size_t last = content.size();
    while (last > first && IsAsciiWhiteSpace(content[last - 1]))
        --last;
    if (first == last) // white space only: the pattern keeps its last character
        first = last - 1;
    return TTokenAt{close + 1, content.substr(first, last - first)};
}

size_t BareKeywordTokenAt(std::string_view text, size_t open, std::string_view keyword) {
    if (open >= text.size() || text[open] != '{')
        return npos;
    const size_t word = KeywordEnd(text, SkipSpaces(text, open + 1), keyword);
    if (word == npos)
        return npos;
    const size_t close = SkipSpaces(text, word);
    return close < text.size() && text[close] == '}' ? close + 1 : npos;
}

std::string ReplaceKeywordTokens(std::string_view text, std::string_view keyword,
                                 const std::function<std::string(std::string_view)>& replace) {
    std::string out;
    size_t copied = 0;
    const size_t lastClose = text.rfind('}');
    for (size_t open = text.find('{'); open != npos && open < lastClose;
         open = text.find('{', open + 1)) {
        const std::optional<TTokenAt> token = KeywordTokenAt(text, open, keyword);
        if (!token)
            continue;
        out.append(text.substr(copied, open - copied));
        out.append(replace(token->Name));
        copied = token->End;
        open = token->End - 1;
    }
    if (copied == 0)
        return std::string(text);
    out.append(text.substr(copied));
    return out;
}

} // namespace quillmark
