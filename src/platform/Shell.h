#pragma once

#include <string>

namespace quillmark {

// The desktop's opener: shows a file with its associated program, a folder in
// the file manager, or an address in the web browser.
class IShell {
public:
    virtual ~IShell() = default;
    // False when the desktop could not open it.
    virtual bool OpenPath(const std::string& pathOrUrl) = 0;
    // Whether the desktop has a program for this kind of file. Openers that
    // cannot tell answer true and let OpenPath report the failure.
    virtual bool HasViewerFor(const std::string& /*path*/) const { return true; }
};

} // namespace quillmark
