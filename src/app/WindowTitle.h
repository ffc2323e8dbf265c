#pragma once

#include <string>

namespace quillmark {

// "<app><*> - <project title> [<project file>]", or without the bracketed
// part for a project that has no project file. The star follows the
// application title directly and shows unsaved changes.
std::string FormatWindowTitle(const std::string& applicationTitle, bool dirty,
                              const std::string& projectTitle, const std::string& projectFile);

} // namespace quillmark
