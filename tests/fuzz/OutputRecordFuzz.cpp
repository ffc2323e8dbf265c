// libFuzzer target: the record an output folder keeps of its files
// (.quillmark-output), read as the next publish reads it. Whatever the file
// holds, only plain relative paths come out, and they read back the same.
#include "publish/OutputRecord.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace quillmark;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> paths = ParseOutputRecord(text);
    for (const std::string& path : paths) {
        if (path.empty() || path.front() == '/' || path.back() == '/' ||
            path.find("//") != std::string::npos || path == ".." || path.rfind("../", 0) == 0 ||
            path.find("/../") != std::string::npos || path.find('\0') != std::string::npos)
            std::abort();
    }
    if (ParseOutputRecord(FormatOutputRecord(paths)) != paths)
        std::abort();
    return 0;
}
