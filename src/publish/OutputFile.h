#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace quillmark {

// Writes `bytes` as the file `path` in an output folder an export owns,
// touching the disk no more than needed:
// - a missing file is created and written directly (a failure removes it);
// - a regular file already holding exactly these bytes is left as it is, so
//   publishing again rewrites only the pages that changed (their times stay,
//   and a site copied elsewhere by time or size needs only those);
// - anything else in its place (a different file, a symbolic link, a pipe)
//   is replaced whole through WriteFileAtomically, never written through, and
//   a failure leaves it as it was.
// Failures raise a QuillError naming the file.
void WriteOutputFile(const std::string& path, std::string_view bytes);

// The same for a file made of several pieces, written one after the other
// without joining them first.
void WriteOutputFile(const std::string& path, std::span<const std::string_view> pieces);
void WriteOutputFile(const std::string& path, std::initializer_list<std::string_view> pieces);

} // namespace quillmark
