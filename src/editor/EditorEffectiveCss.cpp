#include "editor/EditorEffectiveCss.h"

#include "base/FileHelpers.h"
#include "publish/SettingsCss.h"

namespace quillmark {

std::string WriteEditorEffectiveCss(const TDocProject& project, const TProjectSettings* settings) {
    // The editor page loads the file by URL, which needs the absolute path.
    return AbsolutePath(WriteTargetCss(project, settings, TStylesheetTarget::stEditor));
}

} // namespace quillmark
