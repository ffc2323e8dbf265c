#include "settings/SettingsDialogModel.h"

#include "base/TextUtils.h"

#include <algorithm>
#include <charconv>

namespace quillmark {

namespace {

// The settings file raises smaller body sizes to this when it is read; the
// dialog applies the same floor so that what the editor shows now matches
// what the project shows after reopening.
constexpr int32_t kMinBodyFontSize = 8;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Index of the item equal to the text (ASCII case ignored), or -1.
int IndexOfItem(const std::vector<std::string>& items, std::string_view text) {
    for (size_t i = 0; i < items.size(); ++i)
        if (AsciiSameText(items[i], text))
            return static_cast<int>(i);
    return -1;
}

std::string ItemOr(const std::vector<std::string>& items, int index, const char* fallback) {
    return index >= 0 && static_cast<size_t>(index) < items.size() ? items[index] : fallback;
}

} // namespace

const std::vector<std::string>& BodyFontSizeItems() {
    static const std::vector<std::string> items = {"8",  "9",  "10", "11", "12", "14", "16",
                                                   "18", "20", "22", "24", "26", "28", "32",
                                                   "36", "40", "48", "60", "72"};
    return items;
}

const std::vector<std::string>& LinkStyleItems() {
    static const std::vector<std::string> items = {"none", "solid", "dashed", "dotted", "double"};
    return items;
}

const std::vector<std::string>& TableBorderStyleItems() {
    static const std::vector<std::string> items = {"solid", "dashed", "dotted", "double"};
    return items;
}

const std::vector<std::string>& PdfPaperSizeItems() {
    static const std::vector<std::string> items = {"A4", "Letter"};
    return items;
}

std::vector<std::string> SortedFontFamilies(std::vector<std::string> families) {
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
    TProjectSettingsControls c;
    c.edH1 = std::to_string(settings.FontSizeH1);
    c.edH2 = std::to_string(settings.FontSizeH2);
    c.edH3 = std::to_string(settings.FontSizeH3);
    c.edBody = std::to_string(settings.FontSizeBody);
    c.edFontName = settings.DefaultFontName;
    c.cmbFontName = ItemOr(fontItems, IndexOfItem(fontItems, settings.DefaultFontName), "");
    c.cmbBodyFontSize = std::to_string(settings.FontSizeBody);
    c.cbTextColor = settings.DefaultTextColor;
    c.edLineSpacing = LineSpacingText(settings.DefaultLineSpacing);
    c.cbPageBg = settings.DefaultPageBgColor;
    c.cbHeaderBg = settings.DefaultHeaderBgColor;
    c.cbTocTextColor = settings.TocTextColor;
    c.edTocTextSize = std::to_string(settings.TocTextSize);
    c.edProjTitle = settings.ProjTitle;
    c.chkCopyright = settings.CopyrightEnabled;
    c.edCopyrightText = settings.CopyrightText;
    c.cbLinkColor = settings.LinkColor;
    c.cmbLinkStyle = IndexOfItem(LinkStyleItems(), settings.LinkStyle);
    if (c.cmbLinkStyle < 0)
        c.cmbLinkStyle = 1; // "solid"
    c.cbTableBorderColor = settings.TableBorderColor;
    c.cmbTableBorderStyle =
        std::max(IndexOfItem(TableBorderStyleItems(), settings.TableBorderStyle), 0);
    c.edTableBorderWidth = std::to_string(settings.TableBorderWidth);
    c.cmbPdfPaperSize = std::max(IndexOfItem(PdfPaperSizeItems(), settings.PdfPaperSize), 0);
    c.edPdfMarginTop = std::to_string(settings.PdfMarginTop);
    c.edPdfMarginBottom = std::to_string(settings.PdfMarginBottom);
    c.edPdfMarginInner = std::to_string(settings.PdfMarginInner);
    c.edPdfMarginOuter = std::to_string(settings.PdfMarginOuter);
    c.edPdfCoverSubtitle = settings.PdfCoverSubtitle;
    c.edPdfCoverVersion = settings.PdfCoverVersion;
    c.edPdfCoverPicture = settings.PdfCoverPicture;
    return c;
}

TInvalidSettingsField StoreControls(const TProjectSettingsControls& c, TProjectSettings& settings) {
    // Filled in a copy: an invalid value leaves the caller's settings whole.
    TProjectSettings s = settings;
    s.ProjTitle = Trim(c.edProjTitle);

    const auto h1 = ParseWholeNumber(c.edH1);
    const auto h2 = ParseWholeNumber(c.edH2);
    const auto h3 = ParseWholeNumber(c.edH3);
    if (!h1 || !h2 || !h3)
        return TInvalidSettingsField::HeadingSizes;
    s.FontSizeH1 = *h1;
    s.FontSizeH2 = *h2;
    s.FontSizeH3 = *h3;

    const std::string typedSize = Trim(c.cmbBodyFontSize);
    const auto body = ParseWholeNumber(typedSize.empty() ? c.edBody : typedSize);
    if (!body)
        return TInvalidSettingsField::BodyFontSize;
    s.FontSizeBody = std::max(*body, kMinBodyFontSize);

    std::string fontName = Trim(c.cmbFontName);
    if (fontName.empty())
        fontName = Trim(c.edFontName);
    s.DefaultFontName = fontName.empty() ? "Segoe UI" : fontName;

    s.DefaultTextColor = c.cbTextColor;

    const auto spacing = ParseDecimalNumber(c.edLineSpacing);
    if (!spacing)
        return TInvalidSettingsField::LineSpacing;
    s.DefaultLineSpacing = std::clamp(*spacing, 1.0, 5.0);

    s.DefaultPageBgColor = c.cbPageBg;
    s.DefaultHeaderBgColor = c.cbHeaderBg;
    s.TocTextColor = c.cbTocTextColor;

    const auto tocSize = ParseWholeNumber(c.edTocTextSize);
    if (!tocSize)
        return TInvalidSettingsField::TocTextSize;
    s.TocTextSize = std::clamp(*tocSize, 6, 36);

    s.CopyrightEnabled = c.chkCopyright;
    s.CopyrightText = Trim(c.edCopyrightText);
    s.LinkColor = c.cbLinkColor;
    s.LinkStyle = ItemOr(LinkStyleItems(), c.cmbLinkStyle, "solid");
    s.TableBorderStyle = ItemOr(TableBorderStyleItems(), c.cmbTableBorderStyle, "solid");

    const auto borderWidth = ParseWholeNumber(c.edTableBorderWidth);
    if (!borderWidth)
        return TInvalidSettingsField::TableBorderWidth;
    s.TableBorderWidth = std::clamp(*borderWidth, 1, 12);
    s.TableBorderColor = c.cbTableBorderColor;

    s.PdfPaperSize = ItemOr(PdfPaperSizeItems(), c.cmbPdfPaperSize, "A4");
    const std::pair<const std::string*, int32_t*> margins[] = {
        {&c.edPdfMarginTop, &s.PdfMarginTop},
        {&c.edPdfMarginBottom, &s.PdfMarginBottom},
        {&c.edPdfMarginInner, &s.PdfMarginInner},
        {&c.edPdfMarginOuter, &s.PdfMarginOuter},
    };
    for (const auto& [text, field] : margins) {
        const auto margin = ParseWholeNumber(*text);
        if (!margin)
            return TInvalidSettingsField::PdfMargins;
        *field = std::clamp(*margin, kMinPdfMargin, kMaxPdfMargin);
    }
    s.PdfCoverSubtitle = Trim(c.edPdfCoverSubtitle);
    s.PdfCoverVersion = Trim(c.edPdfCoverVersion);
    s.PdfCoverPicture = Trim(c.edPdfCoverPicture);

    settings = s;
    return TInvalidSettingsField::None;
}

} // namespace quillmark
