#pragma once

#include "app/WindowPorts.h"
#include "editor/EditorContentPorts.h"
#include "platform/ProcessRunner.h"
#include "platform/Shell.h"
#include "settings/ProjectSettings.h"

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace quillmark::testing {

// Prompts that record what was shown and answer from queues set up by the
// test. An empty answer queue gives the "cancel" answer (Cancel for a
// question, nullopt for an input or file dialog, false for settings).
class FakeUserPrompts final : public IUserPrompts {
public:
    struct Message {
        TMessageKind Kind;
        std::string Caption;
        std::string Text;
    };

    std::vector<Message> Messages;
    std::deque<TPromptButton> Answers;
    std::deque<std::optional<std::string>> Inputs;
    std::deque<std::optional<std::string>> OpenAnswers;
    std::deque<std::optional<std::string>> SaveAnswers;
    std::vector<TFileDialogRequest> OpenRequests;
    std::vector<TFileDialogRequest> SaveRequests;
    int SettingsDialogs = 0;
    bool ConfirmSettings = false;

    void ShowMessage(TMessageKind kind, const std::string& caption,
                     const std::string& text) override {
        Messages.push_back({kind, caption, text});
    }
    TPromptButton Ask(TMessageKind kind, const std::string& caption, const std::string& text,
                      const std::vector<TPromptButton>&) override {
        Messages.push_back({kind, caption, text});
        return Take(Answers, TPromptButton::Cancel);
    }
    std::optional<std::string> InputText(const std::string&, const std::string&,
                                         const std::string&) override {
        return Take(Inputs, std::optional<std::string>());
    }
    std::optional<std::string> OpenFile(const TFileDialogRequest& request) override {
        OpenRequests.push_back(request);
        return Take(OpenAnswers, std::optional<std::string>());
    }
    std::optional<std::string> SaveFile(const TFileDialogRequest& request) override {
        SaveRequests.push_back(request);
        return Take(SaveAnswers, std::optional<std::string>());
    }
    bool ExecuteProjectSettings(TProjectSettings&) override {
        ++SettingsDialogs;
        return ConfirmSettings;
    }

    // The texts shown with the kind, in order.
    std::vector<std::string> TextsOf(TMessageKind kind) const {
        std::vector<std::string> texts;
        for (const Message& message : Messages)
            if (message.Kind == kind)
                texts.push_back(message.Text);
        return texts;
    }

private:
    template <typename T> static T Take(std::deque<T>& queue, T fallback) {
        if (queue.empty())
            return fallback;
        T value = queue.front();
        queue.pop_front();
        return value;
    }
};

// A contents tree that keeps the nodes it was given and the selection.
class FakeTocTreeView final : public ITocTreeView {
public:
    std::vector<TTocNode> Nodes;
    std::string Selected;
    std::string DropTarget;
    std::string Editing;
    int Rebuilds = 0;

    void RebuildTree(const std::vector<TTocNode>& nodes) override {
        Nodes = nodes;
        Selected.clear();
        ++Rebuilds;
    }
    void SelectNode(const std::string& id) override {
        Selected.clear();
        for (const TTocNode& node : Nodes)
            if (node.Id == id)
                Selected = id;
    }
    std::string SelectedNodeId() const override { return Selected; }
    void SetNodeText(const std::string& id, const std::string& text) override {
        for (TTocNode& node : Nodes)
            if (node.Id == id)
                node.Title = text;
    }
    void EditNodeText(const std::string& id) override { Editing = id; }
    void SetDropTarget(const std::string& id) override { DropTarget = id; }

    // Titles in display order, children indented by two spaces per level.
    std::vector<std::string> Outline() const {
        std::vector<std::string> lines;
        for (const TTocNode& node : Nodes)
            lines.push_back(std::string(2 * node.Depth, ' ') + node.Title);
        return lines;
    }
};

// The window's controls as plain values.
class FakeMainWindowView final : public IMainWindowView {
public:
    std::string Title;
    std::string Status;
    bool SaveEnabled = false;
    std::string Homepage;
    int SettingsApplied = 0;
    bool PropertiesVisible = false;
    TTopicPropertyFields Properties;
    std::vector<std::string> StyleProfiles;
    int SelectedStyle = -1;
    std::string EditorPage;
    std::vector<std::string> Languages;
    int CheckedLanguage = -1;
    std::map<std::string, std::string> Captions;
    std::vector<bool> BusyChanges;

    void SetWindowTitle(const std::string& title) override { Title = title; }
    void SetStatusText(const std::string& text) override { Status = text; }
    void SetSaveEnabled(bool enabled) override { SaveEnabled = enabled; }
    void SetHomepageAddress(const std::string& address) override { Homepage = address; }
    void ApplySettingsToControls(const TProjectSettings&) override { ++SettingsApplied; }
    void SetPropertiesPanelVisible(bool visible) override { PropertiesVisible = visible; }
    void ShowTopicProperties(const TTopicPropertyFields& fields) override { Properties = fields; }
    TTopicPropertyFields ReadTopicProperties() const override { return Properties; }
    void SetStyleProfiles(const std::vector<std::string>& names, int selectedIndex) override {
        StyleProfiles = names;
        SelectedStyle = selectedIndex;
    }
    void NavigateToEditor(const std::string& pagePath) override { EditorPage = pagePath; }
    void SetLanguageMenu(const std::vector<std::string>& names, int checkedIndex) override {
        Languages = names;
        CheckedLanguage = checkedIndex;
    }
    void SetCaptions(const std::vector<TControlCaption>& captions) override {
        for (const TControlCaption& caption : captions)
            Captions[caption.Control] = caption.Text;
    }
    void SetBusy(bool busy) override { BusyChanges.push_back(busy); }
    void SetStartScreenVisible(bool visible) override { StartScreenVisible = visible; }
    bool StartScreenVisible = false;
    void ShowTopicPreview(const std::string& pagePath) override { Previews.push_back(pagePath); }
    std::vector<std::string> Previews;
};

// Records what the desktop was asked to open.
// An editor content whose readiness the test sets; it counts the commits
// and the requests to focus the editor and does nothing else.
class FakeEditorContent final : public IEditorContent {
public:
    bool Ready = true;
    int FocusRequests = 0;
    int Commits = 0;
    std::string Unsaved;

    bool IsEditorReady() const override { return Ready; }
    void SwitchToTopic(const std::string&) override {}
    void LoadTopicIntoEditor(const std::string&) override {}
    void CommitCurrentTopic() override { ++Commits; }
    void WaitForEditorHeader(int) override {}
    std::string GetCurrentTopicHtml() override { return ""; }
    void ForgetUnsavedText() override { Unsaved.clear(); }
    std::string UnsavedCurrentHtml() const override { return Unsaved; }
    void ClearCurrentTopic() override { Unsaved.clear(); }
    void ReplaceCurrentTopicHtml(const std::string&) override {}
    void RefreshDefaultHeader() override {}
    void ReloadHeader() override {}
    void FollowRenamedTitle(const std::string&, const std::string&) override {}
    void ApplyEditorBaseHref() override {}
    void ApplyEditorCss() override {}
    void ApplySettingsToEditor() override {}
    void FocusEditorLater() override { ++FocusRequests; }
};

class FakeShell final : public IShell {
public:
    std::vector<std::string> Opened;
    bool Result = true;
    bool Viewer = true;
    bool OpenPath(const std::string& pathOrUrl) override {
        Opened.push_back(pathOrUrl);
        return Result;
    }
    bool HasViewerFor(const std::string&) const override { return Viewer; }
};

// Records the programs run and answers with a fixed result; `OnRun` plays
// the program's part (writing its output file).
class FakeProcessRunner final : public IProcessRunner {
public:
    std::vector<TProcessRequest> Requests;
    TProcessResult Result{true, false, 0, ""};
    std::function<void(const TProcessRequest&)> OnRun;
    TProcessResult Run(const TProcessRequest& request) override {
        Requests.push_back(request);
        if (OnRun)
            OnRun(request);
        return Result;
    }
};

} // namespace quillmark::testing
