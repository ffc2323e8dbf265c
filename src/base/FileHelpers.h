#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quillmark {

inline constexpr char kPathDelim = '/';

// `name` empty: `base` with a trailing delimiter; `name` absolute: `name`;
// otherwise `base`, a delimiter and `name`. A name holding a NUL character
// (the one character no path may hold here) fails.
std::string JoinPath(std::string_view base, std::string_view name);
std::string IncludeTrailingPathDelimiter(std::string_view path);
std::string ExcludeTrailingPathDelimiter(std::string_view path);

// Creates the folder and its missing parents; returns `path`.
std::string EnsureDir(const std::string& path);

bool FileExists(const std::string& path);      // a regular file (or a link to one)
bool DirectoryExists(const std::string& path);

// Path pieces, with the last '.' after the last delimiter starting the
// extension: "a/archive.tar.gz" -> name "archive.tar.gz", ext ".gz".
std::string ExtractFileName(std::string_view path);
std::string ExtractFileDir(std::string_view path);
std::string ExtractFileExt(std::string_view path);
std::string ChangeFileExt(std::string_view path, std::string_view ext);
std::string FileNameWithoutExt(std::string_view path);

// The whole file, as bytes.
std::string ReadFileBytes(const std::string& fileName);
// The whole file with a UTF-8 byte-order mark skipped.
std::string ReadTextFileUtf8(const std::string& fileName);

// Reads a file's text (a UTF-8 byte-order mark skipped) into `text` without
// waiting on a pipe or a device: false, with `text` empty, when there is no
// regular file of that name, or when `followLink` is false and the name is
// a symbolic link. Opening it is the test, which spares a separate look-up
// for each of the many small files a reader may ask for. Other failures
// raise a QuillError naming the file.
bool ReadTextFileIfRegular(const std::string& path, std::string& text, bool followLink = true);

// Writes `bytes` whole: into a temporary file in the same folder, then a
// rename over the target. A failure (full disk, no permission) leaves any
// previous file untouched and raises a QuillError naming the file.
void WriteFileAtomically(const std::string& fileName, std::string_view bytes);
// The same for a file made of several pieces, written one after the other
// without joining them first.
void WriteFileAtomically(const std::string& fileName, std::span<const std::string_view> pieces);
// Writes every piece to an open file, a thousand at a time; 0, or the error
// that stopped it.
int WritePieces(int fd, std::span<const std::string_view> pieces);
// Creates missing parent folders, then writes UTF-8 without byte-order mark.
void WriteTextFileUtf8(const std::string& fileName, std::string_view text);
// The same with the byte-order mark EF BB BF in front.
void WriteTextFileUtf8Bom(const std::string& fileName, std::string_view text);

// Copies through a temporary file beside the target and a rename, so that a
// failure leaves the target as it was and a link in its place is replaced,
// never written through.
void CopyFileReplacing(const std::string& source, const std::string& target);
// Deletes a file when it exists; a failure raises a QuillError.
void DeleteFileIfExists(const std::string& fileName);

// The name trimmed of characters <= 32, "topic" when empty, and each of
// " * / : < > ? \ | replaced by "_".
std::string SanitizeFileName(std::string_view name);

// Whether a name read from a project file can be used as one component of
// a path without naming another place: not empty, not "." or "..", no "/"
// or "\", no control character.
bool IsSafePathComponent(std::string_view name);

// Whether `path` is `folder` or lies below it, compared as written (both
// absolute and normal, links already followed where that matters).
bool IsSameOrInsideFolder(std::string_view path, std::string_view folder);

// Absolute form of a path, without resolving links; the input on failure.
std::string AbsolutePath(std::string_view path);

} // namespace quillmark
