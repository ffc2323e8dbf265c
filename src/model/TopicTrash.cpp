#include "model/TopicTrash.h"

#include "base/FileHelpers.h"
#include "base/QuillError.h"
#include "base/TextUtils.h"
#include "base/Translation.h"
#include "model/HeaderFiles.h"
#include "model/ProjectLinks.h"

#include <algorithm>
#include <filesystem>
#include <memory>

namespace quillmark {

namespace {

namespace fs = std::filesystem;

// The topic and its descendants, parents before their children; the visited
// check ends the walk on child lists that form a cycle.
std::vector<TTopic> SubtreeOf(const TDocProject& project, const std::string& id) {
    std::vector<TTopic> topics;
    std::vector<std::string> pending{id};
    std::vector<std::string> seen;
    while (!pending.empty()) {
        const std::string current = pending.back();
        pending.pop_back();
        if (!project.HasTopic(current) ||
            std::find(seen.begin(), seen.end(), current) != seen.end())
            continue;
        seen.push_back(current);
        topics.push_back(project.GetTopic(current));
        const std::vector<std::string>& children = topics.back().FChildren;
        pending.insert(pending.end(), children.rbegin(), children.rend());
    }
    return topics;
}

// The files of one topic below the project folder, relative to it.
std::vector<std::string> TopicFiles(const std::string& rootPath, const std::string& id) {
    const std::string root = IncludeTrailingPathDelimiter(rootPath);
    std::vector<std::string> files;
    for (const std::string& path : {root + "topics/" + id + ".html", HeaderHtmlPath(root, id),
                                    HeaderBgPath(root, id)})
        if (StartsWith(path, root))
            files.push_back(path.substr(root.size()));
    return files;
}

// Moves a file (or the link in its place) when it exists; false when it
// does not.
bool MoveIfPresent(const std::string& from, const std::string& to) {
    std::error_code ec;
    if (!fs::is_symlink(from, ec) && !fs::exists(from, ec))
        return false;
    fs::create_directories(fs::path(to).parent_path(), ec);
    fs::rename(from, to, ec);
    if (ec)
        throw QuillError(FormatText(Translate("Cannot move the file %s: %s"), {from, ec.message()}));
    return true;
}

int PositionIn(const std::vector<std::string>& list, const std::string& id) {
    const auto found = std::find(list.begin(), list.end(), id);
    return found == list.end() ? static_cast<int>(list.size())
                               : static_cast<int>(found - list.begin());
}

} // namespace

std::string TrashFolderPath(const std::string& rootPath) {
    return IncludeTrailingPathDelimiter(rootPath) + "internal/trash/";
}

void TTopicTrash::MoveToTrash(TDocProject& project, const std::string& id,
                              std::map<std::string, std::string>& unsavedHtml) {
    if (!project.HasTopic(id))
        return;
    const std::string root = IncludeTrailingPathDelimiter(project.FRootPath);
    RequireFolderInsideProject(root, TrashFolderPath(root));

    TTrashedSubtree entry;
    entry.Topics = SubtreeOf(project, id);
    entry.ParentID = entry.Topics.front().FParentID;
    const std::vector<std::string>& siblings =
        entry.ParentID.empty() || !project.HasTopic(entry.ParentID)
            ? project.FRootTopicIDs
            : project.GetTopic(entry.ParentID).FChildren;
    entry.Position = PositionIn(siblings, id);
    entry.FolderName = std::to_string(FNextFolder++);

    // Every file moves before the tree changes; a failure puts the moved
    // ones back, so the topics never lose their files.
    const std::string trash = TrashFolderPath(root) + entry.FolderName + "/";
    std::vector<std::string> moved;
    try {
        for (const TTopic& topic : entry.Topics)
            for (const std::string& file : TopicFiles(root, topic.FID))
                if (MoveIfPresent(root + file, trash + file))
                    moved.push_back(file);
    } catch (...) {
        for (const std::string& file : moved) {
            std::error_code ignored;
            fs::rename(trash + file, root + file, ignored);
        }
        throw;
    }
    for (const TTopic& topic : entry.Topics) {
        const auto unsaved = unsavedHtml.find(topic.FID);
        if (unsaved != unsavedHtml.end()) {
            entry.UnsavedHtml.insert(*unsaved);
            unsavedHtml.erase(unsaved);
        }
    }
    project.DeleteTopic(id);
    FEntries.push_back(std::move(entry));
}

std::string TTopicTrash::Restore(TDocProject& project, size_t index,
                                 std::map<std::string, std::string>& unsavedHtml) {
    if (index >= FEntries.size())
        return "";
    TTrashedSubtree& entry = FEntries[index];
    for (const TTopic& topic : entry.Topics)
        if (project.HasTopic(topic.FID))
            throw QuillError(
                FormatText(Translate("The topic cannot be restored: %s exists already."),
                           {topic.FTitle}));
    const std::string root = IncludeTrailingPathDelimiter(project.FRootPath);
    RequireProjectFoldersInside(root);

    const std::string trash = TrashFolderPath(root) + entry.FolderName + "/";
    for (const TTopic& topic : entry.Topics)
        for (const std::string& file : TopicFiles(root, topic.FID))
            MoveIfPresent(trash + file, root + file);

    TTopic top = entry.Topics.front();
    if (!top.FParentID.empty() && !project.HasTopic(top.FParentID))
        top.FParentID.clear();
    std::vector<std::string>& list =
        top.FParentID.empty() ? project.FRootTopicIDs : project.GetTopic(top.FParentID).FChildren;
    const size_t position =
        top.FParentID == entry.ParentID
            ? std::min(static_cast<size_t>(std::max(entry.Position, 0)), list.size())
            : list.size();
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(position), top.FID);
    const std::string restored = top.FID;
    entry.Topics.front() = std::move(top);
    for (TTopic& topic : entry.Topics) {
        topic.FHtmlPath = project.TopicPagePath(topic.FID);
        project.FTopics.Add(std::make_unique<TTopic>(std::move(topic)));
    }
    for (auto& [id, html] : entry.UnsavedHtml)
        unsavedHtml[id] = std::move(html);

    std::error_code ignored;
    fs::remove_all(ExcludeTrailingPathDelimiter(trash), ignored);
    FEntries.erase(FEntries.begin() + static_cast<std::ptrdiff_t>(index));
    return restored;
}

std::string TTopicTrash::RestoreLatest(TDocProject& project,
                                       std::map<std::string, std::string>& unsavedHtml) {
    return FEntries.empty() ? "" : Restore(project, FEntries.size() - 1, unsavedHtml);
}

void TTopicTrash::Empty(const std::string& rootPath) {
    FEntries.clear();
    FNextFolder = 1;
    if (rootPath.empty())
        return;
    // The folder itself may be a link: it is removed, never what it leads to.
    std::error_code ignored;
    fs::remove_all(ExcludeTrailingPathDelimiter(TrashFolderPath(rootPath)), ignored);
}

} // namespace quillmark
