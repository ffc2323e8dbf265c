#pragma once

#include "model/DocProject.h"

#include <string>

namespace quillmark {

// Loads the project of a ".hff" file the way opening it does — project
// file, folder, the project file's title, then the settings' title when the
// settings file exists — without writing anything. Unlike opening in the
// window, which warns and goes on, a project, tree, settings or
// reusable-content file that is there but cannot be read or holds no JSON
// text fails the load with an error naming it.
void LoadProjectFromFile(const std::string& projectFile, TDocProject& project);

} // namespace quillmark
