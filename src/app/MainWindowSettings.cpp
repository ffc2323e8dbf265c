#include "app/HeaderBackgrounds.h"
#include "app/MainWindow.h"
#include "base/Color.h"
#include "editor/DefaultContent.h"

namespace quillmark {

void TMainWindow::SaveSettingsQuietly() {
    try {
        FState.FSettings.SaveToFile(
            TProjectSettings::DefaultSettingsPathForProject(FState.FProject.FRootPath));
    } catch (const std::exception&) {
        // A project without a settings file still works with the defaults.
    }
}

void TMainWindow::ApplyConfirmedSettings(bool writeEmptyPageAtOnce) {
    SaveSettingsQuietly();
    ApplySettingsToWindow();
    FEditor->ApplyEditorCss();
    const std::string current = FState.FCurrentTopicID;
    if (!current.empty() && FState.FProject.HasTopic(current) &&
        IsTopicContentEmpty(FEditor->GetCurrentTopicHtml())) {
        const std::string html = DefaultParagraphHtml(FState.FSettings);
        FEditor->ReplaceCurrentTopicHtml(html);
        FState.FUnsavedTopicHtml[current] = html;
        if (writeEmptyPageAtOnce)
            WriteTopicPage(current, html);
    }
    FEditor->RefreshDefaultHeader();
    if (FEditor->IsEditorReady())
        FEditor->ApplySettingsToEditor();
}

void TMainWindow::btnProjectSettingsClick() {
    Guarded([&] {
        TProjectSettings edited = FState.FSettings;
        if (!FPorts.Prompts.ExecuteProjectSettings(edited))
            return;
        FState.FSettings = edited;
        ApplyConfirmedSettings(false);
        FEditor->FocusEditorLater();
        WriteHeaderBgFiles(FState.FProject.FRootPath,
                           ColorToHtml(FState.FSettings.DefaultHeaderBgColor));
        MarkProjectDirty();
    });
}

} // namespace quillmark
