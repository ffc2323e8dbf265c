#pragma once

#include "base/FileHelpers.h"

#include <filesystem>
#include <random>
#include <string>

namespace quillmark::testing {

// A fresh folder below the system's temporary folder, removed with the object.
class TempFolder {
public:
    TempFolder() {
        std::random_device device;
        path_ = (std::filesystem::temp_directory_path() /
                 ("quillmark-test-" + std::to_string(device()) + std::to_string(device())))
                    .string();
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder with a trailing delimiter.
    std::string Root() const { return path_ + "/"; }
    std::string Path(const std::string& relative) const { return path_ + "/" + relative; }

private:
    std::string path_;
};

} // namespace quillmark::testing
