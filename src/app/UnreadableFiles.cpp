#include "app/UnreadableFiles.h"

#include "base/FileHelpers.h"
#include "base/Json.h"
#include "base/TextUtils.h"
#include "base/Translation.h"

#include <algorithm>

namespace quillmark {

namespace {

std::string AsideCandidate(const std::string& path, size_t n) {
    return n == 0 ? path + ".unreadable" : path + ".unreadable." + std::to_string(n + 1);
}

bool IsUnreadableJson(const std::string& path) {
    return FileExists(path) && !IsJsonText(ReadTextFileUtf8(path));
}

} // namespace

std::vector<TUnreadableFile> FindUnreadableProjectFiles(const std::string& projectFolder) {
    std::vector<TUnreadableFile> found;
    for (const char* name : {"project.json", "meta/topics.json"}) {
        const std::string path = JoinPath(projectFolder, name);
        if (!IsUnreadableJson(path))
            continue;
        TUnreadableFile file{path, {}};
        // The saver takes the first free name, so the copies that exist are
        // found among the first few candidates.
        for (size_t n = 0; n < 1000; ++n) {
            const std::string candidate = AsideCandidate(path, n);
            if (!FileExists(candidate) && !DirectoryExists(candidate))
                break;
            file.CopiesBefore.push_back(candidate);
        }
        found.push_back(std::move(file));
    }
    return found;
}

std::string NewAsideCopy(const TUnreadableFile& file) {
    for (size_t n = 0; n <= file.CopiesBefore.size(); ++n) {
        const std::string candidate = AsideCandidate(file.Path, n);
        const bool existedBefore = std::find(file.CopiesBefore.begin(), file.CopiesBefore.end(),
                                             candidate) != file.CopiesBefore.end();
        if (!existedBefore && FileExists(candidate))
            return candidate;
    }
    return "";
}

std::string UnreadableFileWarning(const TUnreadableFile& file) {
    const std::string copy = NewAsideCopy(file);
    if (!copy.empty())
        return FormatText(Translate("The file %s could not be read, so the project opened "
                                    "without its content. The unreadable file was kept as %s."),
                          {file.Path, copy});
    return FormatText(Translate("The file %s could not be read, so the project opened without "
                                "its content. The next save keeps the unreadable file beside it "
                                "as a copy ending in \".unreadable\"."),
                      {file.Path});
}

} // namespace quillmark
