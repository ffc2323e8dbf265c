#pragma once

#include "app/MainWindowState.h"
#include "app/ProgressDisplay.h"
#include "app/PublishFlow.h"
#include "app/RecentProjects.h"
#include "app/RecoveryFile.h"
#include "app/TocDropZones.h"
#include "app/WindowPorts.h"
#include "editor/EditorContentPorts.h"
#include "model/TopicTrash.h"
#include "publish/HelpCompiler.h"
#include "publish/OutputFormat.h"

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace quillmark {

class IClock;
class IProcessRunner;
class IShell;

// The window-side objects the logic talks to.
struct TMainWindowPorts {
    IMainWindowView& View;
    ITocTreeView& Tree;
    IUserPrompts& Prompts;
    IShell& Shell;
    IProcessRunner& Runner;
    IClock& Clock;
};

// The folders and files outside the project that the window uses.
struct TMainWindowPlaces {
    std::string ProgramFolder;    // the program's files (AppFiles, styles, manual)
    std::string WorkspaceFolder;  // the scratch project, with a trailing delimiter
    std::string LastProjectFile;  // holds the path of the last opened project
    std::string UserSettingsFile; // per-user INI: interface language, compiler
    THelpCompilerPlaces CompilerPlaces;
};

// The places of the running program: program folder, the per-user
// application folder (APPDATA honoured) and its settings file.
TMainWindowPlaces SystemMainWindowPlaces();

// The logic of the main window: the open project, its settings and caches,
// the modified flag, and every command of the window's menus, buttons and
// contents tree. The Qt window forwards its events here (the handlers carry
// the window's names) and shows what the ports are told. Every handler
// shows an error that ends it in an error box and returns normally.
class TMainWindow final : public IEditorContentHost {
public:
    TMainWindow(TMainWindowPorts ports, TMainWindowPlaces places);
    ~TMainWindow() override;
    TMainWindow(const TMainWindow&) = delete;
    TMainWindow& operator=(const TMainWindow&) = delete;

    // Replaces the editor content (before FormCreate). Until then the window
    // uses one without an editor page, which keeps pages as files only.
    void SetEditorContent(std::unique_ptr<IEditorContent> editor);
    IEditorContent& Editor() { return *FEditor; }
    // The display of long work (publishing). Until one is set, work runs
    // without a display.
    void SetProgressDisplay(IProgressDisplay& display) { FProgress = &display; }

    TMainWindowState& State() override { return FState; }
    const TMainWindowState& State() const { return FState; }

    // ------------------------------------------------ start-up, workspace
    // Chooses the project (command-line argument, last project, workspace),
    // prepares the window and loads the editor page. A project that cannot
    // be opened is reported and the workspace is used instead; only a
    // workspace that cannot be made raises an error.
    void FormCreate(const std::vector<std::string>& arguments);
    // Whether the window may close (asks to save unsaved changes).
    bool FormCloseQuery();
    // The window closes: the project's trash is emptied for good.
    void FormClose();
    // A path that came from outside, trimmed, without stray quotes or a
    // "file://" prefix, made absolute.
    static std::string NormalizePath(const std::string& text);
    // Deletes the workspace with its content (errors ignored) and creates it
    // again empty; returns its path.
    std::string ResetWorkspaceFolder();
    void StartWorkspaceProject();
    void CopyProgramFiles();
    std::string EditorPagePath() const;

    void UserManual1Click();
    void VisitWebsite1Click();
    void ContactUs1Click();
    void About1Click();

    // --------------------------------------------------- project commands
    void btnNewProjectClick();
    void btnOpenProjectClick();
    void btnSaveClick();
    void btnSaveAsClick();
    void OpenOutputFolder1Click();
    // File > Import > Markdown Folder...: the chosen folder's pages become
    // root topics (the tree is saved), then the report.
    void ImportMarkdownFolder1Click();

    // Makes the project of the file current. Fails (and leaves the current
    // project as it was) when the file or its folder cannot be read.
    void OpenProject(const std::string& fileName);
    // The unsaved-changes prompt; true when the pending command may go on.
    bool ConfirmSaveChanges();
    void WritePendingFiles();
    void LoadProjectSettings();
    void WriteTopicPage(const std::string& topicId, const std::string& html);
    // What Save Project writes into the project folder: the editor's page
    // and header, the cached pages and pending files, project.json and
    // meta/topics.json. The project file, the modified flag, the status text
    // and Save As are left to the caller.
    void SaveProjectContent();
    void ApplySettingsToWindow();

    void MarkProjectDirty() override;
    void UpdateWindowTitle();
    void SetStatusText(const std::string& text) override;

    // Project settings command (toolbar and Tools menu).
    void btnProjectSettingsClick();

    // ------------------------------------------------------ contents tree
    void RebuildTree();
    std::string SelectedTopicID() const;
    // Selects the topic's node and makes it current in the editor.
    void SelectTopicNode(const std::string& topicId);
    // The user selected a node (empty: the selection became empty).
    void tvTocChange(const std::string& topicId);

    void btnNewRootTopicClick() { AddTopicCommand(true); }
    void btnNewSubTopicClick() { AddTopicCommand(false); }
    void btnDeleteTopicClick();
    void Rename1Click();
    // Starts in-place editing of the selected node (F2).
    void EditSelectedTopicTitle();
    void tvTocEdited(const std::string& topicId, const std::string& text);
    void Up1Click();
    void Down1Click();
    void ChangeParent1Click();
    // Edit > Undo Delete: the most recently deleted topic comes back with
    // its subtree, pages, header files and unsaved text.
    void UndoDelete1Click();
    bool CanUndoDelete() const { return !FTrash.IsEmpty(); }
    const TTopicTrash& Trash() const { return FTrash; }

    // Drag and drop inside the tree. DragOver gets the node under the
    // pointer, the top and height of its label and the pointer's y, all in
    // tree coordinates; it returns whether a drop is possible there. Drop
    // gets the node under the pointer (empty: none).
    void tvTocStartDrag();
    bool tvTocDragOver(const std::string& targetId, int labelTop, int labelHeight, int y);
    void tvTocDragDrop(const std::string& pointTargetId);
    void tvTocEndDrag();

    // -------------------------------------------------- properties panel
    void TopicProperties1Click();
    bool PropertiesPanelVisible() const { return FPropertiesVisible; }
    void ShowTopicProperties(const std::string& topicId) override;
    void StoreTopicProperties(const std::string& topicId);
    // Stores what the panel holds for the topic it shows when that differs
    // from the topic (typed without Apply): before the panel shows another
    // topic, before saving and before the project is closed.
    void KeepTypedTopicProperties();
    void btnApplyPropsClick();
    // Fills in the next free numbers for the panel's help IDs without one.
    void btnAssignHelpNumbersClick();
    void FillStyleProfiles();
    void cbStyleChange(const std::string& profile);

    // --------------------------------------------------------- language
    void BuildLanguageMenu();
    void LanguageMenuItemClick(int index);
    void TranslateMainWindow();

    // --------------------------------------------------------- publishing
    void btnExportWebClick();
    void btnExportChmClick();
    void btnExportPdfClick();
    void PublishAll1Click();
    void btnCheckLinksClick();
    // Publish > Save Help ID Map...: the map as a header, JSON or CSV file,
    // the format chosen by the file's extension.
    void SaveHelpIdMap1Click();

    // The job that publishes the named output format of the open project.
    TPublishJob PublishJobFor(const char* formatName);
    // Publishes the jobs (from the saved project) under the progress
    // display, sets the status line and opens what the author chose.
    void PublishWithProgress(const std::vector<TPublishJob>& jobs);

    // ------------------------------------------- autosave, crash recovery
    // Called every few seconds: writes the unsaved page text to the
    // project's recovery file when it changed.
    void AutosaveTimerTick();

    // ------------------------------------------------------------ preview
    // Topic > Preview: the current topic as the WebHelp site publishes it,
    // with the editor's unsaved text; shown again after every save and
    // topic switch while the preview window is open.
    void Preview1Click();
    void PreviewClosed() { FPreviewOpen = false; }

    // -------------------------------------- recent projects, start screen
    std::vector<TRecentProject> RecentProjects() const;
    // Opens a project of the recent list; a missing one is offered for
    // removal from the list instead.
    void OpenRecentProject(const std::string& fileName);
    void RemoveRecentProject(const std::string& fileName);
    void RemoveMissingRecentProjects();
    // Opens the author's own copy of the sample project (made from the one
    // beside the program when there is none yet).
    void OpenSampleProject();
    // The start screen goes; the editor shows the current project.
    void CloseStartScreen();

private:
    void PublishFormats(std::initializer_list<const char*> formatNames);
    // Runs a command; an error that leaves it is shown in an error box.
    void Guarded(const std::function<void()>& command);

    // Save Project; false when the Save As dialog was cancelled.
    bool SaveProject();
    bool SaveProjectAs();
    // Forgets everything unsaved and that any topic was current: before
    // another project becomes current.
    void DiscardUnsavedState();
    // Saves FSettings to the project's settings file; a failure is ignored.
    void SaveSettingsQuietly();
    // After the settings dialog was confirmed: save, apply to window and
    // editor, and give an empty current topic the new default paragraph.
    void ApplyConfirmedSettings(bool writeEmptyPageAtOnce);
    // Remembers the current project as the last one and first in the
    // recent list; failures are ignored.
    void WriteLastProjectFile();
    // What an export of the open project needs: the saved project is
    // published, the outside programs run.
    TPublishContext PublishContext();
    bool TryOpenStartProject(const std::string& candidate);
    void SelectFirstNode();
    // The topic the author last had open in this project, else the first.
    void SelectStartNode();
    // After a project was opened: offers the unsaved text its recovery file
    // holds (a crash ended the last session) for restoring.
    void OfferRecovery();
    // The unsaved text was saved or discarded: the recovery file goes.
    void ClearRecovery();
    // Writes and shows the preview of the current topic, when there is one.
    void ShowPreview();

    void AddTopicCommand(bool rootTopic);
    // The selected topic when the model knows it; empty otherwise.
    std::string SelectedKnownTopic() const;
    void MoveSelectedBy(int delta);
    void FinishMove(const std::string& topicId, bool markDirty);

    TMainWindowPorts FPorts;
    TMainWindowPlaces FPlaces;
    TMainWindowState FState;
    std::unique_ptr<IEditorContent> FEditor;
    TSilentProgressDisplay FSilentProgress;
    IProgressDisplay* FProgress = &FSilentProgress;
    std::vector<std::string> FStyleProfiles;
    bool FPropertiesVisible = false;
    std::string FPropertiesTopicID;         // the topic the properties panel shows
    TTopicPropertyFields FPropertiesShown;  // what the panel was filled with
    std::string FDragNodeID;
    std::string FDropTargetID;
    TDropMode FDropMode = TDropMode::dmChild;
    TTopicTrash FTrash;
    bool FPreviewOpen = false;
    TAutosave FAutosave;
};

} // namespace quillmark
