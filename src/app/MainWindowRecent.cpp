#include "app/MainWindow.h"
#include "app/ProjectTreeCopy.h"
#include "base/FileHelpers.h"
#include "base/Translation.h"

namespace quillmark {

namespace {

constexpr char kSampleProject[] = "AuroraLamp";

} // namespace

std::vector<TRecentProject> TMainWindow::RecentProjects() const {
    try {
        return TRecentProjects(FPlaces.UserSettingsFile).List();
    } catch (const std::exception&) {
        return {};
    }
}

void TMainWindow::OpenRecentProject(const std::string& fileName) {
    Guarded([&] {
        if (!FileExists(fileName)) {
            if (FPorts.Prompts.Ask(TMessageKind::Warning, kApplicationTitle,
                                   Translate("The project file no longer exists:") + "\r\n\r\n" +
                                       fileName + "\r\n\r\n" +
                                       Translate("Remove it from the recent projects?"),
                                   {TPromptButton::Yes, TPromptButton::No}) == TPromptButton::Yes)
                RemoveRecentProject(fileName);
            return;
        }
        if (ConfirmSaveChanges())
            OpenProject(fileName);
    });
}

void TMainWindow::RemoveRecentProject(const std::string& fileName) {
    Guarded([&] { TRecentProjects(FPlaces.UserSettingsFile).Remove(fileName); });
}

void TMainWindow::RemoveMissingRecentProjects() {
    Guarded([&] { TRecentProjects(FPlaces.UserSettingsFile).RemoveMissing(); });
}

void TMainWindow::OpenSampleProject() {
    Guarded([&] {
        const std::string source = JoinPath(FPlaces.ProgramFolder, "examples");
        const std::string sourceFile = JoinPath(source, std::string(kSampleProject) + ".hff");
        if (!FileExists(sourceFile)) {
            FPorts.Prompts.ShowError(Translate("The sample project could not be found:") +
                                     "\r\n\r\n" + sourceFile);
            return;
        }
        // The author's own copy beside the workspace: the one beside the
        // program stays as it is.
        const std::string copy =
            JoinPath(ExtractFileDir(ExcludeTrailingPathDelimiter(FPlaces.WorkspaceFolder)),
                     "Sample");
        const std::string copyFile = JoinPath(copy, std::string(kSampleProject) + ".hff");
        if (!ConfirmSaveChanges())
            return;
        if (!FileExists(copyFile)) {
            EnsureDir(copy);
            CopyProjectTree(JoinPath(source, kSampleProject), JoinPath(copy, kSampleProject));
            CopyFileReplacing(sourceFile, copyFile);
        }
        OpenProject(copyFile);
    });
}

void TMainWindow::CloseStartScreen() {
    FPorts.View.SetStartScreenVisible(false);
}

} // namespace quillmark
