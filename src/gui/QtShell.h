#pragma once

#include "platform/Shell.h"

namespace quillmark::gui {

// Opens files, folders and web addresses with the desktop's opener.
class TQtShell final : public IShell {
public:
    bool OpenPath(const std::string& pathOrUrl) override;
};

} // namespace quillmark::gui
