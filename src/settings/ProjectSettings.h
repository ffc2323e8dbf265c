#pragma once

#include "base/Color.h"
#include "base/Json.h"

#include <cstdint>
#include <string>

namespace quillmark {

// The style settings of one project, stored in meta/project_settings.json.
// Each field has its row in ProjectSettingFields (settings/SettingsTable.h):
// its member name in the file, default, limits and caption.
class TProjectSettings {
public:
    std::string ProjTitle;
    int32_t FontSizeH1; // heading sizes in CSS pixels
    int32_t FontSizeH2;
    int32_t FontSizeH3;
    int32_t FontSizeBody; // body text size in pixels
    TColor DefaultTextColor;
    std::string DefaultFontName;
    TColor DefaultTextBackColor;
    double DefaultLineSpacing; // line height as a multiple of the font size
    TColor DefaultPageBgColor;
    TColor DefaultHeaderBgColor;
    TColor TocTextColor;
    int32_t TocTextSize;
    bool CopyrightEnabled;
    std::string CopyrightText;
    TColor LinkColor;
    std::string LinkStyle;        // "none", "solid", "dashed", "dotted" or "double"
    std::string TableBorderStyle; // "solid", "dashed", "dotted" or "double"
    int32_t TableBorderWidth;     // pixels, 1 to 12
    TColor TableBorderColor;
    // The printed manual: paper ("A4" or "Letter"), page margins in
    // millimetres (inner: the binding side) and the cover's optional lines
    // and picture (a path relative to the project folder, below "assets").
    std::string PdfPaperSize;
    int32_t PdfMarginTop;
    int32_t PdfMarginBottom;
    int32_t PdfMarginInner;
    int32_t PdfMarginOuter;
    std::string PdfCoverSubtitle;
    std::string PdfCoverVersion;
    std::string PdfCoverPicture;
    // The language the topics are written in, as a language tag ("en",
    // "de-CH"): the pages' lang attribute and the help file's language.
    std::string ContentLanguage;

    TProjectSettings();

    void SetDefaults();

    // One object with a member for each row of ProjectSettingFields, in its
    // order.
    JsonValue ToJson() const;

    // Applies the members of `object` over the current values: a missing or
    // unusable member leaves its field as it is (unless its setting gives a
    // value for files that predate it); the values are clamped to their
    // ranges at the end. An integer member holding a number with a fraction
    // or exponent, or beyond 32 bits, fails with a QuillError naming the
    // member after the members before it were applied.
    void FromJson(const JsonValue& object);

    // Creates the folder, then replaces the file with the compact JSON text
    // in UTF-8 with a byte-order mark. Failures raise QuillError.
    void SaveToFile(const std::string& fileName) const;

    // True when the file exists and holds a JSON object, which is applied
    // with FromJson; false, with nothing changed, otherwise. Errors name the
    // file.
    bool LoadFromFile(const std::string& fileName);

    static std::string DefaultSettingsPathForProject(const std::string& projectRoot);

    void SavePreset(const std::string& fileName) const { SaveToFile(fileName); }
    bool LoadPreset(const std::string& fileName) { return LoadFromFile(fileName); }
};

// Whether the page, text and contents-tree colours are still the defaults, so
// that a window may show them in the desktop's (dark) colours instead.
bool KeepsDefaultPageColors(const TProjectSettings& settings);

} // namespace quillmark
