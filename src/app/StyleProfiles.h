#pragma once

#include <string>
#include <vector>

namespace quillmark {

// The style profiles of a project: the base names of the ".css" files
// directly in its "styles" folder (extension letter case ignored), sorted by
// name; "default" alone when there are none.
std::vector<std::string> StyleProfileNames(const std::string& projectFolder);

} // namespace quillmark
