#pragma once

#include "editor/EditorPageChannel.h"

#include <string>

namespace quillmark {

// A page channel that passes everything through to another one and notes
// whether the page message being delivered is an "htmlResponse". The bridge
// reports "htmlResponse" and a program-made "htmlChanged" through the same
// event; the editor content asks here to tell an answer to its own
// "getHtml" from a change report.
class TEditorMessageTap final : public IEditorPageChannel {
public:
    explicit TEditorMessageTap(IEditorPageChannel& inner) : FInner(inner) {}

    void Navigate(const std::string& url) override { FInner.Navigate(url); }
    void ExecuteScript(const std::string& script) override { FInner.ExecuteScript(script); }
    void SetMessageHandler(TMessageHandler handler) override;

    // Whether the message being delivered is a JSON object whose "type" is
    // "htmlResponse" (ASCII case ignored, as the bridge reads it).
    bool DeliveringHtmlResponse() const { return FDeliveringHtmlResponse; }

    static bool IsHtmlResponse(const std::string& messageJson);

private:
    IEditorPageChannel& FInner;
    bool FDeliveringHtmlResponse = false;
};

} // namespace quillmark
