#pragma once

#include "base/Color.h"
#include "settings/ProjectSettings.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillmark {

// The values of the project settings dialog's controls, named after them.
// The lists are given by the text or index they show.
struct TProjectSettingsControls {
    std::string edProjTitle;
    // Hidden boxes: they carry the heading sizes through the dialog and
    // stand in for the body size and font name when the lists are empty.
    std::string edH1;
    std::string edH2;
    std::string edH3;
    std::string edBody;
    std::string edFontName;
    // The chosen font family; empty when the stored font is not installed.
    std::string cmbFontName;
    std::string cmbBodyFontSize;
    TColor cbTextColor = 0;
    std::string edLineSpacing;
    TColor cbPageBg = 0;
    TColor cbHeaderBg = 0;
    TColor cbTocTextColor = 0;
    std::string edTocTextSize;
    bool chkCopyright = false;
    std::string edCopyrightText;
    TColor cbLinkColor = 0;
    int cmbLinkStyle = -1; // index into LinkStyleItems(); -1 none
    TColor cbTableBorderColor = 0;
    int cmbTableBorderStyle = -1; // index into TableBorderStyleItems(); -1 none
    std::string edTableBorderWidth;
    // The printed manual.
    int cmbPdfPaperSize = 0; // index into PdfPaperSizeItems()
    std::string edPdfMarginTop;
    std::string edPdfMarginBottom;
    std::string edPdfMarginInner;
    std::string edPdfMarginOuter;
    std::string edPdfCoverSubtitle;
    std::string edPdfCoverVersion;
    std::string edPdfCoverPicture;
};

// The control whose text was not a valid number.
enum class TInvalidSettingsField {
    None,
    HeadingSizes,
    BodyFontSize,
    LineSpacing,
    TocTextSize,
    TableBorderWidth,
    PdfMargins,
};

// The 19 body sizes, the link styles, the table border styles and the paper
// sizes of the printed manual offered.
const std::vector<std::string>& BodyFontSizeItems();
const std::vector<std::string>& LinkStyleItems();
const std::vector<std::string>& TableBorderStyleItems();
const std::vector<std::string>& PdfPaperSizeItems();

// The font list: sorted without regard to case, each name once.
std::vector<std::string> SortedFontFamilies(std::vector<std::string> families);

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
// `settings` (with the ranges applied). At the first invalid value nothing
// is written and that field is returned.
TInvalidSettingsField StoreControls(const TProjectSettingsControls& controls,
                                    TProjectSettings& settings);

} // namespace quillmark
