#include "base/FileHelpers.h"

#include "base/QuillError.h"
#include "base/TextUtils.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <random>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace quillmark {

namespace {

std::string SystemErrorText(int error) { return std::strerror(error); }

QuillError FileError(const std::string& action, const std::string& fileName, int error) {
    return QuillError(action + " \"" + fileName + "\": " + SystemErrorText(error));
}

std::string RandomSuffix() {
    static thread_local std::mt19937_64 generator{std::random_device{}()};
    static const char hex[] = "0123456789abcdef";
    std::string suffix;
    uint64_t value = generator();
    for (int i = 0; i < 12; ++i, value >>= 4)
        suffix += hex[value & 0xF];
    return suffix;
}

// A new name in the file's folder for writing it before the rename.
std::string TempFileBeside(const std::string& fileName) {
    const std::string folder = ExtractFileDir(fileName);
    return JoinPath(folder.empty() ? "." : folder,
                    "." + ExtractFileName(fileName) + ".tmp-" + RandomSuffix());
}

} // namespace

std::string IncludeTrailingPathDelimiter(std::string_view path) {
    std::string result(path);
    if (result.empty() || result.back() != kPathDelim)
        result += kPathDelim;
    return result;
}

std::string ExcludeTrailingPathDelimiter(std::string_view path) {
    std::string result(path);
    while (result.size() > 1 && result.back() == kPathDelim)
        result.pop_back();
    return result;
}

std::string JoinPath(std::string_view base, std::string_view name) {
    if (name.find('\0') != std::string_view::npos)
        throw QuillError("Illegal characters in path.");
    if (name.empty())
        return IncludeTrailingPathDelimiter(base);
    if (name.front() == kPathDelim)
        return std::string(name);
    return IncludeTrailingPathDelimiter(base) + std::string(name);
}

std::string EnsureDir(const std::string& path) {
    if (path.empty() || DirectoryExists(path))
        return path;
    std::error_code ec;
    fs::create_directories(fs::path(path), ec);
    if (ec || !DirectoryExists(path))
        throw QuillError("Cannot create folder \"" + path + "\": " +
                         (ec ? ec.message() : std::string("it is not a folder")));
    return path;
}

bool FileExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::is_regular_file(fs::path(path), ec);
}

bool DirectoryExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::is_directory(fs::path(path), ec);
}

std::string ExtractFileName(std::string_view path) {
    const size_t slash = path.rfind(kPathDelim);
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string ExtractFileDir(std::string_view path) {
    const size_t slash = path.rfind(kPathDelim);
    if (slash == std::string_view::npos)
        return "";
    return std::string(path.substr(0, slash == 0 ? 1 : slash));
}

std::string ExtractFileExt(std::string_view path) {
    const size_t slash = path.rfind(kPathDelim);
    const size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
        return "";
    return std::string(path.substr(dot));
}

std::string ChangeFileExt(std::string_view path, std::string_view ext) {
    const std::string current = ExtractFileExt(path);
    return std::string(path.substr(0, path.size() - current.size())) + std::string(ext);
}

std::string FileNameWithoutExt(std::string_view path) {
    return ChangeFileExt(ExtractFileName(path), "");
}

std::string ReadFileBytes(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    if (!in)
        throw FileError("Cannot open file", fileName, errno);
    std::string bytes;
    char buffer[1 << 16];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0)
        bytes.append(buffer, static_cast<size_t>(in.gcount()));
    if (in.bad())
        throw FileError("Cannot read file", fileName, errno);
    return bytes;
}

std::string ReadTextFileUtf8(const std::string& fileName) {
    std::string text = ReadFileBytes(fileName);
    if (StartsWith(text, "\xEF\xBB\xBF"))
        text.erase(0, 3);
    return text;
}

bool ReadTextFileIfRegular(const std::string& path, std::string& text, bool followLink) {
    text.clear();
    // Without blocking, so that a named pipe in a file's place cannot stall
    // the reader; only a regular file counts (a device would never end).
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY |
                                            (followLink ? 0 : O_NOFOLLOW));
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR || (errno == ELOOP && !followLink))
            return false;
        throw FileError("Cannot open file", path, errno);
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return false;
    }
    char buffer[1 << 16];
    ssize_t count = 0;
    while ((count = ::read(fd, buffer, sizeof buffer)) > 0 || (count < 0 && errno == EINTR))
        if (count > 0)
            text.append(buffer, static_cast<size_t>(count));
    const int error = count < 0 ? errno : 0;
    ::close(fd);
    if (error != 0) {
        text.clear();
        throw FileError("Cannot read file", path, error);
    }
    if (StartsWith(text, "\xEF\xBB\xBF"))
        text.erase(0, 3);
    return true;
}

void WriteFileAtomically(const std::string& fileName, std::string_view bytes) {
    WriteFileAtomically(fileName, std::span<const std::string_view>(&bytes, 1));
}

void WriteFileAtomically(const std::string& fileName, std::span<const std::string_view> pieces) {
    const std::string temp = TempFileBeside(fileName);
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        throw FileError("Cannot write file", fileName, errno);
    int error = WritePieces(fd, pieces);
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && std::rename(temp.c_str(), fileName.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temp.c_str());
        throw FileError("Cannot write file", fileName, error);
    }
}

int WritePieces(int fd, std::span<const std::string_view> pieces) {
    constexpr size_t kPiecesPerCall = 1024; // the least IOV_MAX allowed
    std::vector<iovec> vectors;
    size_t next = 0;     // first piece not wholly written
    size_t doneInIt = 0; // bytes of it written already
    while (next < pieces.size()) {
        vectors.clear();
        for (size_t i = next; i < pieces.size() && vectors.size() < kPiecesPerCall; ++i) {
            const size_t skip = i == next ? doneInIt : 0;
            if (pieces[i].size() > skip)
                vectors.push_back({const_cast<char*>(pieces[i].data()) + skip,
                                   pieces[i].size() - skip});
        }
        if (vectors.empty())
            return 0;
        ssize_t written = ::writev(fd, vectors.data(), static_cast<int>(vectors.size()));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        // Steps over what was written, piece by piece.
        while (next < pieces.size() && written >= 0) {
            const size_t left = pieces[next].size() - doneInIt;
            if (static_cast<size_t>(written) < left) {
                doneInIt += static_cast<size_t>(written);
                break;
            }
            written -= static_cast<ssize_t>(left);
            ++next;
            doneInIt = 0;
        }
    }
    return 0;
}

void WriteTextFileUtf8(const std::string& fileName, std::string_view text) {
    const std::string folder = ExtractFileDir(fileName);
    if (!folder.empty())
        EnsureDir(folder);
    WriteFileAtomically(fileName, text);
}

void WriteTextFileUtf8Bom(const std::string& fileName, std::string_view text) {
    std::string bytes = "\xEF\xBB\xBF";
    bytes.append(text);
    WriteTextFileUtf8(fileName, bytes);
}

void CopyFileReplacing(const std::string& source, const std::string& target) {
    const std::string temp = TempFileBeside(target);
    std::error_code ec;
    fs::copy_file(source, temp, ec);
    if (!ec)
        fs::rename(temp, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        throw QuillError("Cannot copy \"" + source + "\" to \"" + target + "\": " + ec.message());
    }
}

void DeleteFileIfExists(const std::string& fileName) {
    std::error_code ec;
    if (!fs::is_regular_file(fileName, ec) && !fs::is_symlink(fileName, ec))
        return;
    if (!fs::remove(fileName, ec) && ec)
        throw QuillError("Cannot delete file \"" + fileName + "\": " + ec.message());
}

std::string SanitizeFileName(std::string_view name) {
    std::string result = Trim(name);
    if (result.empty())
        return "topic";
    for (char& c : result)
        if (std::strchr("\"*/:<>?\\|", c) != nullptr && c != '\0')
            c = '_';
    return result;
}

bool IsSafePathComponent(std::string_view name) {
    if (name.empty() || name == "." || name == "..")
        return false;
    for (const char c : name) {
        const auto code = static_cast<unsigned char>(c);
        if (c == '/' || c == '\\' || code < 0x20 || code == 0x7F)
            return false;
    }
    return true;
}

bool IsSameOrInsideFolder(std::string_view path, std::string_view folder) {
    const std::string outer = ExcludeTrailingPathDelimiter(folder);
    return path == outer || StartsWith(path, IncludeTrailingPathDelimiter(outer));
}

std::string AbsolutePath(std::string_view path) {
    std::error_code ec;
    const fs::path absolute = fs::absolute(fs::path(path), ec);
    if (ec)
        return std::string(path);
    return absolute.lexically_normal().string();
}

} // namespace quillmark
