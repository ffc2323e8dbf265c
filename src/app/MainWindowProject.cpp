#include "app/MainWindow.h"
#include "app/ProgramFiles.h"
#include "app/ProjectTreeCopy.h"
#include "app/PublishFlow.h"
#include "app/UnreadableFiles.h"
#include "base/FileHelpers.h"
#include "base/TextUtils.h"
#include "base/Translation.h"
#include "editor/DefaultContent.h"
#include "model/ProjectLinks.h"
#include "model/ProjectStorage.h"
#include "model/TopicCreation.h"
#include "platform/Shell.h"
#include "publish/PublishSteps.h"

namespace quillmark {

namespace {

constexpr int kHeaderWaitMs = 400;

bool HasShownRootTopic(const TDocProject& project) {
    for (const std::string& id : project.FRootTopicIDs)
        if (project.HasTopic(id))
            return true;
    return false;
}

// The settings a project folder will be opened with: its file, or the
// defaults when there is none.
TProjectSettings SettingsOfFolder(const std::string& folder) {
    TProjectSettings settings;
    try {
        settings.LoadFromFile(TProjectSettings::DefaultSettingsPathForProject(folder));
    } catch (const std::exception&) {
        settings.SetDefaults();
    }
    return settings;
}

} // namespace

void TMainWindow::DiscardUnsavedState() {
    FPropertiesTopicID.clear();
    // The project that stops being current takes its trash and its
    // recovery file with it.
    FTrash.Empty(FState.FProject.FRootPath);
    ClearRecovery();
    FState.FUnsavedTopicHtml.clear();
    FState.FPendingTextFiles.clear();
    FEditor->ClearCurrentTopic();
    FState.FProjectDirty = false;
}

void TMainWindow::WriteLastProjectFile() {
    try {
        WriteTextFileUtf8(FPlaces.LastProjectFile, FState.FProjectFileName);
    } catch (const std::exception&) {
        // Only the next start's choice of project depends on it.
    }
    try {
        TRecentProjects(FPlaces.UserSettingsFile).Add(FState.FProjectFileName);
    } catch (const std::exception&) {
        // Only the File menu's list depends on it.
    }
}

bool TMainWindow::ConfirmSaveChanges() {
    try {
        KeepTypedTopicProperties();
    } catch (const std::exception& e) {
        // Typed properties that cannot be stored (help IDs that clash) keep
        // the project open, so the author can mend them instead of losing them.
        FPorts.Prompts.ShowError(e.what());
        return false;
    }
    if (!FState.FProjectDirty)
        return true;
    const TPromptButton answer =
        FPorts.Prompts.Ask(TMessageKind::Confirmation, kApplicationTitle,
                           Translate("Project has been modified. Do you want to save changes?"),
                           {TPromptButton::Yes, TPromptButton::No, TPromptButton::Cancel});
    if (answer == TPromptButton::Yes) {
        // A cancelled Save As lets the pending command go on; a failed save
        // does not, so nothing unsaved is thrown away after an error.
        SaveProject();
        return true;
    }
    if (answer == TPromptButton::No) {
        FState.FUnsavedTopicHtml.clear();
        FState.FPendingTextFiles.clear();
        FEditor->ForgetUnsavedText();
        ClearRecovery();
        FState.FProjectDirty = false;
        UpdateWindowTitle();
        return true;
    }
    return false;
}

void TMainWindow::WriteTopicPage(const std::string& topicId, const std::string& html) {
    WriteTextFileUtf8(FState.FProject.GetTopic(topicId).FHtmlPath, html);
}

void TMainWindow::WritePendingFiles() {
    for (const auto& [id, html] : FState.FUnsavedTopicHtml)
        FState.FPendingTextFiles[FState.FProject.TopicPagePath(id)] = html;
    for (const auto& [path, text] : FState.FPendingTextFiles) {
        EnsureDir(ExtractFileDir(path));
        WriteTextFileUtf8(path, text);
    }
    FState.FUnsavedTopicHtml.clear();
    FState.FPendingTextFiles.clear();
    FEditor->ForgetUnsavedText();
    ClearRecovery();
}

void TMainWindow::SaveProjectContent() {
    RequireProjectFoldersInside(FState.FProject.FRootPath);
    FEditor->WaitForEditorHeader(kHeaderWaitMs);
    FEditor->CommitCurrentTopic();
    WritePendingFiles();
    KeepTypedTopicProperties();
    SaveProjectFolder(FState.FProject);
}

bool TMainWindow::SaveProject() {
    SaveProjectContent();
    if (Trim(FState.FProjectFileName).empty())
        return SaveProjectAs();
    WriteProjectFile(FState.FProjectFileName, FState.FProject, FState.FProject.FRootPath);
    FState.FProjectDirty = false;
    UpdateWindowTitle();
    SetStatusText(Translate("Saved"));
    return true;
}

bool TMainWindow::SaveProjectAs() {
    FEditor->WaitForEditorHeader(kHeaderWaitMs);
    TFileDialogRequest request;
    request.Title = Translate("Save Project As...");
    request.Filter = "Help Project (*.hff)|*.hff";
    request.DefaultExt = "hff";
    request.ConfirmOverwrite = true;
    request.FileName =
        FState.FProjectFileName.empty() ? "Untitled.hff" : ExtractFileName(FState.FProjectFileName);
    if (!FState.FProjectFileName.empty())
        request.InitialFolder = ExtractFileDir(FState.FProjectFileName);
    const std::optional<std::string> chosen = FPorts.Prompts.SaveFile(request);
    if (!chosen)
        return false;

    const std::string name = NormalizePath(*chosen);
    if (name.empty() || name.front() != kPathDelim ||
        !AsciiSameText(ExtractFileExt(name), ".hff")) {
        FPorts.Prompts.ShowError(Translate("Invalid project filename: ") + name);
        return false;
    }
    const std::string oldFolder = FState.FProject.FRootPath;
    const std::string newFolder = IncludeTrailingPathDelimiter(ProjectFolderForFile(name));
    FEditor->CommitCurrentTopic();
    if (!IsSameFolder(oldFolder, newFolder)) {
        CopyProjectTree(oldFolder, newFolder);
        // The unsaved text is saved into the new folder: the old one's
        // recovery file would offer it again there.
        ClearRecovery();
        FState.FProject.SetRootPath(newFolder);
        // Files waiting for the save belong to the project: they follow it.
        std::map<std::string, std::string> pending;
        const std::string oldPrefix = IncludeTrailingPathDelimiter(oldFolder);
        for (auto& [path, text] : FState.FPendingTextFiles)
            pending[StartsWith(path, oldPrefix) ? newFolder + path.substr(oldPrefix.size())
                                                : path] = std::move(text);
        FState.FPendingTextFiles = std::move(pending);
        EnsureProjectFolders(newFolder);
        CopyProgramFiles();
        FEditor->ApplyEditorBaseHref();
    }
    FState.FProjectFileName = name;
    WritePendingFiles();
    SaveProjectFolder(FState.FProject);
    WriteProjectFile(FState.FProjectFileName, FState.FProject);
    FState.FProjectDirty = false;
    WriteLastProjectFile();
    UpdateWindowTitle();
    SetStatusText(Translate("Saved As"));
    return true;
}

void TMainWindow::btnSaveClick() {
    Guarded([&] {
        if (SaveProject() && FPreviewOpen)
            ShowPreview();
    });
}

void TMainWindow::btnSaveAsClick() {
    Guarded([&] {
        if (SaveProjectAs() && FPreviewOpen)
            ShowPreview();
    });
}

void TMainWindow::OpenProject(const std::string& fileName) {
    const std::string name = NormalizePath(fileName);
    const TProjectFileInfo info = ReadProjectFile(name);
    const std::string folder = IncludeTrailingPathDelimiter(info.Folder);
    const std::vector<TUnreadableFile> unreadable = FindUnreadableProjectFiles(folder);

    // The project is loaded aside first: a folder that cannot be loaded
    // leaves the current project as it was, and nothing is written into it.
    TDocProject loaded;
    LoadProjectFolder(folder, loaded);
    EnsureProjectFolders(folder);
    ::quillmark::CopyProgramFiles(FPlaces.ProgramFolder, folder);

    DiscardUnsavedState();
    FState.FProjectFileName = name;
    FState.FProject = std::move(loaded);
    TDocProject& project = FState.FProject;
    // Left behind by a session that ended without closing the project.
    FTrash.Empty(folder);
    FEditor->ApplyEditorBaseHref();
    if (!info.Title.empty())
        project.FTitle = info.Title;
    if (!HasShownRootTopic(project)) {
        if (project.FTitle.empty())
            project.FTitle = FileNameWithoutExt(name);
        AddTopicWithPage(project, Translate("Welcome"), "",
                         DefaultParagraphHtml(SettingsOfFolder(folder)));
    }
    LoadProjectSettings();
    FillStyleProfiles();
    OfferRecovery();
    CloseStartScreen();
    RebuildTree();
    SelectStartNode();
    WriteLastProjectFile();
    UpdateWindowTitle();
    for (const TUnreadableFile& file : unreadable)
        FPorts.Prompts.ShowWarning(UnreadableFileWarning(file));
}

void TMainWindow::btnOpenProjectClick() {
    Guarded([&] {
        if (!ConfirmSaveChanges())
            return;
        TFileDialogRequest request;
        request.Title = Translate("Open Project...");
        request.Filter = "Project (*.hff)|*.hff";
        request.DefaultExt = "hff";
        request.MustExist = true;
        if (!FState.FProjectFileName.empty())
            request.InitialFolder = ExtractFileDir(FState.FProjectFileName);
        const std::optional<std::string> chosen = FPorts.Prompts.OpenFile(request);
        if (!chosen)
            return;
        OpenProject(NormalizePath(*chosen));
    });
}

void TMainWindow::LoadProjectSettings() {
    TProjectSettings& settings = FState.FSettings;
    const std::string path =
        TProjectSettings::DefaultSettingsPathForProject(FState.FProject.FRootPath);
    settings.SetDefaults();
    std::string problem;
    if (FileExists(path)) {
        try {
            if (!settings.LoadFromFile(path))
                problem = path;
        } catch (const std::exception& e) {
            problem = e.what();
        }
        if (!problem.empty()) {
            settings.SetDefaults();
            settings.ProjTitle = FState.FProject.FTitle;
        }
    } else {
        // The defaults carry the project's own title, not the placeholder.
        settings.ProjTitle = FState.FProject.FTitle;
        SaveSettingsQuietly();
    }
    ApplySettingsToWindow();
    if (FEditor->IsEditorReady())
        FEditor->ApplySettingsToEditor();
    if (!problem.empty())
        FPorts.Prompts.ShowWarning(
            FormatText(Translate("The project settings could not be read (%s). The default "
                                 "settings are used until you change them."),
                       {problem}));
}

void TMainWindow::ApplySettingsToWindow() {
    FPorts.View.ApplySettingsToControls(FState.FSettings);
    FState.FProject.FTitle = FState.FSettings.ProjTitle;
}

void TMainWindow::btnNewProjectClick() {
    Guarded([&] {
        if (!ConfirmSaveChanges())
            return;
        StartWorkspaceProject();
        CloseStartScreen();
        FillStyleProfiles();
        RebuildTree();
        SelectFirstNode();
        UpdateWindowTitle();
        TProjectSettings edited = FState.FSettings;
        if (FPorts.Prompts.ExecuteProjectSettings(edited)) {
            FState.FSettings = edited;
            ApplyConfirmedSettings(true);
        }
        UpdateWindowTitle();
        SetStatusText(Translate("New project created (not saved)"));
    });
}

void TMainWindow::OpenOutputFolder1Click() {
    // Before the first publishing run there is no output yet: the folder is
    // made, so that the command always shows where the outputs will go.
    Guarded([&] {
        OpenFolderShowingFailure(ExcludeTrailingPathDelimiter(ProjectBuildFolder(FState.FProject, "")),
                                 FPorts.Shell,
                                 FPorts.Prompts);
    });
}

} // namespace quillmark
