#include "app/ProjectTreeCopy.h"

#include "base/FileHelpers.h"
#include "base/QuillError.h"
#include "base/TextUtils.h"
#include "model/ProjectLinks.h"

#include <filesystem>
#include <vector>

namespace quillmark {

namespace fs = std::filesystem;

namespace {

bool IsInside(const fs::path& path, const fs::path& folder) {
    const fs::path relative = path.lexically_relative(folder);
    return !relative.empty() && *relative.begin() != "..";
}

} // namespace

void CopyProjectTree(const std::string& source, const std::string& target) {
    EnsureDir(target);
    const fs::path sourceRoot = fs::path(AbsolutePath(source)).lexically_normal();
    const fs::path targetRoot = fs::path(AbsolutePath(target)).lexically_normal();

    std::vector<fs::path> files;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(sourceRoot, ec), end; !ec && it != end;
         it.increment(ec)) {
        if (it->is_directory() && IsInside(it->path(), targetRoot)) {
            it.disable_recursion_pending();
            continue;
        }
        if (it->is_regular_file())
            files.push_back(it->path());
    }
    if (ec)
        throw QuillError("Cannot read folder \"" + source + "\": " + ec.message());

    RequireProjectFoldersInside(targetRoot.string());
    for (const fs::path& file : files) {
        const std::string relative = file.lexically_relative(sourceRoot).generic_string();
        if (AsciiStartsWithIgnoreCase(relative, "build/") ||
            AsciiSameText(ExtractFileExt(relative), ".hff"))
            continue;
        const std::string destination = JoinPath(targetRoot.string(), relative);
        // A folder already in the target may be a link leading elsewhere.
        RequireFolderInsideProject(targetRoot.string(), ExtractFileDir(destination));
        EnsureDir(ExtractFileDir(destination));
        CopyFileReplacing(file.string(), destination);
    }
}

bool IsSameFolder(const std::string& a, const std::string& b) {
    const std::string left = ExcludeTrailingPathDelimiter(a);
    const std::string right = ExcludeTrailingPathDelimiter(b);
    if (left == right)
        return true;
    std::error_code ec;
    return fs::equivalent(left, right, ec) && !ec;
}

} // namespace quillmark
