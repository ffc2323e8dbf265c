// Finding and replacing in a topic page, and the project's word list. The
// input is a page, a query and a replacement (parts split by "====="
// lines). Nothing may crash, a replacement never changes a tag (the markup
// of the page, read tag by tag, stays the same), and the replaced text holds
// the replacement where the matches were.
#include "FuzzInput.h"
#include "base/HtmlText.h"
#include "base/QuillError.h"
#include "base/TextQuery.h"
#include "model/ProjectDictionary.h"

#include <cstdlib>
#include <optional>

using namespace quillmark;
using namespace quillmark::fuzz;

namespace {

// The markup of the page: the page with all its text (and white space)
// taken out.
std::string Markup(const std::string& html) {
    const THtmlText text(html);
    std::vector<THtmlText::TReplacement> all;
    for (size_t s = 0; s < text.Segments().size(); ++s)
        all.push_back({s, {0, text.Segments()[s].Text.size()}, ""});
    std::string markup;
    for (const char c : text.Replace(all))
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r' && c != '\f')
            markup += c;
    return markup;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<std::string> parts = Parts(AsText(data, size), 3);
    const std::string& html = parts[0];
    const std::string& replacement = parts[2];

    for (const std::string& line : std::vector<std::string>{parts[1], replacement})
        (void)IsDictionaryWord(line);

    TTextQuery query;
    query.RegularExpression = !parts[1].empty() && parts[1][0] == '~';
    query.Text = query.RegularExpression ? parts[1].substr(1) : parts[1];
    query.WholeWord = size % 2 == 0;
    query.MatchCase = size % 3 == 0;
    std::optional<TTextMatcher> matcher;
    try {
        matcher.emplace(query);
    } catch (const QuillError&) {
        return 0; // an empty text or a pattern that does not compile
    }
    const THtmlText text(html);
    std::vector<THtmlText::TReplacement> replacements;
    for (size_t s = 0; s < text.Segments().size(); ++s) {
        const std::string& segment = text.Segments()[s].Text;
        for (const TTextSpan span : matcher->FindAll(segment)) {
            if (span.Begin >= span.End || span.End > segment.size())
                std::abort();
            replacements.push_back({s, span, matcher->ReplacementFor(segment, span, replacement)});
        }
    }
    const std::string replaced = text.Replace(replacements);
    if (Markup(replaced) != Markup(html))
        std::abort();
    return 0;
}
