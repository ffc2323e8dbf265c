#include "settings/SettingsDialogModel.h"

#include "base/TextUtils.h"
#include "base/Translation.h"
#include "settings/SettingsTable.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace quillmark {

namespace {

using C = TSettingControl;

constexpr std::array<std::string_view, 19> kBodyFontSizes = {
    "8",  "9",  "10", "11", "12", "14", "16", "18", "20", "22",
    "24", "26", "28", "32", "36", "40", "48", "60", "72"};

// Sections and rows from top to bottom. The hidden boxes come first: they
// carry the heading sizes, and the body size and font name for when their
// lists are empty.
const TSettingsDialogRow kRows[] = {
    {"Project Title", "edProjTitle", C::Edit, "ProjTitle", 260},
    {nullptr, "edContentLanguage", C::Edit, "ContentLanguage", 90},
    {nullptr, "edH1", C::Hidden, "FontSizeH1"},
    {nullptr, "edH2", C::Hidden, "FontSizeH2"},
    {nullptr, "edH3", C::Hidden, "FontSizeH3"},
    {nullptr, "edBody", C::Hidden, "FontSizeBody"},
    {nullptr, "edFontName", C::Hidden, "DefaultFontName"},
    {"Default Font", "cmbFontName", C::FontList, "DefaultFontName", 260},
    {nullptr, "cmbBodyFontSize", C::EditableList, "FontSizeBody", 90, kBodyFontSizes},
    {nullptr, "cbTextColor", C::ColorBox, "DefaultTextColor", 220},
    {nullptr, "edLineSpacing", C::Edit, "DefaultLineSpacing", 90},
    {"Background Colors (WebHelp, CHM)", "cbPageBg", C::ColorBox, "DefaultPageBgColor", 220},
    {nullptr, "cbHeaderBg", C::ColorBox, "DefaultHeaderBgColor", 220},
    {"Content tree appearance", "cbTocTextColor", C::ColorBox, "TocTextColor", 220},
    {nullptr, "edTocTextSize", C::Edit, "TocTextSize", 90},
    {"WebHelp footer", "chkCopyright", C::CheckBox, "CopyrightEnabled", 320},
    {nullptr, "edCopyrightText", C::Edit, "CopyrightText", 260},
    {"Link style", "cbLinkColor", C::ColorBox, "LinkColor", 220},
    {nullptr, "cmbLinkStyle", C::WordList, "LinkStyle", 140},
    {"Table style", "cmbTableBorderStyle", C::WordList, "TableBorderStyle", 140},
    {nullptr, "edTableBorderWidth", C::Edit, "TableBorderWidth", 90},
    {nullptr, "cbTableBorderColor", C::ColorBox, "TableBorderColor", 220},
    {"PDF manual", "cmbPdfPaperSize", C::WordList, "PdfPaperSize", 140},
    {nullptr, "edPdfMarginTop", C::Edit, "PdfMarginTop", 90},
    {nullptr, "edPdfMarginBottom", C::Edit, "PdfMarginBottom", 90},
    {nullptr, "edPdfMarginInner", C::Edit, "PdfMarginInner", 90},
    {nullptr, "edPdfMarginOuter", C::Edit, "PdfMarginOuter", 90},
    {nullptr, "edPdfCoverSubtitle", C::Edit, "PdfCoverSubtitle", 260},
    {nullptr, "edPdfCoverVersion", C::Edit, "PdfCoverVersion", 260},
    {nullptr, "edPdfCoverPicture", C::Edit, "PdfCoverPicture", 260},
};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Index of the item equal to the text (ASCII case ignored), or -1.
template <typename Items> int IndexOfItem(const Items& items, std::string_view text) {
    for (size_t i = 0; i < items.size(); ++i)
        if (AsciiSameText(items[i], text))
            return static_cast<int>(i);
    return -1;
}

// A setting's value as a text box shows it.
std::string TextOf(const TProjectSettings& settings, const TSettingField& field) {
    switch (field.Kind) {
    case TSettingKind::Integer:
        return std::to_string(SettingValue<int32_t>(settings, field));
    case TSettingKind::Decimal:
        return LineSpacingText(SettingValue<double>(settings, field));
    case TSettingKind::Text:
    case TSettingKind::Word:
        return SettingValue<std::string>(settings, field);
    default:
        return "";
    }
}

TSettingControlValue ControlValue(const TSettingsDialogRow& row, const TProjectSettings& settings,
                                  const std::vector<std::string>& fontItems) {
    const TSettingField& field = ProjectSettingField(row.Setting);
    TSettingControlValue value;
    switch (row.Kind) {
    case C::Edit:
    case C::Hidden:
    case C::EditableList:
        value.Text = TextOf(settings, field);
        break;
    case C::FontList: {
        // A font the computer lacks is still the project's font: it is
        // shown (and kept) as it is named.
        const std::string name = SettingValue<std::string>(settings, field);
        const int index = IndexOfItem(fontItems, name);
        value.Text = index >= 0 ? fontItems[index] : Trim(name);
        break;
    }
    case C::ColorBox:
        value.Color = SettingValue<TColor>(settings, field);
        break;
    case C::CheckBox:
        value.Checked = SettingValue<bool>(settings, field);
        break;
    case C::WordList:
        value.Index = IndexOfItem(field.Words, SettingValue<std::string>(settings, field));
        if (value.Index < 0)
            value.Index = IndexOfItem(field.Words, std::get<std::string_view>(field.Default));
        break;
    }
    return value;
}

// The controls that edit one setting: the visible one and the hidden one,
// either may be missing.
struct TSettingRows {
    const TSettingsDialogRow* Visible = nullptr;
    const TSettingsDialogRow* Hidden = nullptr;
};

TSettingRows RowsOf(std::string_view setting) {
    TSettingRows rows;
    for (const TSettingsDialogRow& row : kRows) {
        if (row.Setting != setting)
            continue;
        (row.Kind == C::Hidden ? rows.Hidden : rows.Visible) = &row;
    }
    return rows;
}

const TSettingControlValue& ValueOf(const TProjectSettingsControls& controls,
                                    const TSettingsDialogRow* row) {
    static const TSettingControlValue kNone;
    if (row == nullptr)
        return kNone;
    const auto found = controls.find(row->Control);
    return found != controls.end() ? found->second : kNone;
}

// Stores one setting into `s`; false when its text is no valid number or
// not a text the setting accepts.
bool StoreSetting(const TSettingField& field, const TSettingRows& rows,
                  const TProjectSettingsControls& controls, TProjectSettings& s) {
    const TSettingControlValue& shown = ValueOf(controls, rows.Visible);
    std::string text = Trim(shown.Text);
    if (text.empty())
        text = Trim(ValueOf(controls, rows.Hidden).Text);
    switch (field.Kind) {
    case TSettingKind::Text:
        if (text.empty() && field.BlankMeansDefault)
            text = std::get<std::string_view>(field.Default);
        if (field.Accepts != nullptr && !field.Accepts(text))
            return false;
        SettingValue<std::string>(s, field) = text;
        return true;
    case TSettingKind::Word: {
        const bool listed =
            shown.Index >= 0 && static_cast<size_t>(shown.Index) < field.Words.size();
        SettingValue<std::string>(s, field) =
            listed ? field.Words[shown.Index] : std::get<std::string_view>(field.Default);
        return true;
    }
    case TSettingKind::Integer: {
        const std::optional<int32_t> number = ParseWholeNumber(text);
        if (number)
            SettingValue<int32_t>(s, field) = LimitedInteger(field, *number);
        return number.has_value();
    }
    case TSettingKind::Decimal: {
        const std::optional<double> number = ParseDecimalNumber(text);
        if (number)
            SettingValue<double>(s, field) = LimitedDecimal(field, *number);
        return number.has_value();
    }
    case TSettingKind::Color:
        SettingValue<TColor>(s, field) = shown.Color;
        return true;
    case TSettingKind::Flag:
        SettingValue<bool>(s, field) = shown.Checked;
        return true;
    }
    return true;
}

} // namespace

std::span<const TSettingsDialogRow> SettingsDialogRows() {
    return kRows;
}

std::span<const std::string_view> BodyFontSizeItems() {
    return kBodyFontSizes;
}

std::string PlainFontFamily(std::string_view family) {
    std::string name = Trim(family);
    if (!name.empty() && name.back() == ']') {
        const size_t open = name.rfind('[');
        if (open != std::string::npos)
            name = Trim(std::string_view(name).substr(0, open));
    }
    return name;
}

std::string MissingFontCaption(const std::string& family, const std::string& standIn) {
    return FormatText(Translate("%s (not installed, shown as %s)"),
                      {family, PlainFontFamily(standIn)});
}

std::vector<std::string> SortedFontFamilies(std::vector<std::string> families) {
    for (std::string& family : families)
        family = PlainFontFamily(family);
    std::erase(families, std::string());
    std::stable_sort(
        families.begin(), families.end(),
        [](const std::string& a, const std::string& b) { return AsciiLower(a) < AsciiLower(b); });
    families.erase(
        std::unique(families.begin(), families.end(),
                    [](const std::string& a, const std::string& b) { return AsciiSameText(a, b); }),
        families.end());
    return families;
}

std::string LineSpacingText(double lineSpacing) {
    return ReplaceAll(FormatShortestDouble(lineSpacing), ",", ".");
}

std::optional<int32_t> ParseWholeNumber(std::string_view text) {
    const std::string trimmed = Trim(text);
    std::string_view digits = trimmed;
    bool negative = false;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    if (digits.empty() || !std::all_of(digits.begin(), digits.end(), IsDigit))
        return std::nullopt;
    const std::string signedDigits = (negative ? "-" : "") + std::string(digits);
    int32_t value = 0;
    const auto [end, error] =
        std::from_chars(signedDigits.data(), signedDigits.data() + signedDigits.size(), value);
    if (error != std::errc() || end != signedDigits.data() + signedDigits.size())
        return std::nullopt;
    return value;
}

std::optional<double> ParseDecimalNumber(std::string_view text) {
    const std::string trimmed = ReplaceAll(Trim(text), ",", ".");
    size_t i = 0;
    if (i < trimmed.size() && (trimmed[i] == '+' || trimmed[i] == '-'))
        ++i;
    size_t digits = 0;
    while (i < trimmed.size() && IsDigit(trimmed[i])) {
        ++i;
        ++digits;
    }
    if (i < trimmed.size() && trimmed[i] == '.') {
        ++i;
        while (i < trimmed.size() && IsDigit(trimmed[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0 || i != trimmed.size())
        return std::nullopt;
    // from_chars reads the point whatever the user's locale; it takes no "+".
    const char* first = trimmed.data() + (trimmed.front() == '+' ? 1 : 0);
    double value = 0;
    if (std::from_chars(first, trimmed.data() + trimmed.size(), value).ec != std::errc())
        return std::nullopt;
    return value;
}

TProjectSettingsControls LoadControls(const TProjectSettings& settings,
                                      const std::vector<std::string>& fontItems) {
    TProjectSettingsControls controls;
    for (const TSettingsDialogRow& row : kRows)
        controls[row.Control] = ControlValue(row, settings, fontItems);
    return controls;
}

std::optional<std::string> StoreControls(const TProjectSettingsControls& controls,
                                         TProjectSettings& settings) {
    // Filled in a copy: an invalid value leaves the caller's settings whole.
    TProjectSettings s = settings;
    for (const TSettingField& field : ProjectSettingFields()) {
        const TSettingRows rows = RowsOf(field.Name);
        if (rows.Visible == nullptr && rows.Hidden == nullptr)
            continue;
        if (!StoreSetting(field, rows, controls, s))
            return (rows.Visible != nullptr ? rows.Visible : rows.Hidden)->Control;
    }
    settings = s;
    return std::nullopt;
}

} // namespace quillmark
