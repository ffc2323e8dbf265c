#pragma once

#include "base/Json.h"
#include "editor/EditorPageChannel.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quillmark::testing {

// A page channel without a browser: it records every script and navigation,
// lets a test post page messages, and can answer scripts as a page would
// (through `Responder`, called for each script after it is recorded).
class FakeEditorPage final : public IEditorPageChannel {
public:
    void Navigate(const std::string& url) override { NavigatedUrls.push_back(url); }
    void ExecuteScript(const std::string& script) override {
        Scripts.push_back(script);
        if (Responder)
            Responder(script);
    }
    void SetMessageHandler(TMessageHandler handler) override { handler_ = std::move(handler); }

    bool HasHandler() const { return static_cast<bool>(handler_); }

    // Delivers a message as the page would post it (its JSON text).
    void Post(const std::string& messageJson) {
        if (handler_)
            handler_(messageJson);
    }

    // The JSON message inside a receive-function script, or nothing when the
    // script is not one.
    static std::optional<JsonValue> MessageOf(const std::string& script) {
        const std::string head = "window.__sv_recv && window.__sv_recv(\"";
        const std::string tail = "\");";
        if (script.rfind(head, 0) != 0 || script.size() < head.size() + tail.size() ||
            script.compare(script.size() - tail.size(), tail.size(), tail) != 0)
            return std::nullopt;
        const std::string literal =
            script.substr(head.size(), script.size() - head.size() - tail.size());
        std::string json;
        for (size_t i = 0; i < literal.size(); ++i) {
            if (literal[i] != '\\' || i + 1 == literal.size()) {
                json += literal[i];
                continue;
            }
            const char next = literal[++i];
            json += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
        }
        return ParseJson(json);
    }

    // The messages of every receive-function script sent so far, in order.
    std::vector<JsonValue> Messages() const {
        std::vector<JsonValue> messages;
        for (const std::string& script : Scripts)
            if (auto message = MessageOf(script))
                messages.push_back(std::move(*message));
        return messages;
    }

    std::vector<std::string> Scripts;
    std::vector<std::string> NavigatedUrls;
    std::function<void(const std::string& script)> Responder;

private:
    TMessageHandler handler_;
};

} // namespace quillmark::testing
