#pragma once

#include "base/Color.h"

#include <QComboBox>

namespace quillmark::gui {

// A colour selector: a drop-down of named colours (the standard and
// extended sets and the system colours, by name) and a "Custom..." entry
// that opens the colour chooser. A colour that has no name is shown as a
// custom entry of its own.
class TColorSelector final : public QComboBox {
    Q_OBJECT
public:
    explicit TColorSelector(QWidget* parent = nullptr);

    // Shows the colour: a system colour by its name, any other by the first
    // named colour of the same RGB value, otherwise as the custom entry.
    void SetSelected(TColor color);
    TColor Selected() const;

private:
    void EntryActivated(int index);
    int CustomIndex() const;
    int ChooserIndex() const { return count() - 1; }
    void SetCustomColor(TColor color);

    int FLastIndex = 0;
};

} // namespace quillmark::gui
