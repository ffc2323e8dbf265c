#pragma once

#include "app/WindowPorts.h"

#include <QMainWindow>
#include <functional>
#include <map>
#include <memory>
#include <string>

class QAction;
class QLabel;
class QMenu;
class QSplitter;
class QStackedWidget;
class QTimer;
class QToolButton;
class QWebEngineView;

namespace quillmark {
class TMainWindow;
}

namespace quillmark::gui {

class TFormattingToolbar;
class THomepageLabel;
class TQtTocTreeView;
class TQtUserPrompts;
class TStartScreen;
class TTopicPreviewWindow;
class TTopicPropertiesPanel;

// The main window (TfrmMain): project buttons and the contents tree on the
// left, the formatting toolbar above the editor on the right, the topic
// properties panel beside the editor, the status bar with the home-page link
// at the bottom. It shows what the window logic (TMainWindow) tells it and
// forwards every command, click and key to it.
class TfrmMain final : public QMainWindow, public IMainWindowView {
    Q_OBJECT
public:
    TfrmMain();
    ~TfrmMain() override;

    // The logic that receives the window's events; without one (before the
    // composition connects it, or after it is gone) events do nothing.
    void SetLogic(TMainWindow* logic);

    TQtTocTreeView& Tree() { return *tvToc; }
    IUserPrompts& Prompts();
    // The browser control that shows the editor page (the control "Edge").
    QWebEngineView& EdgeWebView() { return *FEdgeWebView; }
    TFormattingToolbar& FormattingToolbar() { return *FToolbar; }
    TTopicPropertiesPanel& PropertiesPanel() { return *FProperties; }
    // The menu item or project button with the name ("Save1", "btnSave").
    QAction* ActionNamed(const std::string& name) const;
    QToolButton* ProjectButton(const std::string& name) const;
    QMenu* MenuNamed(const std::string& name) const;
    QString StatusText() const;

    // Puts a bar (the find bar) between the formatting toolbar and the editor.
    void AddAboveEditor(QWidget* bar);

    // Reports an error that escaped a forwarded event in an error box.
    void ShowUnexpectedError(const std::string& message);

    // IMainWindowView
    void SetWindowTitle(const std::string& title) override;
    void SetStatusText(const std::string& text) override;
    void SetSaveEnabled(bool enabled) override;
    void SetHomepageAddress(const std::string& address) override;
    void ApplySettingsToControls(const TProjectSettings& settings) override;
    void SetPropertiesPanelVisible(bool visible) override;
    void ShowTopicProperties(const TTopicPropertyFields& fields) override;
    TTopicPropertyFields ReadTopicProperties() const override;
    void SetStyleProfiles(const std::vector<std::string>& names, int selectedIndex) override;
    void NavigateToEditor(const std::string& pagePath) override;
    void SetLanguageMenu(const std::vector<std::string>& names, int checkedIndex) override;
    void SetCaptions(const std::vector<TControlCaption>& captions) override;
    void SetBusy(bool busy) override;
    void SetStartScreenVisible(bool visible) override;
    void ShowTopicPreview(const std::string& pagePath) override;

    // The start screen appears when the program starts without a project;
    // without this call (the tests' windows) the editor is shown at once.
    void EnableStartScreen() { FStartScreenEnabled = true; }
    TStartScreen& StartScreen() { return *FStartScreen; }
    TTopicPreviewWindow* PreviewWindow() { return FPreview; }

signals:
    // The project's settings reached the controls: a project was opened or
    // its settings changed.
    void settingsApplied();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    using TCommand = void (TMainWindow::*)();

    void BuildMenus();
    void BuildLeftPanel(QSplitter* splitter);
    void BuildRightSide(QSplitter* splitter);
    void BuildStatusBar();
    void ConnectEvents();
    QMenu* AddMenu(QMenu* parent, const char* name, const char* caption);
    QAction* AddAction(QMenu* menu, const char* name, const char* caption,
                       const char* icon = nullptr, const QKeySequence& shortcut = {});
    QToolButton* AddProjectButton(const char* name, const char* icon, const char* hint);
    void ApplyLeftPanelWidth();
    // MainFormSession.cpp: the recent projects, the start screen, the
    // preview window and the autosave timer.
    QWidget* WithStartScreen(QWidget* editorSide);
    void ConnectSessionEvents();
    void Forward(const std::function<void(TMainWindow&)>& event);
    // A slot that runs the logic's command through Forward.
    std::function<void()> Forwarder(TCommand command);

    TMainWindow* FLogic = nullptr;
    std::unique_ptr<TQtUserPrompts> FPrompts;
    std::map<std::string, QAction*> FActions;
    std::map<std::string, QMenu*> FMenus;
    std::map<std::string, QToolButton*> FProjectButtons;
    QWidget* pnlLeft = nullptr;
    TQtTocTreeView* tvToc = nullptr;
    TFormattingToolbar* FToolbar = nullptr;
    QWebEngineView* FEdgeWebView = nullptr;
    TTopicPropertiesPanel* FProperties = nullptr;
    QSplitter* FMainSplitter = nullptr;
    QSplitter* FEditorSplitter = nullptr;
    QWidget* pnlRight = nullptr;
    QLabel* FStatusText = nullptr;
    THomepageLabel* lbHomepageURL = nullptr;
    QStackedWidget* FRightStack = nullptr;
    TStartScreen* FStartScreen = nullptr;
    TTopicPreviewWindow* FPreview = nullptr;
    QTimer* FAutosaveTimer = nullptr;
    bool FStartScreenEnabled = false;
    int FBusyDepth = 0;
    bool FLeftWidthApplied = false;

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace quillmark::gui
