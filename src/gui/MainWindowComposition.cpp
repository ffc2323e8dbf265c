#include "gui/MainWindowComposition.h"

#include "app/MainWindow.h"
#include "gui/MainForm.h"
#include "gui/QtEditorPageChannel.h"
#include "gui/QtEventPump.h"
#include "gui/QtShell.h"
#include "gui/QtTocTreeView.h"
#include "platform/ProcessRunner.h"

#include <QWebEngineView>

namespace quillmark::gui {

TMainWindowComposition::TMainWindowComposition(const TMainWindowPlaces& places,
                                               IUserPrompts* prompts)
    : FWindow(std::make_unique<TfrmMain>()), FShell(std::make_unique<TQtShell>()),
      FRunner(MakeSystemProcessRunner()), FEventPump(std::make_unique<TQtEventPump>()),
      FPageChannel(std::make_unique<TQtEditorPageChannel>(FWindow->Edge().page())) {
    TMainWindowPorts ports{*FWindow, FWindow->Tree(),
                           prompts != nullptr ? *prompts : FWindow->Prompts(), *FShell, *FRunner};
    FLogic = std::make_unique<TMainWindow>(ports, places);
    FPageChannel->SetErrorHandler([window = FWindow.get()](const std::string& message) {
        window->ShowUnexpectedError(message);
    });
    FWindow->SetLogic(FLogic.get());
}

TMainWindowComposition::~TMainWindowComposition() {
    // The window forwards events to the logic: disconnect before either goes.
    FWindow->SetLogic(nullptr);
    FPageChannel.reset();
    FLogic.reset();
}

void TMainWindowComposition::Start(const std::vector<std::string>& arguments) {
    FLogic->FormCreate(arguments);
}

} // namespace quillmark::gui
