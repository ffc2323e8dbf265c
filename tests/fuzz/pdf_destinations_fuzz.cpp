// The printed manual read back for its page numbers: any bytes in the PDF's
// place give pages from 1 on or a QuillError, never a crash.
#include "FuzzInput.h"
#include "base/QuillError.h"
#include "publish/PdfNamedDestinations.h"

using namespace quillmark;
using namespace quillmark::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ClearScratchFolder();
    const std::string path = PutFile("build/pdf/manual.pdf", AsText(data, size));
    try {
        for (const auto& [name, page] : ReadNamedDestinationPages(path))
            QM_FUZZ_CHECK(page >= 1);
    } catch (const QuillError&) {
    }
    return 0;
}
