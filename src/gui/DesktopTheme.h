#pragma once

#include <QPalette>

namespace quillmark::gui {

// Whether the palette is a dark one. Qt 6.4 has no colour-scheme query:
// the lightness of the window colour tells.
inline bool IsDarkPalette(const QPalette& palette) {
    return palette.color(QPalette::Window).lightness() < 128;
}

} // namespace quillmark::gui
