#pragma once

#include "platform/Shell.h"

namespace quillmark::gui {

// Opens files, folders and web addresses with the desktop's opener.
class TQtShell final : public IShell {
public:
    bool OpenPath(const std::string& pathOrUrl) override;
    // Asks the desktop's MIME database (xdg-mime) for a default program.
    bool HasViewerFor(const std::string& path) const override;
};

} // namespace quillmark::gui
