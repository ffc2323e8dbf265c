// Token expansion. The input is a store, one entry per line ("v name=value",
// "s name=html", "c name=0|1"), then a line "=====" and a topic's page. The
// expansion ends within its cap (or stops at it with a QuillError), gives
// what expanding every use of a snippet anew gives, and the scanner for
// innermost condition blocks finds them where the pattern does.
#include "FuzzInput.h"
#include "ReferenceExpansion.h"
#include "base/QuillError.h"
#include "reuse/InnermostConditionBlocks.h"
#include "reuse/ReusableContent.h"
#include "reuse/TokenExpansion.h"

using namespace quillmark;
using namespace quillmark::fuzz;

namespace {

constexpr size_t kCap = size_t{1} << 20;

TReusableProjectContent StoreOf(std::string_view text) {
    TReusableProjectContent store;
    while (!text.empty()) {
        const size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        const size_t equals = line.find('=');
        if (line.size() < 2 || line[1] != ' ' || equals == std::string_view::npos)
            continue;
        const std::string name(line.substr(2, equals - 2));
        const std::string value(line.substr(equals + 1));
        if (line[0] == 'v')
            store.FVariables.push_back({name, value});
        else if (line[0] == 's')
            store.FSnippets.push_back({name, value});
        else if (line[0] == 'c')
            store.FConditions.push_back({name, value == "1"});
    }
    return store;
}

std::string Marked(const TConditionBlock& block) {
    return "[" + std::string(block.Name) + "|" + std::string(block.Body) + "|" +
           std::string(block.EndName) + "]";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<std::string> parts = Parts(AsText(data, size), 2);
    const TReusableProjectContent store = StoreOf(parts[0]);
    const std::string& html = parts[1];

    for (const bool named : {true, false})
        QM_FUZZ_CHECK(ReplaceInnermostConditionBlocks(html, named, Marked) ==
                      testing::ReferenceInnermostBlocks(html, named, Marked));

    std::string expanded;
    try {
        expanded = ExpandReusableContent(store, html, kCap);
    } catch (const QuillError&) {
        return 0; // the cap
    }
    QM_FUZZ_CHECK(expanded.size() <= kCap);
    std::string reference;
    if (testing::ReferenceExpansion(store, kCap / 4).Expand(html, reference))
        QM_FUZZ_CHECK(expanded == reference);
    return 0;
}
