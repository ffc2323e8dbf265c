#include "editor/HtmlImportFiles.h"

#include "base/CodePage.h"
#include "base/QuillError.h"
#include "base/Utf.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string_view>
#include <unistd.h>

namespace quillmark {

namespace {

constexpr std::string_view kLegacyCodePage = "WINDOWS-1252";

// A file descriptor closed with the object.
class TFileHandle {
public:
    explicit TFileHandle(int fd) : FFd(fd) {}
    ~TFileHandle() {
        if (FFd >= 0)
            ::close(FFd);
    }
    TFileHandle(const TFileHandle&) = delete;
    TFileHandle& operator=(const TFileHandle&) = delete;

    int Fd() const { return FFd; }
    bool IsOpen() const { return FFd >= 0; }
    // Closes now, so that a failure to close (a delayed write error) is seen.
    int Close() {
        const int result = ::close(FFd);
        FFd = -1;
        return result;
    }

private:
    int FFd;
};

QuillError ReadError(const std::string& fileName, int error) {
    return QuillError("Cannot read file \"" + fileName + "\": " + std::strerror(error));
}

QuillError CopyError(const std::string& source, const std::string& target, int error) {
    return QuillError("Cannot copy \"" + source + "\" to \"" + target +
                      "\": " + std::strerror(error));
}

// Reads one chunk, retrying after a signal; -1 with errno on failure.
ssize_t ReadChunk(int fd, char* buffer, size_t size) {
    ssize_t count;
    do
        count = ::read(fd, buffer, size);
    while (count < 0 && errno == EINTR);
    return count;
}

// Writes the whole chunk; 0 or the error number.
int WriteChunk(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t count = ::write(fd, data, size);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return count < 0 ? errno : EIO;
        data += count;
        size -= static_cast<size_t>(count);
    }
    return 0;
}

std::string ReadWholeFile(const std::string& fileName) {
    TFileHandle file(::open(fileName.c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.IsOpen())
        throw ReadError(fileName, errno);
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t count = ReadChunk(file.Fd(), buffer, sizeof buffer);
        if (count < 0)
            throw ReadError(fileName, errno);
        if (count == 0)
            return bytes;
        bytes.append(buffer, static_cast<size_t>(count));
    }
}

// Copies the open source into the open target; 0 or the error number, with
// `readFailed` telling which side failed.
int CopyContent(int source, int target, bool& readFailed) {
    char buffer[65536];
    for (;;) {
        const ssize_t count = ReadChunk(source, buffer, sizeof buffer);
        if (count <= 0) {
            readFailed = count < 0;
            return count < 0 ? errno : 0;
        }
        if (const int error = WriteChunk(target, buffer, static_cast<size_t>(count)))
            return error;
    }
}

} // namespace

std::string ReadImportText(const std::string& fileName) {
    std::string text = DecodeTextWithBom(ReadWholeFile(fileName));
    if (!IsValidUtf8(text))
        text = CodePageToUtf8(text, kLegacyCodePage);
    return text;
}

void CopyImportedFile(const std::string& source, const std::string& target) {
    TFileHandle input(::open(source.c_str(), O_RDONLY | O_CLOEXEC));
    if (!input.IsOpen())
        throw ReadError(source, errno);
    TFileHandle output(
        ::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644));
    if (!output.IsOpen())
        throw CopyError(source, target, errno);

    bool readFailed = false;
    int error = CopyContent(input.Fd(), output.Fd(), readFailed);
    if (output.Close() != 0 && error == 0)
        error = errno;
    if (error != 0) {
        ::unlink(target.c_str());
        throw readFailed ? ReadError(source, error) : CopyError(source, target, error);
    }
}

} // namespace quillmark
