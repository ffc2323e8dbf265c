#pragma once

#include <memory>
#include <string>
#include <vector>

namespace quillmark {
class IProcessRunner;
class TEditorBridge;
class TEditorContent;
class TFindInTopic;
class TProjectFindReplace;
class TFormattingToolbarLogic;
class TMainWindowToolbarHost;
class TInsertCommands;
class TSteadyClock;
class IUserPrompts;
class TMainWindow;
class TReusableContentCommand;
struct TMainWindowPlaces;
} // namespace quillmark

namespace quillmark::gui {

class TFindBar;
class TFindReplacePanel;
class TGuiThreadPrompts;
class TQtEditorPageChannel;
class TQtProgressDisplay;
class TQtEventPump;
class TQtReusableContentDialog;
class TQtShell;
class TQtTopicPicker;
class TSpellChecking;
class TfrmMain;

// The one place that builds the main window: the Qt window and its
// adapters, the window logic, and the connections between them.
class TMainWindowComposition {
public:
    // `prompts` replaces the window's own dialogs when given (tests answer
    // them); it must outlive the composition.
    explicit TMainWindowComposition(const TMainWindowPlaces& places,
                                    IUserPrompts* prompts = nullptr);
    ~TMainWindowComposition();
    TMainWindowComposition(const TMainWindowComposition&) = delete;
    TMainWindowComposition& operator=(const TMainWindowComposition&) = delete;

    // FormCreate with the command-line arguments (without the program).
    void Start(const std::vector<std::string>& arguments);

    TfrmMain& Window() { return *FWindow; }
    TMainWindow& Logic() { return *FLogic; }
    TQtEditorPageChannel& PageChannel() { return *FPageChannel; }
    TQtEventPump& EventPump() { return *FEventPump; }
    // The one bridge to the editor page, for every command that sends to it.
    TEditorBridge& Bridge() { return *FBridge; }
    TEditorContent& EditorContent() { return *FEditorContent; }
    // The formatting toolbar's logic (caret style, last-applied values).
    TFormattingToolbarLogic& ToolbarLogic() { return *FToolbarLogic; }
    TFindBar& FindBar() { return *FFindBar; }
    TFindReplacePanel& FindReplacePanel() { return *FFindPanel; }
    TSpellChecking& SpellChecking() { return *FSpellChecking; }
    // The display of publishing (and other long work).
    TQtProgressDisplay& ProgressDisplay() { return *FProgress; }

private:
    // The Tools command "Variables, Snippets, Conditions..." and its button.
    void ConnectReusableContentCommand(IUserPrompts& prompts);
    // The Edit menu and the toolbar's insert controls.
    void ConnectInsertCommands(IUserPrompts& prompts);
    // The formatting toolbar: filled, its controls forwarded to its logic,
    // and the page's caret reports and settings sends routed to it.
    void ConnectFormattingToolbar();
    // Edit > Find (the find bar over the editor) and Edit > Find and
    // Replace (the panel for the whole project).
    void ConnectFindCommands();
    // The editor's spell checker follows the open project.
    void ConnectSpellChecking();

    std::unique_ptr<TfrmMain> FWindow;
    std::unique_ptr<TQtShell> FShell;
    std::unique_ptr<IProcessRunner> FRunner;
    std::unique_ptr<TQtEventPump> FEventPump;
    std::unique_ptr<TQtEditorPageChannel> FPageChannel;
    std::unique_ptr<TEditorBridge> FBridge;
    std::unique_ptr<TSteadyClock> FClock;
    std::unique_ptr<TGuiThreadPrompts> FPrompts;
    std::unique_ptr<TQtProgressDisplay> FProgress;
    std::unique_ptr<TMainWindow> FLogic;
    // Owned by FLogic once handed over.
    TEditorContent* FEditorContent = nullptr;
    std::unique_ptr<TQtReusableContentDialog> FReusableDialog;
    std::unique_ptr<TReusableContentCommand> FReusableCommand;
    std::unique_ptr<TQtTopicPicker> FTopicPicker;
    std::unique_ptr<TInsertCommands> FInsertCommands;
    std::unique_ptr<TMainWindowToolbarHost> FToolbarHost;
    std::unique_ptr<TFormattingToolbarLogic> FToolbarLogic;
    std::unique_ptr<TFindInTopic> FFinder;
    std::unique_ptr<TProjectFindReplace> FProjectFind;
    // Owned by the window; removed before the commands they show go.
    TFindBar* FFindBar = nullptr;
    TFindReplacePanel* FFindPanel = nullptr;
    std::unique_ptr<TSpellChecking> FSpellChecking;
};

} // namespace quillmark::gui
