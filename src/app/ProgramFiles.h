#pragma once

#include <string>

namespace quillmark {

// Copies the files the program supplies beside itself into a project folder:
// the editor page (always replaced), the WebHelp template files (replaced),
// and the default stylesheet (only when the project has none). A file that
// holds the same bytes already stays as it is; any other is replaced whole,
// never written through a link. A folder of the project leading outside it
// fails the copy first (RequireProjectFoldersInside).
void CopyProgramFiles(const std::string& programFolder, const std::string& rootPath);

} // namespace quillmark
