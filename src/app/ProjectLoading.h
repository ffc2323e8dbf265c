#pragma once

#include "model/DocProject.h"

#include <string>

namespace quillmark {

// Loads the project of a ".hff" file the way opening it does — project
// file, folder, the project file's title, then the settings' title when the
// settings file exists — without writing anything.
void LoadProjectFromFile(const std::string& projectFile, TDocProject& project);

} // namespace quillmark
