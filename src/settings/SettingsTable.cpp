#include "settings/SettingsTable.h"

#include "base/TextUtils.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace quillmark {

namespace {

using S = TProjectSettings;
using K = TSettingKind;

constexpr std::array<std::string_view, 5> kLinkStyles = {"none", "solid", "dashed", "dotted",
                                                         "double"};
constexpr std::array<std::string_view, 4> kTableBorderStyles = {"solid", "dashed", "dotted",
                                                                "double"};

constexpr std::array<std::string_view, 2> kPaperSizes = {"A4", "Letter"};

constexpr TColor kBlack = MakeColor(0, 0, 0);
constexpr TColor kWhite = MakeColor(0xFF, 0xFF, 0xFF);

// One row per setting, in the order of the file's members.
// clang-format off
const TSettingField kFields[] = {
    {.Name = "ProjTitle", .Kind = K::Text, .Member = &S::ProjTitle,
     .Default = std::string_view("Untitled Documentation"), .Caption = "Title:"},
    {.Name = "FontSizeH1", .Kind = K::Integer, .Member = &S::FontSizeH1, .Default = 32, .Min = 8},
    {.Name = "FontSizeH2", .Kind = K::Integer, .Member = &S::FontSizeH2, .Default = 24, .Min = 8},
    {.Name = "FontSizeH3", .Kind = K::Integer, .Member = &S::FontSizeH3, .Default = 18, .Min = 8},
    {.Name = "FontSizeBody", .Kind = K::Integer, .Member = &S::FontSizeBody, .Default = 16,
     .Min = 8, .Caption = "Font size:"},
    {.Name = "DefaultTextColor", .Kind = K::Color, .Member = &S::DefaultTextColor,
     .Default = kBlack, .Caption = "Font Color:"},
    {.Name = "DefaultFontName", .Kind = K::Text, .Member = &S::DefaultFontName,
     .Default = std::string_view("Segoe UI"), .BlankMeansDefault = true, .Caption = "Font title:"},
    {.Name = "DefaultTextBackColor", .Kind = K::Color, .Member = &S::DefaultTextBackColor,
     .Default = kWhite},
    {.Name = "DefaultLineSpacing", .Kind = K::Decimal, .Member = &S::DefaultLineSpacing,
     .Default = 1.5, .Min = 1, .Max = 5, .Caption = "Default line interval (e.g. 1.5):"},
    {.Name = "DefaultPageBgColor", .Kind = K::Color, .Member = &S::DefaultPageBgColor,
     .Default = kWhite, .Caption = "Page background color:"},
    {.Name = "DefaultHeaderBgColor", .Kind = K::Color, .Member = &S::DefaultHeaderBgColor,
     .Default = MakeColor(0xE7, 0xEF, 0xF5), .Caption = "Header background color:"},
    {.Name = "TocTextColor", .Kind = K::Color, .Member = &S::TocTextColor,
     .Default = kBlack, .Caption = "Tree text color:"},
    {.Name = "TocTextSize", .Kind = K::Integer, .Member = &S::TocTextSize,
     .Default = 12, .Min = 6, .Max = 36, .Caption = "Tree text size:"},
    {.Name = "CopyrightEnabled", .Kind = K::Flag, .Member = &S::CopyrightEnabled,
     .Default = false, .Caption = "Enable copyright footer"},
    {.Name = "CopyrightText", .Kind = K::Text, .Member = &S::CopyrightText,
     .Default = std::string_view(""), .Caption = "Footer text:"},
    {.Name = "LinkColor", .Kind = K::Color, .Member = &S::LinkColor,
     .Default = MakeColor(0, 0, 0xFF), .Caption = "Link color:"},
    {.Name = "LinkStyle", .Kind = K::Word, .Member = &S::LinkStyle,
     .Default = std::string_view("solid"), .Words = kLinkStyles, .Caption = "Link style:"},
    {.Name = "TableBorderStyle", .Kind = K::Word, .Member = &S::TableBorderStyle,
     .Default = std::string_view("solid"), .Words = kTableBorderStyles, .Caption = "Border style:"},
    {.Name = "TableBorderWidth", .Kind = K::Integer, .Member = &S::TableBorderWidth,
     .Default = 1, .Min = 1, .Max = 12, .Caption = "Border width (px):"},
    {.Name = "TableBorderColor", .Kind = K::Color, .Member = &S::TableBorderColor,
     .Default = MakeColor(0x99, 0x99, 0x99), .Caption = "Border color:"},
    // Manuals were printed on Letter before the paper could be chosen.
    {.Name = "PdfPaperSize", .Kind = K::Word, .Member = &S::PdfPaperSize,
     .Default = std::string_view("A4"), .Words = kPaperSizes,
     .Absent = std::string_view("Letter"), .Caption = "Paper size:"},
    {.Name = "PdfMarginTop", .Kind = K::Integer, .Member = &S::PdfMarginTop,
     .Default = 20, .Min = 5, .Max = 50, .Caption = "Top margin (mm):"},
    {.Name = "PdfMarginBottom", .Kind = K::Integer, .Member = &S::PdfMarginBottom,
     .Default = 20, .Min = 5, .Max = 50, .Caption = "Bottom margin (mm):"},
    {.Name = "PdfMarginInner", .Kind = K::Integer, .Member = &S::PdfMarginInner,
     .Default = 20, .Min = 5, .Max = 50, .Caption = "Inner margin (mm):"},
    {.Name = "PdfMarginOuter", .Kind = K::Integer, .Member = &S::PdfMarginOuter,
     .Default = 20, .Min = 5, .Max = 50, .Caption = "Outer margin (mm):"},
    {.Name = "PdfCoverSubtitle", .Kind = K::Text, .Member = &S::PdfCoverSubtitle,
     .Default = std::string_view(""), .Caption = "Cover subtitle:"},
    {.Name = "PdfCoverVersion", .Kind = K::Text, .Member = &S::PdfCoverVersion,
     .Default = std::string_view(""), .Caption = "Cover version line:"},
    {.Name = "PdfCoverPicture", .Kind = K::Text, .Member = &S::PdfCoverPicture,
     .Default = std::string_view(""), .Caption = "Cover picture (in the project):"},
    {.Name = "ContentLanguage", .Kind = K::Text, .Member = &S::ContentLanguage,
     .Default = std::string_view("en"), .BlankMeansDefault = true, .Accepts = IsLanguageTag,
     .Caption = "Content language (e.g. en, de-CH):"},
};
// clang-format on

} // namespace

std::span<const TSettingField> ProjectSettingFields() {
    return kFields;
}

const TSettingField& ProjectSettingField(std::string_view name) {
    for (const TSettingField& field : kFields)
        if (field.Name == name)
            return field;
    throw std::out_of_range("no project setting " + std::string(name));
}

std::string SettingTextOrDefault(const TProjectSettings& settings, std::string_view name) {
    const TSettingField& field = ProjectSettingField(name);
    const std::string text = Trim(SettingValue<std::string>(settings, field));
    const bool usable = !text.empty() && (field.Accepts == nullptr || field.Accepts(text));
    return usable ? text : std::string(std::get<std::string_view>(field.Default));
}

bool IsLanguageTag(std::string_view text) {
    const auto isLetter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    bool first = true;
    while (true) {
        const size_t end = std::min(text.find('-'), text.size());
        const std::string_view subtag = text.substr(0, end);
        const bool allowed = std::all_of(subtag.begin(), subtag.end(), [&](char c) {
            return isLetter(c) || (!first && isDigit(c));
        });
        if (!allowed || subtag.size() < (first ? 2u : 1u) || subtag.size() > 8)
            return false;
        if (end == text.size())
            return true;
        text.remove_prefix(end + 1);
        first = false;
    }
}

std::string_view NormalisedWord(const TSettingField& field, std::string_view text) {
    const auto word = std::find_if(field.Words.begin(), field.Words.end(),
                                   [&](std::string_view w) { return AsciiSameText(w, text); });
    return word != field.Words.end() ? *word : std::get<std::string_view>(field.Default);
}

double LimitedDecimal(const TSettingField& field, double value) {
    if (field.Min && value < *field.Min)
        return *field.Min;
    if (field.Max && value > *field.Max)
        return *field.Max;
    return value;
}

int32_t LimitedInteger(const TSettingField& field, int32_t value) {
    return static_cast<int32_t>(LimitedDecimal(field, value));
}

} // namespace quillmark
