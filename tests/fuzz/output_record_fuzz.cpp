// The record an output folder keeps of its files (.quillmark-output), read as
// the next publish reads it. Whatever the file holds, only plain relative
// paths come out, and they read back the same.
#include "FuzzInput.h"
#include "publish/OutputRecord.h"

#include <string_view>

using namespace quillmark;
using namespace quillmark::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text = AsText(data, size);
    const std::vector<std::string> paths = ParseOutputRecord(text);
    for (const std::string& path : paths) {
        QM_FUZZ_CHECK(!path.empty() && path.front() != '/' && path.back() != '/');
        QM_FUZZ_CHECK(path.find("//") == std::string::npos && path != ".." &&
                      path.rfind("../", 0) != 0 && path.find("/../") == std::string::npos);
        QM_FUZZ_CHECK(path.find('\0') == std::string::npos);
    }
    QM_FUZZ_CHECK(ParseOutputRecord(FormatOutputRecord(paths)) == paths);
    return 0;
}
