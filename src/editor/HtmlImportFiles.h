#pragma once

#include <string>

namespace quillmark {

// A text file of an imported document (the page or a style sheet) as UTF-8:
// a byte-order mark is honoured; bytes that are not valid UTF-8 are read as
// Windows-1252, the code page of legacy pages. A file that cannot be read
// raises a QuillError naming it.
std::string ReadImportText(const std::string& fileName);

// Copies a referenced file to a target chosen for it in an asset folder.
// The target is created new: an existing file there, or a link (even one
// pointing nowhere), fails the copy instead of being written through. A
// failed copy removes what it wrote and raises a QuillError naming both files.
void CopyImportedFile(const std::string& source, const std::string& target);

} // namespace quillmark
