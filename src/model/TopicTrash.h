#pragma once

#include "model/DocProject.h"
#include "model/Topic.h"

#include <map>
#include <string>
#include <vector>

namespace quillmark {

// One deleted topic with its subtree, as the trash keeps it until it is
// restored or the project is closed.
struct TTrashedSubtree {
    // The deleted topic first, then its descendants (parents before their
    // children), each as it was in the tree.
    std::vector<TTopic> Topics;
    // Where the deleted topic stood: its parent (empty: a root topic) and
    // its position in that list.
    std::string ParentID;
    int Position = 0;
    // The folder below internal/trash/ that holds the subtree's files.
    std::string FolderName;
    // Unsaved page text of topics in the subtree, by identifier: it comes
    // back into the window's cache with them.
    std::map<std::string, std::string> UnsavedHtml;
};

// The project trash: deleting a topic moves its subtree's pages and header
// files into internal/trash/ instead of removing them, so the delete can be
// undone until the project is closed. Publishing, the link check and the
// orphan-page check never look there. The trash of a closed project is
// emptied for good (Empty).
class TTopicTrash {
public:
    // Removes the topic and its descendants from the tree and moves their
    // page and header files into a new folder of internal/trash/; the
    // unsaved text of the subtree's topics is taken out of `unsavedHtml` and
    // kept with them. An unknown identifier does nothing. Fails, with the
    // tree unchanged, when the trash folder lies behind a link leading out
    // of the project.
    void MoveToTrash(TDocProject& project, const std::string& id,
                     std::map<std::string, std::string>& unsavedHtml);

    bool IsEmpty() const { return FEntries.empty(); }
    // Deleted subtrees, the most recent last.
    const std::vector<TTrashedSubtree>& Entries() const { return FEntries; }

    // Puts the entry (by its index in Entries) back: the topics at their old
    // place (the end of the root list when the parent is gone meanwhile),
    // their files where they were, their unsaved text into `unsavedHtml`.
    // Returns the restored topic's identifier.
    std::string Restore(TDocProject& project, size_t index,
                        std::map<std::string, std::string>& unsavedHtml);
    // Restores the most recent entry; empty when the trash is empty.
    std::string RestoreLatest(TDocProject& project,
                              std::map<std::string, std::string>& unsavedHtml);

    // Forgets every entry and deletes the project's internal/trash/ folder
    // with what it holds (errors ignored: a later open removes it again).
    void Empty(const std::string& rootPath);

private:
    std::vector<TTrashedSubtree> FEntries;
    int FNextFolder = 1;
};

// internal/trash/ of the project folder.
std::string TrashFolderPath(const std::string& rootPath);

} // namespace quillmark
