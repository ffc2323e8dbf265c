#include "editor/MarkdownNoteStyles.h"

#include "base/FileHelpers.h"
#include "publish/SettingsCss.h"

namespace quillmark {

void AddNoteStylesToProfile(const TDocProject& project) {
    const std::string profile = ProfileStylesheetPath(project);
    std::string css;
    if (profile.empty() || !ReadTextFileIfRegular(profile, css, false) ||
        css.find(".admonition") != std::string::npos)
        return;
    if (!css.empty() && css.back() != '\n')
        css += '\n';
    WriteTextFileUtf8(profile, css + "\n" + std::string(kNoteBoxCss));
}

} // namespace quillmark
