#include "app/HeaderBackgrounds.h"

#include "base/FileHelpers.h"
#include "base/TextUtils.h"

#include <filesystem>
#include <vector>

namespace quillmark {

void WriteHeaderBgFiles(const std::string& projectFolder, const std::string& colorText) {
    if (Trim(projectFolder).empty())
        return;
    const std::string meta = JoinPath(projectFolder, "meta");
    if (!DirectoryExists(meta))
        return;
    std::vector<std::string> files{JoinPath(meta, "headerbg_default.txt")};
    std::error_code ec;
    for (std::filesystem::directory_iterator it(meta, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (it->is_regular_file() && StartsWith(name, "headerbg_") &&
            AsciiEndsWithIgnoreCase(name, ".txt"))
            files.push_back(it->path().string());
    }
    for (const std::string& file : files) {
        try {
            WriteTextFileUtf8(file, colorText);
        } catch (const std::exception&) {
            // The other headers still take the colour.
        }
    }
}

} // namespace quillmark
