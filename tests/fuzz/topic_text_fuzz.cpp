// A topic page's text on its way into the outputs. The page is split at its
// headings (ids added), its words are taken for the search, and it is written
// in Windows-1251 with character references; none of it may crash, and the
// references must give back every character.
#include "FuzzInput.h"
#include "base/CodePage.h"
#include "base/Regex.h"
#include "base/TextFold.h"
#include "base/Utf.h"
#include "publish/HtmlHelpers.h"
#include "publish/TopicSections.h"
#include "publish/WebHelpSearchData.h"

#include <string_view>
#include <unordered_set>

using namespace quillmark;
using namespace quillmark::fuzz;

namespace {

// The words as the site's pattern finds them, match after match: what the
// faster scanner of ForEachSearchWord must agree with.
std::vector<std::string> WordsByPattern(std::string_view text) {
    static const Regex words(
        R"([\p{sc:Han}\p{sc:Hiragana}\p{sc:Katakana}]|(?:(?![\p{sc:Han}\p{sc:Hiragana}\p{sc:Katakana}])[\p{L}\p{N}])+)");
    const std::string folded = FoldText(text);
    std::vector<std::string> found;
    for (const RegexMatch& match : words.Matches(folded))
        if (match.Length() <= 64)
            found.emplace_back(match.Group());
    return found;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view html = AsText(data, size);

    const TSectionedPage page = SplitIntoSections(html);
    QM_FUZZ_CHECK(!page.Sections.empty() && page.Html.size() >= html.size());
    for (size_t i = 1; i < page.Sections.size(); ++i)
        QM_FUZZ_CHECK(page.Sections[i].Level >= 1 && page.Sections[i].Level <= 6);

    std::vector<std::string> words;
    ForEachSearchWord(html, [&](std::string_view word) { words.emplace_back(word); });
    QM_FUZZ_CHECK(words == WordsByPattern(html));

    // Text without "&" comes back whole from Windows-1251 and references.
    if (IsValidUtf8(html) && html.find('&') == std::string_view::npos &&
        html.find('\0') == std::string_view::npos) {
        const std::string bytes = Utf8ToCodePageWithCharRefs(html, "WINDOWS-1251");
        QM_FUZZ_CHECK(DecodeHtml(CodePageToUtf8(bytes, "WINDOWS-1251")) == html);
    }
    return 0;
}
