#pragma once

#include "base/Color.h"
#include "settings/ProjectSettings.h"

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quillmark {

// The kinds of control the project settings dialog edits a setting with.
enum class TSettingControl {
    Edit,         // a one-line text box
    Hidden,       // a text box that is not shown: it carries the value through
                  // the dialog and stands in for an empty visible control
    FontList,     // the installed font families
    EditableList, // a list whose text may also be typed (the row's Items)
    ColorBox,     // a colour selector
    CheckBox,     // a check box with the setting's caption
    WordList,     // the setting's words
};

// One control of the dialog, in the order the dialog shows them.
struct TSettingsDialogRow {
    const char* Section; // heading of the section the row opens; null: none
    const char* Control; // the control's name ("edTocTextSize")
    TSettingControl Kind;
    std::string_view Setting;                     // the setting (TSettingField::Name) it edits
    int Width = 0;                                // pixels at 96 dots per inch
    std::span<const std::string_view> Items = {}; // EditableList: the entries
};

// The dialog's controls; a setting added later needs one row here.
std::span<const TSettingsDialogRow> SettingsDialogRows();

// What one control holds.
struct TSettingControlValue {
    std::string Text;     // text boxes and lists: the text (a list with
                          // nothing selected has empty text)
    TColor Color = 0;     // colour selectors
    bool Checked = false; // check boxes
    int Index = -1;       // word lists: the selected word, -1 none
};

// The values of every control of the dialog, the hidden ones included, by
// control name.
using TProjectSettingsControls = std::map<std::string, TSettingControlValue, std::less<>>;

// The 19 body sizes offered.
std::span<const std::string_view> BodyFontSizeItems();

// The font list: sorted without regard to case, each name once.
std::vector<std::string> SortedFontFamilies(std::vector<std::string> families);

// The family name a browser knows for a toolkit's family entry: without the
// foundry the toolkit adds when several foundries make a family
// ("URW Gothic [urw]", "Standard Symbols PS [URW ]") and trimmed.
std::string PlainFontFamily(std::string_view family);

// How a font box shows a font the computer lacks: the name and the family
// it is shown in, translated ("Segoe UI (not installed, shown as DejaVu Sans)").
std::string MissingFontCaption(const std::string& family, const std::string& standIn);

// The line spacing as the dialog and the toolbar show it: shortest decimal
// form with a point (1.5, 1.25, 2).
std::string LineSpacingText(double lineSpacing);

// The trimmed text as a decimal integer with an optional sign; nothing for
// any other text or a value outside 32 bits.
std::optional<int32_t> ParseWholeNumber(std::string_view text);
// The trimmed text, every "," read as ".", as a decimal number: digits with
// an optional sign and fraction. Nothing for any other text.
std::optional<double> ParseDecimalNumber(std::string_view text);

// The controls showing the settings; `fontItems` is the dialog's font list.
TProjectSettingsControls LoadControls(const TProjectSettings& settings,
                                      const std::vector<std::string>& fontItems);

// Validates the controls and, when every value is valid, writes them into
// `settings`, held to the settings' ranges. A setting takes the trimmed text
// of its visible control, or of its hidden one when that is empty. At the
// first value that is not a number where one is needed, nothing is written
// and the name of the setting's control is returned.
std::optional<std::string> StoreControls(const TProjectSettingsControls& controls,
                                         TProjectSettings& settings);

} // namespace quillmark
