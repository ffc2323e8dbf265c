#include "app/MainWindow.h"

#include "app/WindowTitle.h"
#include "base/FileHelpers.h"
#include "editor/DetachedEditorContent.h"
#include "platform/AppFolders.h"
#include "platform/IniStore.h"

#include <exception>

namespace quillmark {

TMainWindowPlaces SystemMainWindowPlaces() {
    TMainWindowPlaces places;
    places.ProgramFolder = ProgramFilesFolder();
    places.WorkspaceFolder = WorkspaceFolder();
    places.LastProjectFile = LastProjectFilePath();
    places.UserSettingsFile = PerUserSettingsPath();
    places.CompilerPlaces = SystemHelpCompilerPlaces();
    return places;
}

TMainWindow::TMainWindow(TMainWindowPorts ports, TMainWindowPlaces places)
    : FPorts(ports), FPlaces(std::move(places)),
      FEditor(std::make_unique<TDetachedEditorContent>(*this)) {}

TMainWindow::~TMainWindow() = default;

void TMainWindow::SetEditorContent(std::unique_ptr<IEditorContent> editor) {
    if (editor)
        FEditor = std::move(editor);
}

void TMainWindow::Guarded(const std::function<void()>& command) {
    try {
        command();
    } catch (const std::exception& e) {
        FPorts.Prompts.ShowError(e.what());
    }
}

void TMainWindow::MarkProjectDirty() {
    FState.FProjectDirty = true;
    UpdateWindowTitle();
}

void TMainWindow::UpdateWindowTitle() {
    FPorts.View.SetWindowTitle(FormatWindowTitle(kApplicationTitle, FState.FProjectDirty,
                                                 FState.FProject.FTitle, FState.FProjectFileName));
    FPorts.View.SetSaveEnabled(FState.FProjectDirty);
}

void TMainWindow::SetStatusText(const std::string& text) {
    FPorts.View.SetStatusText(text);
}

std::string TMainWindow::EditorPagePath() const {
    return JoinPath(FState.FProject.FRootPath, "internal/editor/editor.html");
}

} // namespace quillmark
