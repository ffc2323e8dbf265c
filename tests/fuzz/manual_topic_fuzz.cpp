// A topic page prepared for the printed manual. The first byte picks the
// depth, the text up to the first line feed is the title, the rest the page.
// Whatever the page holds, no heading goes below h6 (no "<h7" to "<h9"
// appears that the page did not have), and the topic's heading text is the
// title or was on the page.
#include "FuzzInput.h"
#include "publish/PdfTopicHeading.h"

using namespace quillmark;
using namespace quillmark::fuzz;

namespace {

size_t TooDeepHeadings(std::string_view html) {
    size_t count = 0;
    for (size_t i = 0; i + 2 < html.size(); ++i)
        if (html[i] == '<' && (html[i + 1] == 'h' || html[i + 1] == 'H') && html[i + 2] >= '7' &&
            html[i + 2] <= '9')
            ++count;
    return count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const int depth = data[0] % 12;
    const std::string_view rest = AsText(data + 1, size - 1);
    const size_t lineEnd = rest.find('\n');
    const std::string title(rest.substr(0, lineEnd));
    const std::string_view page = lineEnd == std::string_view::npos ? "" : rest.substr(lineEnd + 1);

    const TPrintedTopic printed = PrepareTopicForManual(page, title, depth);
    QM_FUZZ_CHECK(TooDeepHeadings(printed.Html) <= TooDeepHeadings(page));
    QM_FUZZ_CHECK(printed.HeadingText == title || printed.HeadingText.size() <= page.size());
    return 0;
}
