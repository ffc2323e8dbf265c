#include "publish/OutputRecord.h"

#include "base/FileHelpers.h"
#include "publish/OutputFile.h"
#include "publish/PublishSteps.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace quillmark {

namespace {

constexpr std::string_view kFirstLine =
    "# Files Quillmark wrote here; the next publish deletes those it no longer writes.";

bool IsPlainRelativePath(std::string_view path) {
    if (path.empty())
        return false;
    size_t start = 0;
    for (;;) {
        const size_t slash = path.find('/', start);
        if (!IsSafePathComponent(path.substr(start, slash - start)))
            return false;
        if (slash == std::string_view::npos)
            return true;
        start = slash + 1;
    }
}

// Deletes one recorded file: only a file or a link (never what a link points
// at), and only when the path stays inside the folder all the way.
bool DeleteRecordedFile(const std::string& folder, const std::string& relative) {
    const std::string path = ResolveInsideFolder(folder, relative);
    struct stat status {};
    if (path.empty() || ::lstat(path.c_str(), &status) != 0 || S_ISDIR(status.st_mode))
        return false;
    if (::unlink(path.c_str()) != 0)
        return false;
    // Folders left empty go too, up to the output folder itself.
    for (size_t slash = relative.rfind('/'); slash != std::string::npos && slash > 0;
         slash = relative.rfind('/', slash - 1)) {
        if (::rmdir(JoinPath(folder, relative.substr(0, slash)).c_str()) != 0)
            break;
    }
    return true;
}

} // namespace

std::vector<std::string> ParseOutputRecord(std::string_view text) {
    std::vector<std::string> paths;
    size_t start = 0;
    bool first = true;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (first) {
            if (line != kFirstLine)
                return {};
            first = false;
        } else if (IsPlainRelativePath(line)) {
            paths.emplace_back(line);
        }
        start = end + 1;
    }
    return paths;
}

std::string FormatOutputRecord(const std::vector<std::string>& paths) {
    std::string text(kFirstLine);
    text += '\n';
    for (const std::string& path : paths) {
        text += path;
        text += '\n';
    }
    return text;
}

TOutputRecord::TOutputRecord(std::string outputFolder) : outputFolder_(std::move(outputFolder)) {
    std::string text;
    if (ReadTextFileIfRegular(JoinPath(outputFolder_, kOutputRecordName), text, false))
        previous_ = ParseOutputRecord(text);
}

void TOutputRecord::Add(std::string_view relativePath) {
    if (IsPlainRelativePath(relativePath) && seen_.emplace(relativePath).second)
        written_.emplace_back(relativePath);
}

void TOutputRecord::AddAll(const std::vector<std::string>& relativePaths) {
    for (const std::string& path : relativePaths)
        Add(path);
}

void TOutputRecord::Keep(std::string_view relativePath) {
    for (const std::string& path : previous_)
        if (path == relativePath)
            Add(path);
}

std::vector<std::string> TOutputRecord::Finish() {
    std::vector<std::string> deleted;
    for (const std::string& path : previous_)
        if (!seen_.count(path) && DeleteRecordedFile(outputFolder_, path))
            deleted.push_back(path);
    WriteOutputFile(JoinPath(outputFolder_, kOutputRecordName), FormatOutputRecord(written_));
    return deleted;
}

} // namespace quillmark
