#pragma once

#include <string>

namespace quillmark {

// Makes a new project saved under `projectFile` (".hff"): the folder beside
// it with the standard folders and the program files, default settings with
// the given title, and one root topic "Welcome" with its default page and
// header. Refuses to touch a place that already holds a project.
// Returns the absolute path of the project file.
std::string CreateProjectFile(const std::string& projectFile, const std::string& title,
                              const std::string& programFolder);

} // namespace quillmark
