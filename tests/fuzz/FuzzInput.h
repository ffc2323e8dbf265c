#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace quillmark::fuzz {

// The input as text.
inline std::string_view AsText(const uint8_t* data, size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// The input cut into `count` parts at lines holding only "=====" (missing
// parts are empty), so that one input can carry several files.
inline std::vector<std::string> Parts(std::string_view text, size_t count) {
    static constexpr std::string_view kSeparator = "\n=====\n";
    std::vector<std::string> parts;
    while (parts.size() + 1 < count) {
        const size_t at = text.find(kSeparator);
        if (at == std::string_view::npos)
            break;
        parts.emplace_back(text.substr(0, at));
        text.remove_prefix(at + kSeparator.size());
    }
    parts.emplace_back(text);
    parts.resize(count);
    return parts;
}

// A folder of this process for the files a target writes, emptied for each
// input; below /dev/shm where there is one, so that inputs cost no disk.
inline const std::string& ScratchFolder() {
    // Never destroyed, so that the removal at exit still finds it.
    static const std::string* const folder = [] {
        const std::filesystem::path base = std::filesystem::exists("/dev/shm")
                                               ? "/dev/shm"
                                               : std::filesystem::temp_directory_path();
        const std::filesystem::path path = base / ("quillmark-fuzz-" + std::to_string(getpid()) +
                                                   "-" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(path);
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(ScratchFolder(), ec);
        });
        return new std::string(path.string() + "/");
    }();
    return *folder;
}

inline void ClearScratchFolder() {
    for (const auto& entry : std::filesystem::directory_iterator(ScratchFolder()))
        std::filesystem::remove_all(entry.path());
}

// Writes `bytes` as the file below the scratch folder (folders made as needed).
inline std::string PutFile(const std::string& relative, std::string_view bytes) {
    const std::filesystem::path path = ScratchFolder() + relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path.string();
}

// A property of the code under test that the input broke: reported, and the
// run stops with the input kept.
#define QM_FUZZ_CHECK(condition)                                                                   \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__);    \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

} // namespace quillmark::fuzz
