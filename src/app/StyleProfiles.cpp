#include "app/StyleProfiles.h"

#include "base/FileHelpers.h"
#include "base/TextUtils.h"

#include <algorithm>
#include <filesystem>

namespace quillmark {

std::vector<std::string> StyleProfileNames(const std::string& projectFolder) {
    std::vector<std::string> names;
    const std::string styles = JoinPath(projectFolder, "styles");
    std::error_code ec;
    if (DirectoryExists(styles)) {
        for (std::filesystem::directory_iterator it(styles, ec), end; !ec && it != end;
             it.increment(ec)) {
            const std::string name = it->path().filename().string();
            if (it->is_regular_file() && AsciiEndsWithIgnoreCase(name, ".css") && name.size() > 4)
                names.push_back(FileNameWithoutExt(name));
        }
    }
    // The file system lists in no useful order; the author expects names
    // sorted as in any list of choices.
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return AsciiLower(a) < AsciiLower(b);
    });
    if (names.empty())
        names.push_back("default");
    return names;
}

} // namespace quillmark
