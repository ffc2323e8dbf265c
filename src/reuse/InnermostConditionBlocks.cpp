#include "reuse/InnermostConditionBlocks.h"

#include "base/Utf.h"
#include "reuse/TokenText.h"

#include <optional>

namespace quillmark {

namespace {

constexpr size_t npos = std::string_view::npos;
constexpr std::string_view kBegin = "begincond";
constexpr std::string_view kEnd = "endcond";

// The first position at or after `from` where a begin marker starts.
size_t NextBeginMarker(std::string_view text, size_t from) {
    for (size_t brace = text.find('{', from); brace != npos; brace = text.find('{', brace + 1))
        if (KeywordTokenAt(text, brace, kBegin))
            return brace;
    return npos;
}

// The end marker of the wanted kind starting at `brace`: where it ends and
// its name.
std::optional<TTokenAt> EndMarkerAt(std::string_view text, size_t brace, bool named) {
    if (named)
        return KeywordTokenAt(text, brace, kEnd);
    const size_t end = BareKeywordTokenAt(text, brace, kEnd);
    return end == npos ? std::nullopt : std::optional<TTokenAt>(TTokenAt{end, {}});
}

} // namespace

std::string
ReplaceInnermostConditionBlocks(std::string_view html, bool namedEnd,
                                const std::function<std::string(const TConditionBlock&)>& replace) {
    std::string out;
    size_t copied = 0;
    size_t invalid = FindInvalidUtf8(html); // the first malformed byte not yet passed
    size_t start = NextBeginMarker(html, 0);
    while (start != npos) {
        const TTokenAt begin = *KeywordTokenAt(html, start, kBegin);
        if (invalid != npos && invalid < begin.End)
            invalid = FindInvalidUtf8(html, begin.End);
        // The body runs to the first end marker. A begin marker before it
        // ends the attempt, and the search goes on there: every start before
        // it would meet it too. So does a malformed byte, which no body may
        // hold; without an end marker no later block can end either.
        size_t next = npos;
        for (size_t brace = html.find('{', begin.End); brace != npos;
             brace = html.find('{', brace + 1)) {
            if (invalid != npos && invalid < brace) {
                next = invalid + 1;
                break;
            }
            if (const std::optional<TTokenAt> end = EndMarkerAt(html, brace, namedEnd)) {
                out.append(html.substr(copied, start - copied));
                out.append(replace({html.substr(start, end->End - start), begin.Name,
                                    html.substr(begin.End, brace - begin.End), end->Name}));
                copied = next = end->End;
                break;
            }
            if (KeywordTokenAt(html, brace, kBegin)) {
                next = brace;
                break;
            }
        }
        start = next == npos ? npos : NextBeginMarker(html, next);
    }
    if (copied == 0)
        return std::string(html);
    out.append(html.substr(copied));
    return out;
}

} // namespace quillmark
