#include "publish/OutputFile.h"

#include "base/FileHelpers.h"
#include "base/QuillError.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillmark {

namespace {

using TPieces = std::span<const std::string_view>;

[[noreturn]] void Fail(const std::string& path, int error) {
    throw QuillError("Cannot write file \"" + path + "\": " + std::strerror(error));
}

// Closes the descriptor when it goes out of scope.
class TFileDescriptor {
public:
    explicit TFileDescriptor(int fd) : fd_(fd) {}
    ~TFileDescriptor() { Close(); }
    TFileDescriptor(const TFileDescriptor&) = delete;
    TFileDescriptor& operator=(const TFileDescriptor&) = delete;
    int Get() const { return fd_; }
    // Closes now; the error close found, 0 when none.
    int Close() {
        if (fd_ < 0)
            return 0;
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0 ? 0 : errno;
    }

private:
    int fd_;
};

size_t TotalSize(TPieces pieces) {
    size_t size = 0;
    for (const std::string_view piece : pieces)
        size += piece.size();
    return size;
}

// True when `path` is a regular file whose bytes are exactly the pieces. The
// sizes are compared first, so most changed files are never read. Nothing
// is followed or waited for: a link, a pipe or a device is simply not equal.
bool HoldsExactly(const std::string& path, TPieces pieces) {
    TFileDescriptor file(
        ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY));
    struct stat status {};
    if (file.Get() < 0 || ::fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode) ||
        static_cast<size_t>(status.st_size) != TotalSize(pieces))
        return false;
    // The file is read in large blocks and each block compared with the
    // pieces it spans.
    char buffer[1 << 16];
    size_t piece = 0;
    size_t offset = 0; // within pieces[piece]
    for (;;) {
        const ssize_t count = ::read(file.Get(), buffer, sizeof buffer);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return false;
        if (count == 0) {
            // The end: equal when every piece was matched (the file may have
            // shrunk since its size was read).
            while (piece < pieces.size() && offset == pieces[piece].size()) {
                ++piece;
                offset = 0;
            }
            return piece == pieces.size();
        }
        std::string_view block(buffer, static_cast<size_t>(count));
        while (!block.empty()) {
            if (piece == pieces.size())
                return false; // the file grew meanwhile
            const std::string_view expected = pieces[piece].substr(offset, block.size());
            if (block.substr(0, expected.size()) != expected)
                return false;
            block.remove_prefix(expected.size());
            offset += expected.size();
            if (offset == pieces[piece].size()) {
                ++piece;
                offset = 0;
            }
        }
    }
}

} // namespace

void WriteOutputFile(const std::string& path, std::string_view bytes) {
    WriteOutputFile(path, TPieces(&bytes, 1));
}

void WriteOutputFile(const std::string& path, std::initializer_list<std::string_view> pieces) {
    WriteOutputFile(path, TPieces(pieces.begin(), pieces.size()));
}

void WriteOutputFile(const std::string& path, TPieces pieces) {
    TFileDescriptor created(
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (created.Get() >= 0) {
        int error = WritePieces(created.Get(), pieces);
        if (const int closeError = created.Close(); error == 0)
            error = closeError;
        if (error != 0) {
            // The file did not exist before: nothing is lost by removing it.
            ::unlink(path.c_str());
            Fail(path, error);
        }
        return;
    }
    if (errno != EEXIST)
        Fail(path, errno);
    if (!HoldsExactly(path, pieces))
        WriteFileAtomically(path, pieces);
}

} // namespace quillmark
