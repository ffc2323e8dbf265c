#include "app/ProjectLoading.h"

#include "base/FileHelpers.h"
#include "base/Json.h"
#include "base/JsonRead.h"
#include "base/QuillError.h"
#include "base/Translation.h"
#include "base/Utf.h"
#include "model/ProjectStorage.h"
#include "reuse/ReusableContent.h"
#include "settings/ProjectSettings.h"

#include <filesystem>

namespace quillmark {

namespace {

// A settings or reusable-content file that is there must be readable JSON
// text; a missing one keeps its defaults.
void RequireJsonTextIfPresent(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec))
        return;
    bool tooDeep = false;
    if (!IsJsonText(DecodeTextWithBom(ReadFileBytes(path)), &tooDeep))
        throw FileProblem(path, tooDeep ? JsonTooDeepError().what() : Translate(kNotJsonText));
}

} // namespace

void LoadProjectFromFile(const std::string& projectFile, TDocProject& project) {
    const TProjectFileInfo info = ReadProjectFile(projectFile);
    const std::string folder = IncludeTrailingPathDelimiter(info.Folder);
    const std::string settingsPath = TProjectSettings::DefaultSettingsPathForProject(folder);
    LoadProjectFolder(folder, project, TDamagedFile::Fail);
    RequireJsonTextIfPresent(settingsPath);
    RequireJsonTextIfPresent(ReusableContentFilePath(project));

    if (!info.Title.empty())
        project.FTitle = info.Title;
    if (FileExists(settingsPath)) {
        // As when opening: the title shown is the settings' one, which stays
        // the default when the file holds no object.
        TProjectSettings settings;
        settings.LoadFromFile(settingsPath);
        project.FTitle = settings.ProjTitle;
    }
}

} // namespace quillmark
