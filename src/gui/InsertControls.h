#pragma once

class QMenu;

namespace quillmark {
class TInsertCommands;
}

namespace quillmark::gui {

class TfrmMain;

// Connects the Edit menu's items and the toolbar's insert controls (link,
// topic link, image, replace image, table, the table menu's arrow and "Add
// HTML...") to the insert commands, and gives the window its table menu
// (TableDropdownMenu), which the arrow button pops up below itself. The
// commands must outlive the window's signals (disconnect by destroying
// them after the window stops delivering events).
QMenu* ConnectInsertControls(TfrmMain& window, TInsertCommands& commands);

} // namespace quillmark::gui
