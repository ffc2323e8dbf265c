#pragma once

#include <functional>
#include <string>

namespace quillmark {

// The headless browser that prints the PDF manual: the program named by
// QUILLMARK_BROWSER when set, else Microsoft Edge at its installed places,
// else the first of "microsoft-edge", "chromium", "chromium-browser" and
// "google-chrome" on PATH. Empty when there is none.
std::string FindEdgeOrChromium();
std::string FindEdgeOrChromium(const std::function<std::string(const char* name)>& getEnv);

} // namespace quillmark
