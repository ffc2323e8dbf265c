#include "gui/MainWindowComposition.h"

#include "app/FormattingToolbarHost.h"
#include "app/InsertCommands.h"
#include "app/MainWindow.h"
#include "app/ProjectFindReplace.h"
#include "app/ReusableContentCommand.h"
#include "editor/EditorBridge.h"
#include "editor/EditorContent.h"
#include "editor/FindInTopic.h"
#include "editor/FormattingToolbarLogic.h"
#include "base/Translation.h"
#include "gui/FindBar.h"
#include "gui/FindReplacePanel.h"
#include "gui/DesktopTheme.h"
#include "gui/FormattingToolbar.h"
#include "gui/GuiThreadPrompts.h"
#include "gui/InsertControls.h"
#include "gui/MainForm.h"
#include "gui/QtEditorPageChannel.h"
#include "gui/QtEventPump.h"
#include "gui/QtProgressDisplay.h"
#include "gui/QtShell.h"
#include "gui/QtTocTreeView.h"
#include "gui/QtText.h"
#include "gui/ReusableContentDialog.h"
#include "gui/SpellChecking.h"
#include "gui/TopicPickerDialog.h"
#include "platform/Clock.h"
#include "platform/ProcessRunner.h"

#include <QAction>
#include <QMenu>
#include <QApplication>
#include <QToolButton>
#include <QWebEngineView>

namespace quillmark::gui {

namespace {

// Focus requests are handled once the current window event is done, and
// only reach a browser control that can take the keyboard.
TEditorFocusPort EditorFocusPort(TfrmMain& window) {
    TEditorFocusPort port;
    port.Post = [&window](std::function<void()> handler) {
        QMetaObject::invokeMethod(&window, std::move(handler), Qt::QueuedConnection);
    };
    port.Focus = [&window] {
        QWebEngineView& edge = window.EdgeWebView();
        if (edge.isVisible() && edge.isEnabled())
            edge.setFocus(Qt::OtherFocusReason);
    };
    return port;
}

} // namespace

TMainWindowComposition::TMainWindowComposition(const TMainWindowPlaces& places,
                                               IUserPrompts* prompts)
    : FWindow(std::make_unique<TfrmMain>()), FShell(std::make_unique<TQtShell>()),
      FRunner(MakeSystemProcessRunner()), FEventPump(std::make_unique<TQtEventPump>()),
      FPageChannel(std::make_unique<TQtEditorPageChannel>(FWindow->EdgeWebView().page())),
      FBridge(std::make_unique<TEditorBridge>(FPageChannel.get())),
      FClock(std::make_unique<TSteadyClock>()),
      FPrompts(std::make_unique<TGuiThreadPrompts>(prompts != nullptr ? *prompts
                                                                      : FWindow->Prompts())),
      FProgress(std::make_unique<TQtProgressDisplay>(FWindow.get())) {
    // Publishing runs off the window's thread and may ask (a help compiler
    // that is missing): its prompts come back to the window's thread.
    TMainWindowPorts ports{*FWindow, FWindow->Tree(), *FPrompts, *FShell, *FRunner, *FClock};
    FLogic = std::make_unique<TMainWindow>(ports, places);
    FLogic->SetProgressDisplay(*FProgress);
    auto editor = std::make_unique<TEditorContent>(*FLogic, *FBridge, *FClock, *FEventPump,
                                                   EditorFocusPort(*FWindow));
    editor->SetDarkDesktop(IsDarkPalette(QApplication::palette()));
    FEditorContent = editor.get();
    FLogic->SetEditorContent(std::move(editor));
    FPageChannel->SetErrorHandler([window = FWindow.get()](const std::string& message) {
        window->ShowUnexpectedError(message);
    });
    FWindow->SetLogic(FLogic.get());
    ConnectReusableContentCommand(prompts != nullptr ? *prompts : FWindow->Prompts());
    ConnectInsertCommands(prompts != nullptr ? *prompts : FWindow->Prompts());
    ConnectFormattingToolbar();
    ConnectFindCommands();
    ConnectSpellChecking();
}

void TMainWindowComposition::ConnectFindCommands() {
    FFinder = std::make_unique<TFindInTopic>(*FBridge);
    FProjectFind = std::make_unique<TProjectFindReplace>(*FLogic, FFinder.get());
    FFindBar = new TFindBar(*FFinder, FWindow.get());
    FWindow->AddAboveEditor(FFindBar);
    FFindPanel = new TFindReplacePanel(*FProjectFind, FWindow.get());
    FWindow->addDockWidget(Qt::RightDockWidgetArea, FFindPanel);
    FFindPanel->hide();
    QObject::connect(FFindBar, &TFindBar::closed, FWindow.get(),
                     [editor = FEditorContent] { editor->FocusEditorLater(); });

    QMenu* edit = FWindow->MenuNamed("Edit1");
    edit->addSeparator();
    QAction* find = edit->addAction(ToQString(Translate("Find...")), FFindBar, &TFindBar::Open);
    find->setObjectName(QStringLiteral("Find1"));
    find->setShortcut(QKeySequence::Find);
    QAction* replace = edit->addAction(ToQString(Translate("Find and Replace...")), FFindPanel,
                                       &TFindReplacePanel::Open);
    replace->setObjectName(QStringLiteral("FindReplace1"));
    replace->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F));
}

void TMainWindowComposition::ConnectSpellChecking() {
    FSpellChecking = std::make_unique<TSpellChecking>(*FWindow, *FLogic, *FBridge, *FRunner);
    QObject::connect(FWindow.get(), &TfrmMain::settingsApplied, FSpellChecking.get(),
                     &TSpellChecking::Refresh);
}

void TMainWindowComposition::ConnectFormattingToolbar() {
    TFormattingToolbar& toolbar = FWindow->FormattingToolbar();
    FToolbarHost = std::make_unique<TMainWindowToolbarHost>(*FLogic);
    FToolbarLogic = std::make_unique<TFormattingToolbarLogic>(toolbar, *FToolbarHost, *FClock);
    FToolbarLogic->SetBridge(FBridge.get());
    // Filled before FormCreate, so that the project's settings find the
    // entries they select.
    FToolbarLogic->InitFormattingToolbar();
    toolbar.Connect(FToolbarLogic.get(), [window = FWindow.get()](const std::string& message) {
        window->ShowUnexpectedError(message);
    });
    FBridge->SetOnCursorStyle(
        [logic = FToolbarLogic.get()](TEditorBridge&, const TEditorCursorStyle& S) {
            logic->BridgeCursorStyle(S);
        });
    FEditorContent->SetOnSettingsApplied([this](std::uint64_t startTick) {
        FToolbarLogic->NoteSettingsApplied(FLogic->State().FSettings, startTick);
    });
}

void TMainWindowComposition::ConnectInsertCommands(IUserPrompts& prompts) {
    FTopicPicker = std::make_unique<TQtTopicPicker>(FWindow.get());
    FInsertCommands =
        std::make_unique<TInsertCommands>(*FLogic, FBridge.get(), prompts, *FTopicPicker);
    ConnectInsertControls(*FWindow, *FInsertCommands);
}

void TMainWindowComposition::ConnectReusableContentCommand(IUserPrompts& prompts) {
    FReusableDialog = std::make_unique<TQtReusableContentDialog>(FWindow.get());
    FReusableCommand = std::make_unique<TReusableContentCommand>(*FLogic, *FReusableDialog, prompts,
                                                                 [this] { return FBridge.get(); });
    const auto run = [command = FReusableCommand.get()] {
        command->btnVariablesConditionsSnippetsClick();
    };
    QObject::connect(FWindow->ActionNamed("VariablesSnippetsConditions1"), &QAction::triggered,
                     FWindow.get(), run);
    QObject::connect(FWindow->ProjectButton("btnVariablesConditionsSnippets"),
                     &QToolButton::clicked, FWindow.get(), run);
}

TMainWindowComposition::~TMainWindowComposition() {
    // The window forwards events to the logic: disconnect before either goes.
    FWindow->SetLogic(nullptr);
    FWindow->FormattingToolbar().Connect(nullptr);
    FBridge->SetOnCursorStyle(nullptr);
    FEditorContent->SetOnSettingsApplied(nullptr);
    FToolbarLogic.reset();
    delete FFindBar;
    delete FFindPanel;
    FProjectFind.reset();
    FFinder.reset();
    FSpellChecking.reset();
    FReusableCommand.reset();
    FInsertCommands.reset();
    FLogic.reset();
    FEditorContent = nullptr;
    FBridge.reset();
    FPageChannel.reset();
    FProgress.reset();
}

void TMainWindowComposition::Start(const std::vector<std::string>& arguments) {
    FLogic->FormCreate(arguments);
}

} // namespace quillmark::gui
