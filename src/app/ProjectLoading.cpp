#include "app/ProjectLoading.h"

#include "base/FileHelpers.h"
#include "model/ProjectStorage.h"
#include "settings/ProjectSettings.h"

namespace quillmark {

void LoadProjectFromFile(const std::string& projectFile, TDocProject& project) {
    const TProjectFileInfo info = ReadProjectFile(projectFile);
    LoadProjectFolder(IncludeTrailingPathDelimiter(info.Folder), project);
    if (!info.Title.empty())
        project.FTitle = info.Title;
    const std::string settingsPath = TProjectSettings::DefaultSettingsPathForProject(project.FRootPath);
    if (FileExists(settingsPath)) {
        // As when opening: the title shown is the settings' one, which stays
        // the default when the file cannot be used.
        TProjectSettings settings;
        settings.LoadFromFile(settingsPath);
        project.FTitle = settings.ProjTitle;
    }
}

} // namespace quillmark
