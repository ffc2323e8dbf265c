#pragma once

#include "base/TextQuery.h"
#include "model/ProjectSearch.h"

#include <string>
#include <vector>

namespace quillmark {

class TFindInTopic;
class TMainWindow;

// What a find or replace command tells the author: a translated line for
// the panel's status, and whether the command failed (a pattern that does
// not compile, a match that is gone).
struct TFindReplaceStatus {
    std::string Text;
    bool Failed = false;
};

// Find and replace across the open project (Edit > Find and Replace). The
// search reads what the author sees: unsaved pages from the editor and the
// unsaved-page cache, the others from their files, and the header areas.
// A replacement changes text only (never a tag or an attribute), goes into
// the unsaved-page cache (pages), the header files (headers, as the editor
// writes them) or the tree (titles), shows at once in the editor, marks the
// project modified, and can be undone as one step.
class TProjectFindReplace {
public:
    // `finder` shows a chosen match inside the editor page; may be null.
    TProjectFindReplace(TMainWindow& window, TFindInTopic* finder);

    // Searches the project; the results stay until the next search and are
    // renewed after every replacement.
    TFindReplaceStatus Search(const TTextQuery& query, bool titles);
    const std::vector<TTopicHits>& Results() const { return FResults; }

    TFindReplaceStatus ReplaceHit(size_t topicIndex, size_t hitIndex,
                                  const std::string& replacement);
    TFindReplaceStatus ReplaceInTopic(size_t topicIndex, const std::string& replacement);
    TFindReplaceStatus ReplaceAll(const std::string& replacement);

    // Whether the last replacement can be undone; undoing restores every
    // field it changed that nobody has changed since (the others are left
    // alone and counted in the status).
    bool CanUndo() const { return !FUndo.empty(); }
    TFindReplaceStatus UndoReplace();

    // Makes the hit's topic current and shows the match in the editor.
    void OpenHit(size_t topicIndex, size_t hitIndex);

private:
    // Runs a command; a failure becomes the status.
    TFindReplaceStatus Run(const std::function<TFindReplaceStatus()>& command);
    // The editor's page and header into the cache and header files, so
    // that the texts read next are the author's latest.
    void CommitEditor();
    TFindReplaceStatus Replace(const std::vector<std::string>& topicIds,
                               const std::string& replacement, const TSearchHit* onlyHit);
    void Apply(const std::string& topicId, TSearchField field, const std::string& text);
    std::string CurrentText(const std::string& topicId, TSearchField field);
    std::vector<TTopicHits> SearchAgain();

    TMainWindow& FWindow;
    TFindInTopic* FFinder;
    TTextQuery FQuery;
    bool FTitles = false;
    bool FSearched = false;
    std::vector<TTopicHits> FResults;
    std::vector<TTopicTextChange> FUndo;
};

} // namespace quillmark
