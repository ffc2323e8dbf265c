#pragma once

#include <QIcon>

namespace quillmark::gui {

// One of the program's own icons (src/gui/icons/<name>.svg), drawn sharp at
// any size and scale factor.
QIcon ProgramIcon(const char* name);

} // namespace quillmark::gui
