#pragma once

class QMenuBar;

namespace quillmark::gui {

// Gives the menu bar's menus and every menu's items Alt+letter access keys
// (WithAccessKeys) from their current captions. Run again after captions
// change (another interface language): captions it set itself are taken
// back to their plain text first.
void ApplyAccessKeys(QMenuBar& menuBar);

} // namespace quillmark::gui
