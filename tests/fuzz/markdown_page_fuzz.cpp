// A Markdown page as an import reads it (front matter, note boxes, headings,
// CommonMark with GitHub's extensions): no input crashes it, heading anchors
// are safe inside an attribute and unique, and the front matter split keeps
// the rest of the page as it was.
#include "FuzzInput.h"
#include "base/Regex.h"
#include "editor/MarkdownAdmonitions.h"
#include "editor/MarkdownPage.h"

#include <set>

using namespace quillmark;
using namespace quillmark::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text = AsText(data, size);
    const TFrontMatter frontMatter = SplitFrontMatter(text);
    QM_FUZZ_CHECK(text.ends_with(frontMatter.Body));

    const std::string slug = MarkdownHeadingSlug(text);
    QM_FUZZ_CHECK(!slug.empty() && slug.find_first_of("\"'<>& \t\r\n") == std::string::npos);

    SplitAdmonitions(text);
    const TMarkdownPage page = RenderMarkdownPage(text);
    static const Regex heading(R"re(<h[1-6] id="([^"]*)">)re");
    std::set<std::string> ids;
    for (const RegexMatch& match : heading.Matches(page.Html))
        ids.insert(std::string(match.Group(1)));
    QM_FUZZ_CHECK(ids.size() == heading.Matches(page.Html).size() || text.find("<h") != text.npos);
    return 0;
}
