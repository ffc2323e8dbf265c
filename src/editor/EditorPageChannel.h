#pragma once

#include <functional>
#include <string>

namespace quillmark {

// The one way between the program and the editor page inside the embedded
// browser: scripts go in (run without waiting for a result), page messages
// come out as their JSON text.
class IEditorPageChannel {
public:
    using TMessageHandler = std::function<void(const std::string& messageJson)>;

    virtual ~IEditorPageChannel() = default;
    // Loads the page at `url` (a file URL) into the browser.
    virtual void Navigate(const std::string& url) = 0;
    virtual void ExecuteScript(const std::string& script) = 0;
    // Replaces the handler that receives every message the page posts.
    virtual void SetMessageHandler(TMessageHandler handler) = 0;
};

} // namespace quillmark
