#pragma once

#include <memory>
#include <string>
#include <vector>

namespace quillmark {
class IProcessRunner;
class IUserPrompts;
class TMainWindow;
struct TMainWindowPlaces;
} // namespace quillmark

namespace quillmark::gui {

class TQtEditorPageChannel;
class TQtEventPump;
class TQtShell;
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

private:
    std::unique_ptr<TfrmMain> FWindow;
    std::unique_ptr<TQtShell> FShell;
    std::unique_ptr<IProcessRunner> FRunner;
    std::unique_ptr<TQtEventPump> FEventPump;
    std::unique_ptr<TQtEditorPageChannel> FPageChannel;
    std::unique_ptr<TMainWindow> FLogic;
};

} // namespace quillmark::gui
