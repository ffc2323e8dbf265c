#include "app/MainWindow.h"
#include "app/LastTopics.h"
#include "app/TopicDeletion.h"
#include "base/TextUtils.h"
#include "base/Translation.h"
#include "model/ProjectStorage.h"
#include "model/TopicTreeOrder.h"

#include <algorithm>

namespace quillmark {

namespace {

// The list that holds the topic: its parent's children, or the root list.
const std::vector<std::string>& ListHolding(const TDocProject& project, const TTopic& topic) {
    if (topic.FParentID.empty() || !project.HasTopic(topic.FParentID))
        return project.FRootTopicIDs;
    return project.GetTopic(topic.FParentID).FChildren;
}

int PositionIn(const std::vector<std::string>& list, const std::string& id) {
    const auto found = std::find(list.begin(), list.end(), id);
    return found == list.end() ? -1 : static_cast<int>(found - list.begin());
}

} // namespace

void TMainWindow::RebuildTree() {
    std::vector<TTocNode> nodes;
    for (const TTopicTreeEntry& entry : TopicTreeOrder(FState.FProject))
        nodes.push_back({entry.Id, FState.FProject.GetTopic(entry.Id).FTitle, entry.Depth});
    FPorts.Tree.RebuildTree(nodes);
}

std::string TMainWindow::SelectedTopicID() const {
    return FPorts.Tree.SelectedNodeId();
}

std::string TMainWindow::SelectedKnownTopic() const {
    const std::string id = SelectedTopicID();
    return FState.FProject.HasTopic(id) ? id : "";
}

void TMainWindow::SelectTopicNode(const std::string& topicId) {
    FPorts.Tree.SelectNode(topicId);
    tvTocChange(FPorts.Tree.SelectedNodeId());
}

void TMainWindow::SelectFirstNode() {
    const std::vector<TTopicTreeEntry> order = TopicTreeOrder(FState.FProject);
    if (!order.empty())
        SelectTopicNode(order.front().Id);
}

void TMainWindow::SelectStartNode() {
    const std::string last = LastTopicOf(FPlaces.UserSettingsFile, FState.FProjectFileName);
    if (!last.empty() && FState.FProject.HasTopic(last))
        SelectTopicNode(last);
    else
        SelectFirstNode();
}

void TMainWindow::tvTocChange(const std::string& topicId) {
    CloseStartScreen();
    Guarded([&] {
        FEditor->SwitchToTopic(topicId);
        if (FPreviewOpen)
            ShowPreview();
    });
    RememberLastTopic(FPlaces.UserSettingsFile, FState.FProjectFileName,
                      FState.FCurrentTopicID);
}

void TMainWindow::AddTopicCommand(bool rootTopic) {
    Guarded([&] {
        const std::string parent = rootTopic ? "" : SelectedTopicID();
        const std::optional<std::string> title = FPorts.Prompts.InputText(
            Translate("New Topic"), Translate("Title:"), Translate("New Topic"));
        if (!title)
            return;
        const std::string id = FState.FProject.AddTopic(*title, parent).FID;
        SaveProjectFolder(FState.FProject);
        RebuildTree();
        SelectTopicNode(id);
        FEditor->LoadTopicIntoEditor(id);
        MarkProjectDirty();
    });
}

void TMainWindow::btnDeleteTopicClick() {
    Guarded([&] {
        const std::string id = SelectedTopicID();
        if (id.empty())
            return;
        if (!FState.FProject.HasTopic(id))
            return;
        if (FPorts.Prompts.Ask(TMessageKind::Warning, kApplicationTitle,
                               DeleteTopicQuestion(FState, id),
                               {TPromptButton::Yes, TPromptButton::No}) != TPromptButton::Yes)
            return;
        // The editor's unsaved text goes into the cache first: the current
        // topic's stays for the next save, a deleted one's goes with it
        // into the trash.
        FEditor->CommitCurrentTopic();
        FTrash.MoveToTrash(FState.FProject, id, FState.FUnsavedTopicHtml);
        SaveProjectFolder(FState.FProject);
        RebuildTree();
        FEditor->ClearCurrentTopic();
        SelectFirstNode();
    });
}

void TMainWindow::Rename1Click() {
    Guarded([&] {
        const std::string id = SelectedKnownTopic();
        if (id.empty())
            return;
        const std::optional<std::string> title = FPorts.Prompts.InputText(
            Translate("Rename Topic"), Translate("Title:"), FState.FProject.GetTopic(id).FTitle);
        if (!title)
            return;
        tvTocEdited(id, *title);
    });
}

void TMainWindow::EditSelectedTopicTitle() {
    const std::string id = SelectedKnownTopic();
    if (!id.empty())
        FPorts.Tree.EditNodeText(id);
}

void TMainWindow::tvTocEdited(const std::string& topicId, const std::string& text) {
    if (topicId.empty() || !FState.FProject.HasTopic(topicId))
        return;
    TTopic& topic = FState.FProject.GetTopic(topicId);
    if (Trim(text).empty()) {
        // A topic without a title cannot be found in the contents or the
        // outputs: the tree shows the title it keeps.
        FPorts.Tree.SetNodeText(topicId, topic.FTitle);
        FPorts.Prompts.ShowWarning(Translate("A topic needs a title."));
        return;
    }
    const std::string oldTitle = topic.FTitle;
    topic.FTitle = text;
    FPorts.Tree.SetNodeText(topicId, text);
    MarkProjectDirty();
    Guarded([&] { FEditor->FollowRenamedTitle(topicId, oldTitle); });
}

void TMainWindow::FinishMove(const std::string& topicId, bool markDirty) {
    if (markDirty)
        MarkProjectDirty();
    SaveProjectFolder(FState.FProject);
    RebuildTree();
    FPorts.Tree.SelectNode(topicId);
    // The moved topic was the current one before the move; selecting its
    // node again changes nothing in the editor, so no switch runs.
    if (FState.FCurrentTopicID != topicId)
        tvTocChange(topicId);
}

void TMainWindow::MoveSelectedBy(int delta) {
    Guarded([&] {
        const std::string id = SelectedKnownTopic();
        if (id.empty())
            return;
        const TTopic& topic = FState.FProject.GetTopic(id);
        const std::vector<std::string>& list = ListHolding(FState.FProject, topic);
        const int position = PositionIn(list, id);
        const int target = position + delta;
        if (position < 0 || target < 0 || target >= static_cast<int>(list.size()))
            return;
        FState.FProject.MoveTopic(id, topic.FParentID, target);
        FinishMove(id, true);
    });
}

void TMainWindow::Up1Click() {
    MoveSelectedBy(-1);
}

void TMainWindow::Down1Click() {
    MoveSelectedBy(1);
}

void TMainWindow::ChangeParent1Click() {
    Guarded([&] {
        const std::string id = SelectedKnownTopic();
        if (id.empty())
            return;
        TDocProject& project = FState.FProject;
        const std::string oldParent = project.GetTopic(id).FParentID;
        if (oldParent.empty())
            return;
        const std::string newParent =
            project.HasTopic(oldParent) ? project.GetTopic(oldParent).FParentID : "";
        const std::vector<std::string>& list = newParent.empty() || !project.HasTopic(newParent)
                                                   ? project.FRootTopicIDs
                                                   : project.GetTopic(newParent).FChildren;
        const int position = PositionIn(list, oldParent);
        const int index = position < 0 ? static_cast<int>(list.size()) : position + 1;
        project.MoveTopic(id, newParent, index);
        FinishMove(id, true);
    });
}

void TMainWindow::tvTocStartDrag() {
    FDragNodeID = SelectedTopicID();
    FDropTargetID.clear();
}

bool TMainWindow::tvTocDragOver(const std::string& targetId, int labelTop, int labelHeight, int y) {
    if (!CanDropTopicOn(FState.FProject, FDragNodeID, targetId)) {
        FDropTargetID.clear();
        FPorts.Tree.SetDropTarget("");
        return false;
    }
    FDropMode = DropModeForOffset(y - labelTop, labelHeight);
    FDropTargetID = targetId;
    FPorts.Tree.SetDropTarget(targetId);
    return true;
}

void TMainWindow::tvTocDragDrop(const std::string& pointTargetId) {
    Guarded([&] {
        const std::string dragged = FDragNodeID;
        const std::string target = FDropTargetID.empty() ? pointTargetId : FDropTargetID;
        tvTocEndDrag();
        if (!CanDropTopicOn(FState.FProject, dragged, target))
            return;
        const TDropPlacement placement = DropPlacement(FState.FProject, dragged, target, FDropMode);
        FState.FProject.MoveTopic(dragged, placement.NewParentID, placement.InsertIndex);
        FinishMove(dragged, false);
    });
}

void TMainWindow::tvTocEndDrag() {
    FDropTargetID.clear();
    FPorts.Tree.SetDropTarget("");
}

} // namespace quillmark
