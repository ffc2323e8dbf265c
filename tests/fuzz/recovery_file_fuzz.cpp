// The recovery file: any text gives pages (or none) without failing, and the
// pages it gives are written back to a text that reads as the same pages.
#include "FuzzInput.h"
#include "app/RecoveryFile.h"

using namespace quillmark;
using namespace quillmark::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const TRecoveredPages pages = ParseRecoveryFileText(AsText(data, size));
    for (const auto& [id, html] : pages)
        QM_FUZZ_CHECK(!id.empty());
    QM_FUZZ_CHECK(ParseRecoveryFileText(RecoveryFileText(pages)) == pages);
    return 0;
}
