#pragma once

#include <string>

namespace quillmark {

class TDocProject;
class TProjectSettings;

// Writes internal/editor/editor_effective.css of the project from its style
// profile and `settings` (which may be null) and returns the file's full path.
std::string WriteEditorEffectiveCss(const TDocProject& project, const TProjectSettings* settings);

} // namespace quillmark
