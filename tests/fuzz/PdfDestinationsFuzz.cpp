// libFuzzer target: the printed manual read back for its page numbers. Any
// bytes in the PDF's place give pages from 1 on or a QuillError, never a
// crash.
#include "base/QuillError.h"
#include "publish/PdfNamedDestinations.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

using namespace quillmark;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/quillmark-fuzz-" + std::to_string(getpid()) + ".pdf";
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    try {
        for (const auto& [name, page] : ReadNamedDestinationPages(path))
            if (page < 1)
                std::abort();
    } catch (const QuillError&) {
    }
    return 0;
}
