#pragma once

class QWidget;

namespace quillmark::gui {

// A value box in a scrolling form (combo box, spin box) changes with the
// mouse wheel only once the author clicked or tabbed into it; otherwise the
// wheel scrolls the form as if the box were not there.
void TakeWheelOnlyWhenFocused(QWidget& box);

} // namespace quillmark::gui
