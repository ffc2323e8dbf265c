#pragma once

#include <string>

namespace quillmark {

// Copies a project folder for Save As: every file below `source`, at any
// depth, to the same place below `target`, replacing files of the same name.
// The "build" folder (published output) and ".hff" project files are left
// out (letter case ignored); files already in `target` stay. The file list
// is taken before the first copy, and nothing inside `target` is copied
// again, so a target inside the source folder ends.
void CopyProjectTree(const std::string& source, const std::string& target);

// Whether two folder paths name the same folder: the same text without
// trailing delimiters, or the same folder on disk.
bool IsSameFolder(const std::string& a, const std::string& b);

} // namespace quillmark
