#pragma once

#include "base/Color.h"

#include <optional>
#include <string>
#include <vector>

namespace quillmark {

class TProjectSettings;

// The toggle and radio buttons of the formatting toolbar.
enum class TToolbarButton {
    btnBold,
    btnItalic,
    btnUnderline,
    btnUL,
    btnOL,
    btnAlignLeft,
    btnAlignCenter,
    btnAlignRight,
};

// The five boxes of the formatting toolbar. The size and line-spacing boxes
// are editable; the others are lists only.
enum class TToolbarBox { cmbLineSpacing, cbTextColor, cmbHeading, cmbTextFont, cmbFontSize };

// The formatting toolbar's controls as the toolbar logic sees them. Changes
// made through this interface are never reported back as user actions.
class IFormattingToolbarView {
public:
    virtual ~IFormattingToolbarView() = default;

    // The names of the installed screen fonts, in any order.
    virtual std::vector<std::string> InstalledFontNames() const = 0;
    // The installed family the font system shows a missing font in.
    virtual std::string FontStandIn(const std::string& family) const = 0;
    // The font box selects no entry and shows the caption instead (a font
    // that is not installed); picking an entry replaces it.
    virtual void ShowFontNotInList(const std::string& caption) = 0;

    virtual bool ButtonDown(TToolbarButton button) const = 0;
    virtual void SetButtonDown(TToolbarButton button, bool down) = 0;

    // The entries of a list box (not the colour box).
    virtual void SetItems(TToolbarBox box, const std::vector<std::string>& items) = 0;
    virtual int ItemCount(TToolbarBox box) const = 0;
    virtual std::string ItemCaption(TToolbarBox box, int index) const = 0;
    // The selected entry; -1 when none.
    virtual int ItemIndex(TToolbarBox box) const = 0;
    // Selects an entry (-1: none). In an editable box the text becomes the
    // entry's caption (empty for -1), as the toolkit's boxes do.
    virtual void SetItemIndex(TToolbarBox box, int index) = 0;
    // The text shown in an editable box; the selected caption otherwise.
    virtual std::string BoxText(TToolbarBox box) const = 0;
    // Sets the text of an editable box without changing the selection.
    virtual void SetBoxText(TToolbarBox box, const std::string& text) = 0;
    // The box (or its text field) has the keyboard focus.
    virtual bool BoxFocused(TToolbarBox box) const = 0;
    // The box's list is open.
    virtual bool BoxDroppedDown(TToolbarBox box) const = 0;

    // The colour box: the selected colour, and selecting one (a colour
    // without an entry of its own gets a custom entry).
    virtual TColor SelectedTextColor() const = 0;
    virtual void SelectTextColor(TColor color) = 0;
    // The user has picked the "Custom..." entry of the colour box.
    virtual bool CustomColorEntrySelected() const = 0;
    // Asks for a custom colour, starting from the colour shown before the
    // custom entry was picked. On OK the colour box selects the colour and
    // it is returned; on cancel the box returns to the colour it showed
    // before and nothing is returned.
    virtual std::optional<TColor> ChooseCustomTextColor() = 0;
};

// What the toolbar logic needs from the window around it.
class IFormattingToolbarHost {
public:
    virtual ~IFormattingToolbarHost() = default;
    // The editor page has reported "ready"; no command is sent before.
    virtual bool IsEditorReady() const = 0;
    // Keyboard focus back to the editor once the current event is done.
    virtual void FocusEditorLater() = 0;
    // The project's settings (heading and body sizes for the heading box).
    virtual const TProjectSettings& Settings() const = 0;
};

} // namespace quillmark
