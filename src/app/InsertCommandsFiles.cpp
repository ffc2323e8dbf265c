// The insert commands that bring a file from disk into the topic: pictures
// and HTML documents.

#include "app/InsertCommands.h"
#include "app/MainWindow.h"
#include "base/Translation.h"
#include "editor/AssetFiles.h"
#include "editor/EditorBridge.h"
#include "editor/HtmlImportCommand.h"
#include "editor/HtmlImportFiles.h"

#include <string_view>

namespace quillmark {

void TInsertCommands::InsertPicture(const char* cmd) {
    Guarded([&] {
        if (!EditorReady())
            return;
        TFileDialogRequest request;
        request.Title = Translate(std::string_view(cmd) == "image" ? "Insert Picture"
                                                                   : "Replace Picture");
        request.Filter = kImageFileFilter;
        request.MustExist = true;
        const std::optional<std::string> file = FPrompts.OpenFile(request);
        if (!file)
            return;
        std::string relativeUrl;
        std::string targetPath;
        if (!PrepareImageAsset(FWindow.State().FProject.FRootPath, *file, relativeUrl, targetPath))
            return;
        // The target is free by construction; the copy still refuses to
        // write through anything that appeared there meanwhile.
        CopyImportedFile(*file, targetPath);
        Send(cmd, relativeUrl);
        FocusEditorLater();
    });
}

void TInsertCommands::btnImageClick() {
    InsertPicture("image");
}

// Whether an image is selected is the page's business.
void TInsertCommands::btnReplaceImageClick() {
    InsertPicture("replaceSelectedImage");
}

void TInsertCommands::btnImportHTMLClick() {
    Guarded([&] {
        const TMainWindowState& state = FWindow.State();
        const THtmlImportRequest request{state.FProject.FRootPath, state.FCurrentTopicID,
                                         EditorReady() && FBridge != nullptr};
        const THtmlImportOutcome outcome = quillmark::btnImportHTMLClick(
            request,
            [&] {
                TFileDialogRequest dialog;
                dialog.Title = Translate("Add HTML Page");
                dialog.Filter = kHtmlImportFileFilter;
                dialog.MustExist = true;
                return FPrompts.OpenFile(dialog);
            },
            [&](const std::string& question) {
                return FPrompts.Ask(TMessageKind::Confirmation, kApplicationTitle, question,
                                    {TPromptButton::Yes, TPromptButton::No}) == TPromptButton::Yes;
            });
        switch (outcome.Action) {
        case THtmlImportOutcome::TAction::None:
            break;
        case THtmlImportOutcome::TAction::ShowInformation:
            FPrompts.ShowInformation(outcome.Message);
            break;
        case THtmlImportOutcome::TAction::InsertHtml:
            // An author's insertion: it marks the topic changed in the page.
            Send("insertHTML", outcome.Html);
            FWindow.MarkProjectDirty();
            FWindow.SetStatusText(outcome.Message);
            if (!outcome.Warning.empty())
                FPrompts.ShowWarning(outcome.Warning);
            FocusEditorLater();
            break;
        }
    });
}

} // namespace quillmark
