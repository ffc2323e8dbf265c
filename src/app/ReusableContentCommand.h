#pragma once

#include "reuse/ReusableContentDialogModel.h"

#include <functional>
#include <string>

namespace quillmark {

class IUserPrompts;
class TEditorBridge;
class TMainWindow;

// What the reusable-content dialog gives back when it closes.
struct TReusableDialogOutcome {
    TReusableDialogResult Result = TReusableDialogResult::Cancel;
    // The grids as the author left them.
    TReusableGrids Grids;
    // The current data row of each grid (0 the first data row), in tab order.
    std::array<int, 3> CurrentRows{};
};

// The modal "Variables, snippets and conditions" dialog: shows the grids
// and returns when the author closes it.
class IReusableContentDialog {
public:
    virtual ~IReusableContentDialog() = default;
    virtual TReusableDialogOutcome Execute(const TReusableGrids& grids) = 0;
};

// The Tools command "Variables, Snippets, Conditions...": edits the
// project's reusable content in the dialog, saves it from the grids, and
// inserts the chosen token into the topic being edited.
class TReusableContentCommand {
public:
    // `bridge` gives the editor bridge, or null while there is none.
    TReusableContentCommand(TMainWindow& window, IReusableContentDialog& dialog,
                            IUserPrompts& prompts, std::function<TEditorBridge*()> bridge);

    void btnVariablesConditionsSnippetsClick();

private:
    void Run();
    // The token for an insert result, or empty (with a message) when the
    // current row has no name.
    std::string TokenFor(const TReusableDialogOutcome& outcome);
    void InsertToken(const std::string& token);

    TMainWindow& FWindow;
    IReusableContentDialog& FDialog;
    IUserPrompts& FPrompts;
    std::function<TEditorBridge*()> FBridge;
};

} // namespace quillmark
