#include "editor/EditorMessageTap.h"

#include "base/Json.h"
#include "base/JsonRead.h"
#include "base/TextUtils.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace quillmark {

namespace {

constexpr std::string_view kHtmlResponse = "htmlresponse";

bool ContainsIgnoringCase(std::string_view text, std::string_view word) {
    return std::search(text.begin(), text.end(), word.begin(), word.end(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == b;
           }) != text.end();
}

} // namespace

bool TEditorMessageTap::IsHtmlResponse(const std::string& messageJson) {
    // Pages of 50 KB and more pass here; most messages are ruled out without
    // parsing them.
    if (!ContainsIgnoringCase(messageJson, kHtmlResponse))
        return false;
    try {
        const std::optional<JsonValue> message = ParseJson(messageJson);
        return message && message->IsObject() &&
               AsciiSameText(ReadJsonText(&*message, "type", ""), kHtmlResponse);
    } catch (const JsonTooDeepError&) {
        return false;
    }
}

void TEditorMessageTap::SetMessageHandler(TMessageHandler handler) {
    FInner.SetMessageHandler([this, handler = std::move(handler)](const std::string& json) {
        // Deliveries nest when a handler pumps events; each one restores the
        // state of the delivery it interrupted.
        const bool outer = FDeliveringHtmlResponse;
        FDeliveringHtmlResponse = IsHtmlResponse(json);
        try {
            if (handler)
                handler(json);
        } catch (...) {
            FDeliveringHtmlResponse = outer;
            throw;
        }
        FDeliveringHtmlResponse = outer;
    });
}

} // namespace quillmark
