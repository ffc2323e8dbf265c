#include "editor/FindInTopic.h"

#include "base/Json.h"
#include "base/TextUtils.h"
#include "base/Translation.h"
#include "editor/EditorBridge.h"

namespace quillmark {

TFindInTopic::TFindInTopic(TEditorBridge& bridge) : FBridge(bridge) {
    FBridge.SetOnFindResult([this](TEditorBridge&, int32_t count, int32_t active) {
        if (FOnResult)
            FOnResult(ResultText(count, active), count > 0);
    });
}

TFindInTopic::~TFindInTopic() { FBridge.SetOnFindResult(nullptr); }

std::string TFindInTopic::ResultText(int count, int active) {
    if (count <= 0)
        return Translate("No matches");
    return FormatText(Translate("%s of %s"),
                      {std::to_string(active > 0 ? active : 0), std::to_string(count)});
}

void TFindInTopic::Send(const std::string& text, bool matchCase, bool wholeWord,
                        const char* direction, int occurrence) {
    JsonValue arg = JsonValue::Object();
    arg.Add("text", JsonValue::String(text));
    arg.Add("matchCase", JsonValue::Boolean(matchCase));
    arg.Add("wholeWord", JsonValue::Boolean(wholeWord));
    arg.Add("direction", JsonValue::String(direction));
    arg.Add("occurrence", JsonValue::Integer(occurrence));
    // Finding changes nothing in the document.
    const TProgrammaticScope programmatic(FBridge);
    FBridge.ExecCommand("find", WriteJson(arg));
}

void TFindInTopic::Find(const TTextQuery& query, TFindDirection direction) {
    if (query.Text.empty()) {
        const TProgrammaticScope programmatic(FBridge);
        FBridge.ExecCommand("findClear");
        if (FOnResult)
            FOnResult("", false);
        return;
    }
    const char* word = direction == TFindDirection::Next       ? "next"
                       : direction == TFindDirection::Previous ? "previous"
                                                               : "here";
    Send(query.Text, query.MatchCase, query.WholeWord, word, -1);
}

void TFindInTopic::ShowOccurrence(const std::string& text, int occurrence) {
    Send(text, true, false, "occurrence", occurrence);
}

void TFindInTopic::Close() {
    const TProgrammaticScope programmatic(FBridge);
    FBridge.ExecCommand("findClose");
}

} // namespace quillmark
