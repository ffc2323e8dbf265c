#pragma once

#include "base/TextQuery.h"

#include <functional>
#include <string>

namespace quillmark {

class TEditorBridge;

enum class TFindDirection {
    Here,    // the first match from the one shown (or the caret): while typing
    Next,
    Previous,
};

// Find in the topic shown in the editor (Edit > Find, the find bar): the
// editor page searches its header and body as a reader sees them, marks
// every match, shows one and answers how many there are. The text and its
// options are the query's; a regular expression is not offered here.
class TFindInTopic {
public:
    // Takes over the bridge's find-result event.
    explicit TFindInTopic(TEditorBridge& bridge);
    ~TFindInTopic();
    TFindInTopic(const TFindInTopic&) = delete;
    TFindInTopic& operator=(const TFindInTopic&) = delete;

    // An empty text clears the marks (and the count).
    void Find(const TTextQuery& query, TFindDirection direction);
    // Shows the occurrence (0 for the first) of the exact text, case and
    // all: a match chosen in the project's search results.
    void ShowOccurrence(const std::string& text, int occurrence);
    // Finding ends: the marks go and the caret is put on the match shown.
    void Close();

    // Raised with the count's text ("3 of 12", "No matches") and whether
    // anything was found, each time the page answers.
    void SetOnResult(std::function<void(const std::string& text, bool found)> handler) {
        FOnResult = std::move(handler);
    }
    static std::string ResultText(int count, int active);

private:
    void Send(const std::string& text, bool matchCase, bool wholeWord, const char* direction,
              int occurrence);

    TEditorBridge& FBridge;
    std::function<void(const std::string&, bool)> FOnResult;
};

} // namespace quillmark
