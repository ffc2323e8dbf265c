// The help IDs an author types into the topic properties panel. Any text
// parses or fails with a QuillError; what parses shows back as text that
// parses to the same IDs, and every name is a C identifier.
#include "FuzzInput.h"
#include "app/HelpIdFields.h"
#include "base/QuillError.h"

using namespace quillmark;
using namespace quillmark::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<THelpId> ids;
    try {
        ids = ParseHelpIdLines(std::string(AsText(data, size)));
    } catch (const QuillError&) {
        return 0;
    }
    for (const THelpId& id : ids)
        QM_FUZZ_CHECK(IsHelpIdName(id.FName) && id.FNumber >= 0);
    QM_FUZZ_CHECK(ParseHelpIdLines(HelpIdLines(ids)) == ids);
    return 0;
}
