#include "app/ReusableContentCommand.h"

#include "app/MainWindow.h"
#include "base/TextUtils.h"
#include "base/Translation.h"
#include "editor/EditorBridge.h"
#include "reuse/TokenExpansion.h"

namespace quillmark {

TReusableContentCommand::TReusableContentCommand(TMainWindow& window,
                                                 IReusableContentDialog& dialog,
                                                 IUserPrompts& prompts,
                                                 std::function<TEditorBridge*()> bridge)
    : FWindow(window), FDialog(dialog), FPrompts(prompts), FBridge(std::move(bridge)) {}

void TReusableContentCommand::btnVariablesConditionsSnippetsClick() {
    try {
        Run();
    } catch (const std::exception& e) {
        FPrompts.ShowError(e.what());
    }
}

void TReusableContentCommand::Run() {
    const TDocProject& project = FWindow.State().FProject;
    if (Trim(project.FRootPath).empty())
        return;
    // The window holds the topic's latest text before anything else runs.
    IEditorContent& editor = FWindow.Editor();
    if (editor.IsEditorReady() && !FWindow.State().FCurrentTopicID.empty())
        editor.CommitCurrentTopic();

    TReusableProjectContent store;
    store.LoadFromProject(project);
    const TReusableDialogOutcome outcome = FDialog.Execute(GridsFromContent(store));
    if (outcome.Result == TReusableDialogResult::Cancel)
        return;

    ContentFromGrids(outcome.Grids, store);
    store.SaveToProject(project);
    FWindow.MarkProjectDirty();

    if (outcome.Result == TReusableDialogResult::Save)
        return;
    const std::string token = TokenFor(outcome);
    if (!token.empty())
        InsertToken(token);
}

std::string TReusableContentCommand::TokenFor(const TReusableDialogOutcome& outcome) {
    struct TInsertKind {
        TReusableDialogResult Result;
        TReusableTab Tab;
        const char* EmptyMessage;
        std::string (*MakeToken)(std::string_view);
    };
    static const TInsertKind kinds[] = {
        {TReusableDialogResult::InsertVariable, TReusableTab::Variables,
         "Select or enter a variable name first.", &MakeVariableToken},
        {TReusableDialogResult::InsertSnippet, TReusableTab::Snippets,
         "Select or enter a snippet name first.", &MakeSnippetToken},
        {TReusableDialogResult::InsertBeginCondition, TReusableTab::Conditions,
         "Select or enter a condition name first.", &MakeBeginConditionToken},
    };
    if (outcome.Result == TReusableDialogResult::InsertEndCondition)
        return std::string(kEndConditionToken);
    for (const TInsertKind& kind : kinds) {
        if (kind.Result != outcome.Result)
            continue;
        const TReusableGridRows& rows = outcome.Grids.Of(kind.Tab);
        const int row = std::max(outcome.CurrentRows[static_cast<size_t>(kind.Tab)], 0);
        const std::string name =
            static_cast<size_t>(row) < rows.size() ? Trim(rows[static_cast<size_t>(row)][0]) : "";
        if (name.empty()) {
            FPrompts.ShowInformation(Translate(kind.EmptyMessage));
            return {};
        }
        return kind.MakeToken(name);
    }
    return {};
}

void TReusableContentCommand::InsertToken(const std::string& token) {
    TEditorBridge* bridge = FBridge ? FBridge() : nullptr;
    IEditorContent& editor = FWindow.Editor();
    if (bridge == nullptr || !editor.IsEditorReady())
        return;
    bridge->ExecCommand("insertHTML", token);
    editor.FocusEditorLater();
}

} // namespace quillmark
