#include "publish/BrowserLocator.h"

#include "base/FileHelpers.h"
#include "platform/ProgramSearch.h"

#include <cstdlib>

namespace quillmark {

std::string FindEdgeOrChromium(const std::function<std::string(const char* name)>& getEnv) {
    const std::string path = getEnv("PATH");
    const std::string chosen = getEnv("QUILLMARK_BROWSER");
    if (!chosen.empty()) {
        // Named on purpose: used even when it cannot be found, so that the
        // start failure names it.
        const std::string found = FindProgramOnPath(chosen, path);
        return found.empty() ? chosen : found;
    }
    for (const char* installed :
         {"C:\\Program Files (x86)\\Microsoft\\Edge\\Application\\msedge.exe",
          "C:\\Program Files\\Microsoft\\Edge\\Application\\msedge.exe",
          "/opt/microsoft/msedge/msedge"})
        if (FileExists(installed))
            return installed;
    for (const char* name : {"microsoft-edge", "chromium", "chromium-browser", "google-chrome"}) {
        const std::string found = FindProgramOnPath(name, path);
        if (!found.empty())
            return found;
    }
    return {};
}

std::string FindEdgeOrChromium() {
    return FindEdgeOrChromium([](const char* name) {
        const char* value = std::getenv(name);
        return std::string(value ? value : "");
    });
}

} // namespace quillmark
