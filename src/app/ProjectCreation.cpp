#include "app/ProjectCreation.h"

#include "app/ProgramFiles.h"
#include "base/Color.h"
#include "base/FileHelpers.h"
#include "base/QuillError.h"
#include "base/TextUtils.h"
#include "base/Translation.h"
#include "editor/DefaultContent.h"
#include "model/DocProject.h"
#include "model/HeaderFiles.h"
#include "model/ProjectStorage.h"
#include "settings/ProjectSettings.h"

namespace quillmark {

std::string CreateProjectFile(const std::string& projectFile, const std::string& title,
                              const std::string& programFolder) {
    const std::string fileName = AbsolutePath(Trim(projectFile));
    if (!AsciiEndsWithIgnoreCase(fileName, ".hff"))
        throw QuillError(Translate("Invalid project filename: ") + projectFile);
    const std::string folder = IncludeTrailingPathDelimiter(ProjectFolderForFile(fileName));
    if (FileExists(fileName) || FileExists(JoinPath(folder, "project.json")))
        throw QuillError(FormatText(Translate("A project already exists at %s."), {fileName}));

    TDocProject project;
    project.Clear();
    project.FRootPath = folder;
    project.FTitle = title;
    EnsureProjectFolders(folder);
    CopyProgramFiles(programFolder, folder);

    TProjectSettings settings;
    settings.ProjTitle = title;
    settings.SaveToFile(TProjectSettings::DefaultSettingsPathForProject(folder));

    const TTopic& welcome = project.AddTopic(Translate("Welcome"), "");
    WriteTextFileUtf8(welcome.FHtmlPath, DefaultParagraphHtml(settings));
    WriteHeaderFiles(folder, welcome.FID, DefaultHeaderHtml(settings, welcome.FTitle),
                     ColorToHtml(settings.DefaultHeaderBgColor));

    WriteProjectFile(fileName, project);
    return fileName;
}

} // namespace quillmark
