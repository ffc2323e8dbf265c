#include "settings/SettingsDialogModel.h"

#include "settings/SettingsTable.h"

#include <functional>
#include <gtest/gtest.h>
#include <set>

namespace quillmark {
namespace {

const std::vector<std::string> kFonts = {"Arial", "Segoe UI", "Verdana"};
const std::optional<std::string> kValid;

std::optional<std::string> Invalid(const char* control) {
    return control;
}

// Stores the default controls with one change; returns the field reported
// and the settings (unchanged defaults when invalid).
struct TStoreCase {
    const char* Label;
    std::function<void(TProjectSettingsControls&)> Edit;
    std::optional<std::string> Expected; // the invalid control; nothing when valid
    std::function<void(const TProjectSettings&)> Check;
};

class SettingsDialogStoreTest : public ::testing::TestWithParam<TStoreCase> {};

TEST_P(SettingsDialogStoreTest, ValidatesAndLimitsEveryRow) {
    const TStoreCase& c = GetParam();
    TProjectSettings settings;
    settings.ProjTitle = "Before";
    TProjectSettingsControls controls = LoadControls(settings, kFonts);
    c.Edit(controls);
    const TProjectSettings before = settings;

    EXPECT_EQ(StoreControls(controls, settings), c.Expected);
    if (c.Expected != kValid) {
        // Nothing of the dialog reaches the caller, not even the rows before.
        EXPECT_EQ(WriteJson(settings.ToJson()), WriteJson(before.ToJson()));
        EXPECT_EQ(settings.ProjTitle, "Before");
    } else {
        c.Check(settings);
    }
}

// The title is changed in every case, so an invalid row shows that the
// earlier rows were not written either.
TProjectSettingsControls& Titled(TProjectSettingsControls& c) {
    c["edProjTitle"].Text = "  After  ";
    return c;
}

const TStoreCase kStoreCases[] = {
    {"TitleTrimmedAndEmptyAccepted", [](auto& c) { c["edProjTitle"].Text = "   "; }, kValid,
     [](const auto& s) { EXPECT_EQ(s.ProjTitle, ""); }},
    {"LineSpacingComma", [](auto& c) { Titled(c)["edLineSpacing"].Text = " 1,25 "; }, kValid,
     [](const auto& s) {
         EXPECT_DOUBLE_EQ(s.DefaultLineSpacing, 1.25);
         EXPECT_EQ(s.ProjTitle, "After");
     }},
    {"PrintedManual",
     [](auto& c) {
         c["cmbPdfPaperSize"].Index = 1;
         c["edPdfMarginTop"].Text = "3";
         c["edPdfMarginBottom"].Text = " 60 ";
         c["edPdfMarginInner"].Text = "25";
         c["edPdfCoverSubtitle"].Text = "  User Guide ";
         c["edPdfCoverPicture"].Text = " assets/images/cover.png ";
     },
     kValid,
     [](const auto& s) {
         EXPECT_EQ(s.PdfPaperSize, "Letter");
         EXPECT_EQ(s.PdfMarginTop, 5);
         EXPECT_EQ(s.PdfMarginBottom, 50);
         EXPECT_EQ(s.PdfMarginInner, 25);
         EXPECT_EQ(s.PdfMarginOuter, 20);
         EXPECT_EQ(s.PdfCoverSubtitle, "User Guide");
         EXPECT_EQ(s.PdfCoverPicture, "assets/images/cover.png");
     }},
    {"PdfMarginText",
     [](auto& c) { Titled(c)["edPdfMarginOuter"].Text = "2 cm"; },
     Invalid("edPdfMarginOuter"),
     {}},
    {"LineSpacingBelowOne", [](auto& c) { c["edLineSpacing"].Text = "0.8"; }, kValid,
     [](const auto& s) { EXPECT_DOUBLE_EQ(s.DefaultLineSpacing, 1.0); }},
    {"LineSpacingAboveFive", [](auto& c) { c["edLineSpacing"].Text = "7"; }, kValid,
     [](const auto& s) { EXPECT_DOUBLE_EQ(s.DefaultLineSpacing, 5.0); }},
    {"LineSpacingText",
     [](auto& c) { Titled(c)["edLineSpacing"].Text = "wide"; },
     Invalid("edLineSpacing"),
     {}},
    {"LineSpacingNotANumber",
     [](auto& c) { Titled(c)["edLineSpacing"].Text = "nan"; },
     Invalid("edLineSpacing"),
     {}},
    {"LineSpacingTwoSeparators",
     [](auto& c) { Titled(c)["edLineSpacing"].Text = "1,2.5"; },
     Invalid("edLineSpacing"),
     {}},
    {"LineSpacingEmpty",
     [](auto& c) { Titled(c)["edLineSpacing"].Text = ""; },
     Invalid("edLineSpacing"),
     {}},
    {"TocSizeAbove", [](auto& c) { c["edTocTextSize"].Text = "50"; }, kValid,
     [](const auto& s) { EXPECT_EQ(s.TocTextSize, 36); }},
    {"TocSizeBelow", [](auto& c) { c["edTocTextSize"].Text = "3"; }, kValid,
     [](const auto& s) { EXPECT_EQ(s.TocTextSize, 6); }},
    {"TocSizeFraction",
     [](auto& c) { Titled(c)["edTocTextSize"].Text = "12.5"; },
     Invalid("edTocTextSize"),
     {}},
    {"BorderWidthZero", [](auto& c) { c["edTableBorderWidth"].Text = "0"; }, kValid,
     [](const auto& s) { EXPECT_EQ(s.TableBorderWidth, 1); }},
    {"BorderWidthNegative", [](auto& c) { c["edTableBorderWidth"].Text = " -5 "; }, kValid,
     [](const auto& s) { EXPECT_EQ(s.TableBorderWidth, 1); }},
    {"BorderWidthAbove", [](auto& c) { c["edTableBorderWidth"].Text = "+20"; }, kValid,
     [](const auto& s) { EXPECT_EQ(s.TableBorderWidth, 12); }},
    {"BorderWidthText",
     [](auto& c) { Titled(c)["edTableBorderWidth"].Text = "thin"; },
     Invalid("edTableBorderWidth"),
     {}},
    {"BodySizeNotInList", [](auto& c) { c["cmbBodyFontSize"].Text = "15"; }, kValid,
     [](const auto& s) { EXPECT_EQ(s.FontSizeBody, 15); }},
    {"BodySizeLarge", [](auto& c) { c["cmbBodyFontSize"].Text = "500"; }, kValid,
     [](const auto& s) { EXPECT_EQ(s.FontSizeBody, 500); }},
    // Zero would make the editor's text invisible; the file's own floor of
    // 8 applies at once instead of at the next load.
    {"BodySizeZeroRaised", [](auto& c) { c["cmbBodyFontSize"].Text = "0"; }, kValid,
     [](const auto& s) { EXPECT_EQ(s.FontSizeBody, 8); }},
    {"BodySizeEmptyUsesHiddenBox",
     [](auto& c) {
         c["cmbBodyFontSize"].Text = " ";
         c["edBody"].Text = "22";
     },
     kValid, [](const auto& s) { EXPECT_EQ(s.FontSizeBody, 22); }},
    {"BodySizeText",
     [](auto& c) { Titled(c)["cmbBodyFontSize"].Text = "big"; },
     Invalid("cmbBodyFontSize"),
     {}},
    {"BodySizeOverflow",
     [](auto& c) { Titled(c)["cmbBodyFontSize"].Text = "99999999999"; },
     Invalid("cmbBodyFontSize"),
     {}},
    {"HeadingSizeBroken", [](auto& c) { Titled(c)["edH2"].Text = "x"; }, Invalid("edH2"), {}},
    {"FontNotInstalledKeepsStoredName",
     [](auto& c) {
         c["cmbFontName"].Text = "";
         c["edFontName"].Text = "Fancy Font";
     },
     kValid, [](const auto& s) { EXPECT_EQ(s.DefaultFontName, "Fancy Font"); }},
    {"FontBothEmpty",
     [](auto& c) {
         c["cmbFontName"].Text = "";
         c["edFontName"].Text = "  ";
     },
     kValid, [](const auto& s) { EXPECT_EQ(s.DefaultFontName, "Segoe UI"); }},
    {"ContentLanguageTrimmed", [](auto& c) { c["edContentLanguage"].Text = " zh-Hant-TW "; },
     kValid, [](const auto& s) { EXPECT_EQ(s.ContentLanguage, "zh-Hant-TW"); }},
    {"ContentLanguageBlankIsEnglish", [](auto& c) { c["edContentLanguage"].Text = " "; }, kValid,
     [](const auto& s) { EXPECT_EQ(s.ContentLanguage, "en"); }},
    {"ContentLanguageNotATag",
     [](auto& c) { Titled(c)["edContentLanguage"].Text = "English (US)"; },
     Invalid("edContentLanguage"),
     {}},
    {"StylesAndColors",
     [](auto& c) {
         c["cmbLinkStyle"].Index = 0;
         c["cmbTableBorderStyle"].Index = -1;
         c["cbHeaderBg"].Color = MakeColor(1, 2, 3);
         c["chkCopyright"].Checked = true;
         c["edCopyrightText"].Text = " (c) Me ";
     },
     kValid,
     [](const auto& s) {
         EXPECT_EQ(s.LinkStyle, "none");
         EXPECT_EQ(s.TableBorderStyle, "solid");
         EXPECT_EQ(ColorToHtml(s.DefaultHeaderBgColor), "#010203");
         EXPECT_TRUE(s.CopyrightEnabled);
         EXPECT_EQ(s.CopyrightText, "(c) Me");
     }},
};

INSTANTIATE_TEST_SUITE_P(Rows, SettingsDialogStoreTest, ::testing::ValuesIn(kStoreCases),
                         [](const auto& info) { return std::string(info.param.Label); });

TEST(SettingsDialogModelTest, LoadControlsShowsTheSettings) {
    TProjectSettings settings;
    settings.DefaultFontName = "verdana";
    settings.DefaultLineSpacing = 1.25;
    settings.LinkStyle = "wavy";
    settings.TableBorderStyle = "none";
    settings.FontSizeH1 = 40;
    TProjectSettingsControls c = LoadControls(settings, kFonts);
    EXPECT_EQ(c["cmbFontName"].Text, "Verdana"); // the list's spelling
    EXPECT_EQ(c["edFontName"].Text, "verdana");
    EXPECT_EQ(c["edLineSpacing"].Text, "1.25");
    EXPECT_EQ(c["cmbBodyFontSize"].Text, "16");
    EXPECT_EQ(c["edH1"].Text, "40");
    EXPECT_EQ(c["cmbLinkStyle"].Index, 1);        // not in the list: "solid"
    EXPECT_EQ(c["cmbTableBorderStyle"].Index, 0); // not in the list: "solid"

    // A font the computer lacks is shown by its name, not as an empty box.
    settings.DefaultFontName = "Not Installed";
    EXPECT_EQ(LoadControls(settings, kFonts)["cmbFontName"].Text, "Not Installed");
}

TEST(SettingsDialogModelTest, UntouchedDialogKeepsEverySetting) {
    TProjectSettings settings;
    settings.FontSizeH1 = 200;
    settings.DefaultFontName = "Not Installed";
    settings.DefaultTextBackColor = MakeColor(9, 9, 9);
    const std::string before = WriteJson(settings.ToJson());
    EXPECT_EQ(StoreControls(LoadControls(settings, kFonts), settings), kValid);
    EXPECT_EQ(WriteJson(settings.ToJson()), before);
}

// A row that names no setting, or a control that cannot hold its setting,
// would fail only when the dialog opens.
TEST(SettingsDialogModelTest, EveryRowEditsASettingItsControlCanHold) {
    const auto holds = [](TSettingControl control, TSettingKind kind) {
        switch (control) {
        case TSettingControl::ColorBox:
            return kind == TSettingKind::Color;
        case TSettingControl::CheckBox:
            return kind == TSettingKind::Flag;
        case TSettingControl::WordList:
            return kind == TSettingKind::Word;
        case TSettingControl::FontList:
            return kind == TSettingKind::Text;
        default:
            return kind == TSettingKind::Text || kind == TSettingKind::Integer ||
                   kind == TSettingKind::Decimal;
        }
    };
    std::set<std::string> names;
    for (const TSettingsDialogRow& row : SettingsDialogRows()) {
        EXPECT_TRUE(names.insert(row.Control).second) << row.Control;
        const TSettingField& field = ProjectSettingField(row.Setting);
        EXPECT_TRUE(holds(row.Kind, field.Kind)) << row.Control;
        if (row.Kind != TSettingControl::Hidden) {
            EXPECT_NE(field.Caption, nullptr) << row.Control;
        }
    }
}

TEST(SettingsTableTest, LanguageTags) {
    for (const char* tag : {"en", "de-CH", "zh-Hant-TW", "es-419", "abcdefgh"})
        EXPECT_TRUE(IsLanguageTag(tag)) << tag;
    for (const char* text : {"", "e", "1a", "en-", "-en", "en--us", "pt_BR", "en us",
                             "\"en\" onload", "abcdefghi", "en-123456789"})
        EXPECT_FALSE(IsLanguageTag(text)) << text;
}

// A tag written into the file by hand that is none stands for the default.
TEST(SettingsTableTest, ContentLanguageOrDefault) {
    TProjectSettings settings;
    for (const auto& [stored, used] :
         {std::pair{" fr-CA ", "fr-CA"}, {"", "en"}, {"français", "en"}}) {
        settings.ContentLanguage = stored;
        EXPECT_EQ(SettingTextOrDefault(settings, "ContentLanguage"), used) << stored;
    }
}

TEST(SettingsDialogModelTest, FontListSortedIgnoringCaseWithoutDuplicates) {
    EXPECT_EQ(SortedFontFamilies({"verdana", "Arial", "DejaVu Sans", "arial", "Verdana"}),
              (std::vector<std::string>{"Arial", "DejaVu Sans", "verdana"}));
    // The toolkit's foundry suffixes are no part of a family name.
    EXPECT_EQ(SortedFontFamilies({"URW Gothic [urw]", "C059 [UKWN]", "URW Gothic [UKWN]",
                                  "Standard Symbols PS [URW ]", " [x]", "Odd [Name"}),
              (std::vector<std::string>{"C059", "Odd [Name", "Standard Symbols PS",
                                        "URW Gothic"}));
    EXPECT_EQ(BodyFontSizeItems().size(), 19u);
}

} // namespace
} // namespace quillmark
