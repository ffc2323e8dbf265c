#include "app/MainWindow.h"
#include "base/Translation.h"

namespace quillmark {

void TMainWindow::AutosaveTimerTick() {
    // The workspace is emptied at every start, so nothing could be
    // recovered from it.
    if (FState.FProjectFileName.empty())
        return;
    TRecoveredPages pages = FState.FUnsavedTopicHtml;
    const std::string current = FEditor->UnsavedCurrentHtml();
    if (!FState.FCurrentTopicID.empty() && !current.empty())
        pages[FState.FCurrentTopicID] = current;
    try {
        FAutosave.Update(FState.FProject.FRootPath, pages);
    } catch (const std::exception& e) {
        SetStatusText(Translate("Autosave failed: ") + e.what());
    }
}

void TMainWindow::ClearRecovery() {
    try {
        FAutosave.Clear(FState.FProject.FRootPath);
    } catch (const std::exception&) {
        // A recovery file that stays is offered again and can be declined.
    }
}

void TMainWindow::OfferRecovery() {
    TRecoveredPages pages = ReadRecoveryFile(FState.FProject.FRootPath);
    std::erase_if(pages, [&](const auto& page) { return !FState.FProject.HasTopic(page.first); });
    if (pages.empty()) {
        ClearRecovery();
        return;
    }
    std::string topics;
    for (const auto& [id, html] : pages)
        topics += "\r\n    " + FState.FProject.GetTopic(id).FTitle;
    const std::string question =
        Translate("Quillmark was closed without saving changes to these topics:") + "\r\n" +
        topics + "\r\n\r\n" +
        Translate("Restore the unsaved changes? They stay unsaved until you save the project.");
    if (FPorts.Prompts.Ask(TMessageKind::Confirmation, kApplicationTitle, question,
                           {TPromptButton::Yes, TPromptButton::No}) != TPromptButton::Yes) {
        ClearRecovery();
        return;
    }
    for (auto& [id, html] : pages)
        FState.FUnsavedTopicHtml[id] = std::move(html);
    MarkProjectDirty();
    SetStatusText(Translate("Unsaved changes restored"));
}

} // namespace quillmark
