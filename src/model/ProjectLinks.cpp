#include "model/ProjectLinks.h"

#include "base/FileHelpers.h"
#include "base/QuillError.h"
#include "base/TextUtils.h"
#include "base/Translation.h"

#include <filesystem>

namespace quillmark {

namespace {

namespace fs = std::filesystem;

constexpr const char* kWrittenFolders[] = {
    "topics",     "meta",          "assets",          "assets/images",
    "assets/css", "assets/fonts",  "assets/media",    "assets/files",
    "build",      "build/webhelp", "build/chm",       "build/pdf",
    "styles",     "internal",      "internal/editor", "internal/webhelp"};

// Where the path leads with every link on the way followed, also a link
// whose target does not exist (yet).
fs::path RealPath(const std::string& path) {
    fs::path current = fs::path(AbsolutePath(path));
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        const fs::path parent = fs::weakly_canonical(current.parent_path(), ec);
        if (!ec)
            current = parent / current.filename();
        if (!fs::is_symlink(fs::symlink_status(current, ec)))
            break;
        const fs::path target = fs::read_symlink(current, ec);
        if (ec)
            break;
        current =
            (target.is_absolute() ? target : current.parent_path() / target).lexically_normal();
    }
    return current;
}

bool IsLink(const std::string& path) {
    std::error_code ec;
    return fs::is_symlink(fs::symlink_status(path, ec));
}

void RequireInside(const fs::path& realRoot, const std::string& folder) {
    const fs::path real = RealPath(folder);
    if (!IsSameOrInsideFolder(real.string(), realRoot.string()))
        throw QuillError(
            FormatText(Translate("The folder %s leads to %s, outside the project folder. Quillmark "
                                 "writes only inside the project folder: put a real folder in the "
                                 "place of the link."),
                       {ExcludeTrailingPathDelimiter(folder), real.string()}));
}

} // namespace

void RequireProjectFoldersInside(const std::string& rootPath) {
    if (rootPath.empty())
        return;
    const fs::path realRoot = RealPath(rootPath);
    for (const char* name : kWrittenFolders)
        RequireInside(realRoot, JoinPath(rootPath, name));
}

void RequireFolderInsideProject(const std::string& rootPath, const std::string& folder) {
    RequireInside(RealPath(rootPath), folder);
}

bool IsInsideProjectFolder(const std::string& rootPath, const std::string& path) {
    return IsSameOrInsideFolder(RealPath(path).string(), RealPath(rootPath).string());
}

bool ReadProjectTextFile(const std::string& rootPath, const std::string& path, std::string& text) {
    if (ReadTextFileIfRegular(path, text, false))
        return true;
    return IsLink(path) && IsInsideProjectFolder(rootPath, path) &&
           ReadTextFileIfRegular(path, text);
}

} // namespace quillmark
