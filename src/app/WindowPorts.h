#pragma once

#include "app/MainWindowState.h"

#include <optional>
#include <string>
#include <vector>

namespace quillmark {

class TProjectSettings;

// The interfaces through which the main-window logic reaches the window.
// The Qt window implements them; tests use the fakes of
// tests/FakeWindowPorts.h. Every text handed over is UTF-8 and already
// translated; line breaks inside messages are "\r\n".

// ---------------------------------------------------------------- prompts

enum class TMessageKind { Information, Warning, Error, Confirmation };

enum class TPromptButton { Yes, No, Cancel, OK };

// One file dialog. `Filter` is a list of description and pattern pairs
// separated by "|": "Help Project (*.hff)|*.hff|All files (*.*)|*.*"; one
// pattern entry may hold several patterns separated by ";".
struct TFileDialogRequest {
    std::string Title; // empty: the toolkit's default title
    std::string Filter;
    std::string DefaultExt;        // without the dot; added when the typed name has no extension
    std::string InitialFolder;     // empty: the toolkit's choice
    std::string FileName;          // preset name (without folder, or a full path)
    bool MustExist = false;        // open dialog: only an existing file can be chosen
    bool ConfirmOverwrite = false; // save dialog: ask before an existing file is replaced
    bool ChooseFolder = false;     // open dialog: an existing folder is chosen, not a file
};

// Modal questions and messages. Each call returns only when the user has
// answered.
class IUserPrompts {
public:
    virtual ~IUserPrompts() = default;

    // A message box of the kind with an OK button.
    virtual void ShowMessage(TMessageKind kind, const std::string& caption,
                             const std::string& text) = 0;

    // A message box of the kind with the buttons in the order given; returns
    // the one pressed. Closing the box without a button gives Cancel when
    // Cancel is offered, otherwise No. A warning's question (something is
    // about to be lost) has No as its default button, so that Enter keeps.
    virtual TPromptButton Ask(TMessageKind kind, const std::string& caption,
                              const std::string& text,
                              const std::vector<TPromptButton>& buttons) = 0;

    // A one-line input box; nullopt when cancelled. The text comes back
    // exactly as typed (also empty).
    virtual std::optional<std::string> InputText(const std::string& caption,
                                                 const std::string& prompt,
                                                 const std::string& initialText) = 0;

    // File dialogs; the chosen full path, or nullopt when cancelled.
    virtual std::optional<std::string> OpenFile(const TFileDialogRequest& request) = 0;
    virtual std::optional<std::string> SaveFile(const TFileDialogRequest& request) = 0;

    // The project settings dialog on a copy of the settings: true when the
    // author confirmed it, with `settings` then holding the edited values.
    virtual bool ExecuteProjectSettings(TProjectSettings& settings) = 0;

    void ShowInformation(const std::string& text) {
        ShowMessage(TMessageKind::Information, kApplicationTitle, text);
    }
    void ShowWarning(const std::string& text) {
        ShowMessage(TMessageKind::Warning, kApplicationTitle, text);
    }
    void ShowError(const std::string& text) {
        ShowMessage(TMessageKind::Error, kApplicationTitle, text);
    }
};

// ---------------------------------------------------------- contents tree

// One node of the contents tree, in display order: depth first, a parent
// before its children. Depth 0 is a root topic.
struct TTocNode {
    std::string Id;
    std::string Title;
    int Depth = 0;
};

// The contents tree control. Programmatic changes (rebuild, select) are not
// reported back: the logic runs the topic switch itself. Only selections
// made by the user are forwarded to TMainWindow::tvTocChange.
class ITocTreeView {
public:
    virtual ~ITocTreeView() = default;

    // Empties the tree and builds it from the nodes, repainting once.
    // Nothing is selected afterwards. The view keeps the expanded state of
    // nodes it showed before (by identifier); new nodes show expanded.
    virtual void RebuildTree(const std::vector<TTocNode>& nodes) = 0;

    // Selects the node of the identifier and scrolls it into view (its
    // ancestors expanded); an empty or unknown identifier clears the
    // selection.
    virtual void SelectNode(const std::string& id) = 0;

    // The identifier of the selected node; empty when none is selected.
    virtual std::string SelectedNodeId() const = 0;

    // Sets the text of the node of the identifier.
    virtual void SetNodeText(const std::string& id, const std::string& text) = 0;

    // Starts in-place editing of the node's text; the end of the edit is
    // forwarded to TMainWindow::tvTocEdited.
    virtual void EditNodeText(const std::string& id) = 0;

    // Highlights the node as the drop target of a drag; empty clears it.
    virtual void SetDropTarget(const std::string& id) = 0;
};

// ------------------------------------------------------------ main window

// The controls of the topic properties panel. The two multi-line boxes hold
// one entry per line, lines separated by "\n".
struct TTopicPropertyFields {
    std::string Keywords;
    std::string IndexEntries;
    bool ExcludeWeb = false;
    bool ExcludeChm = false;
    bool ExcludePdf = false;
    std::string HelpIds; // HelpIdLines
};

// A translated caption (menu item, page) or hint (button) of a control,
// named as the window names it ("File1", "btnSave").
struct TControlCaption {
    std::string Control;
    std::string Text;
    bool IsHint = false;
};

class IMainWindowView {
public:
    virtual ~IMainWindowView() = default;

    virtual void SetWindowTitle(const std::string& title) = 0;
    // The single text of the status bar.
    virtual void SetStatusText(const std::string& text) = 0;
    // The Save button and the "Save Project" menu item.
    virtual void SetSaveEnabled(bool enabled) = 0;
    // The address shown in the link label at the bottom.
    virtual void SetHomepageAddress(const std::string& address) = 0;

    // ApplySettingsToWindow's part on the controls: toolbar text colour,
    // font name, size and line spacing boxes, contents tree font colour
    // and size (points), left panel background. The controls changed here
    // send nothing to the editor.
    virtual void ApplySettingsToControls(const TProjectSettings& settings) = 0;

    // The topic properties panel ("Topic > Properties...").
    virtual void SetPropertiesPanelVisible(bool visible) = 0;
    virtual void ShowTopicProperties(const TTopicPropertyFields& fields) = 0;
    virtual TTopicPropertyFields ReadTopicProperties() const = 0;
    // Fills the style-profile list and selects the entry (-1: none).
    virtual void SetStyleProfiles(const std::vector<std::string>& names, int selectedIndex) = 0;

    // Loads the editor page (a local file path; the view makes it a file
    // URL) into the browser control.
    virtual void NavigateToEditor(const std::string& pagePath) = 0;

    // The Language menu: one item per language, the checked one (-1: none).
    virtual void SetLanguageMenu(const std::vector<std::string>& names, int checkedIndex) = 0;
    // Captions and hints in the current interface language.
    virtual void SetCaptions(const std::vector<TControlCaption>& captions) = 0;

    // The busy cursor while a command blocks the window (CHM export).
    virtual void SetBusy(bool busy) = 0;
    // The start screen (new, open, recent and sample projects) in the
    // editor's place; shown when the program started without a project.
    virtual void SetStartScreenVisible(bool visible) = 0;
    // Shows (or reloads) the topic preview page in the preview window; the
    // window's closing is forwarded to TMainWindow::PreviewClosed.
    virtual void ShowTopicPreview(const std::string& pagePath) = 0;
};

} // namespace quillmark
