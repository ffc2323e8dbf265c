#include "settings/SettingsDialogModel.h"

#include <functional>
#include <gtest/gtest.h>

namespace quillmark {
namespace {

const std::vector<std::string> kFonts = {"Arial", "Segoe UI", "Verdana"};

// Stores the default controls with one change; returns the field reported
// and the settings (unchanged defaults when invalid).
struct TStoreCase {
    const char* Label;
    std::function<void(TProjectSettingsControls&)> Edit;
    TInvalidSettingsField Expected;
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
    if (c.Expected != TInvalidSettingsField::None) {
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
    c.edProjTitle = "  After  ";
    return c;
}

const TStoreCase kStoreCases[] = {
    {"TitleTrimmedAndEmptyAccepted", [](auto& c) { c.edProjTitle = "   "; },
     TInvalidSettingsField::None, [](const auto& s) { EXPECT_EQ(s.ProjTitle, ""); }},
    {"LineSpacingComma", [](auto& c) { Titled(c).edLineSpacing = " 1,25 "; },
     TInvalidSettingsField::None,
     [](const auto& s) {
         EXPECT_DOUBLE_EQ(s.DefaultLineSpacing, 1.25);
         EXPECT_EQ(s.ProjTitle, "After");
     }},
    {"LineSpacingBelowOne", [](auto& c) { c.edLineSpacing = "0.8"; }, TInvalidSettingsField::None,
     [](const auto& s) { EXPECT_DOUBLE_EQ(s.DefaultLineSpacing, 1.0); }},
    {"LineSpacingAboveFive", [](auto& c) { c.edLineSpacing = "7"; }, TInvalidSettingsField::None,
     [](const auto& s) { EXPECT_DOUBLE_EQ(s.DefaultLineSpacing, 5.0); }},
    {"LineSpacingText",
     [](auto& c) { Titled(c).edLineSpacing = "wide"; },
     TInvalidSettingsField::LineSpacing,
     {}},
    {"LineSpacingNotANumber",
     [](auto& c) { Titled(c).edLineSpacing = "nan"; },
     TInvalidSettingsField::LineSpacing,
     {}},
    {"LineSpacingTwoSeparators",
     [](auto& c) { Titled(c).edLineSpacing = "1,2.5"; },
     TInvalidSettingsField::LineSpacing,
     {}},
    {"LineSpacingEmpty",
     [](auto& c) { Titled(c).edLineSpacing = ""; },
     TInvalidSettingsField::LineSpacing,
     {}},
    {"TocSizeAbove", [](auto& c) { c.edTocTextSize = "50"; }, TInvalidSettingsField::None,
     [](const auto& s) { EXPECT_EQ(s.TocTextSize, 36); }},
    {"TocSizeBelow", [](auto& c) { c.edTocTextSize = "3"; }, TInvalidSettingsField::None,
     [](const auto& s) { EXPECT_EQ(s.TocTextSize, 6); }},
    {"TocSizeFraction",
     [](auto& c) { Titled(c).edTocTextSize = "12.5"; },
     TInvalidSettingsField::TocTextSize,
     {}},
    {"BorderWidthZero", [](auto& c) { c.edTableBorderWidth = "0"; }, TInvalidSettingsField::None,
     [](const auto& s) { EXPECT_EQ(s.TableBorderWidth, 1); }},
    {"BorderWidthNegative", [](auto& c) { c.edTableBorderWidth = " -5 "; },
     TInvalidSettingsField::None, [](const auto& s) { EXPECT_EQ(s.TableBorderWidth, 1); }},
    {"BorderWidthAbove", [](auto& c) { c.edTableBorderWidth = "+20"; }, TInvalidSettingsField::None,
     [](const auto& s) { EXPECT_EQ(s.TableBorderWidth, 12); }},
    {"BorderWidthText",
     [](auto& c) { Titled(c).edTableBorderWidth = "thin"; },
     TInvalidSettingsField::TableBorderWidth,
     {}},
    {"PrintedManual",
     [](auto& c) {
         c.cmbPdfPaperSize = 1;
         c.edPdfMarginTop = "3";
         c.edPdfMarginBottom = " 60 ";
         c.edPdfMarginInner = "25";
         c.edPdfCoverSubtitle = "  User Guide ";
         c.edPdfCoverPicture = " assets/images/cover.png ";
     },
     TInvalidSettingsField::None,
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
     [](auto& c) { Titled(c).edPdfMarginOuter = "2 cm"; },
     TInvalidSettingsField::PdfMargins,
     {}},
    {"BodySizeNotInList", [](auto& c) { c.cmbBodyFontSize = "15"; }, TInvalidSettingsField::None,
     [](const auto& s) { EXPECT_EQ(s.FontSizeBody, 15); }},
    {"BodySizeLarge", [](auto& c) { c.cmbBodyFontSize = "500"; }, TInvalidSettingsField::None,
     [](const auto& s) { EXPECT_EQ(s.FontSizeBody, 500); }},
    // Zero would make the editor's text invisible; the file's own floor of
    // 8 applies at once instead of at the next load.
    {"BodySizeZeroRaised", [](auto& c) { c.cmbBodyFontSize = "0"; }, TInvalidSettingsField::None,
     [](const auto& s) { EXPECT_EQ(s.FontSizeBody, 8); }},
    {"BodySizeEmptyUsesHiddenBox",
     [](auto& c) {
         c.cmbBodyFontSize = " ";
         c.edBody = "22";
     },
     TInvalidSettingsField::None, [](const auto& s) { EXPECT_EQ(s.FontSizeBody, 22); }},
    {"BodySizeText",
     [](auto& c) { Titled(c).cmbBodyFontSize = "big"; },
     TInvalidSettingsField::BodyFontSize,
     {}},
    {"BodySizeOverflow",
     [](auto& c) { Titled(c).cmbBodyFontSize = "99999999999"; },
     TInvalidSettingsField::BodyFontSize,
     {}},
    {"HeadingSizeBroken",
     [](auto& c) { Titled(c).edH2 = "x"; },
     TInvalidSettingsField::HeadingSizes,
     {}},
    {"FontNotInstalledKeepsStoredName",
     [](auto& c) {
         c.cmbFontName = "";
         c.edFontName = "Fancy Font";
     },
     TInvalidSettingsField::None,
     [](const auto& s) { EXPECT_EQ(s.DefaultFontName, "Fancy Font"); }},
    {"FontBothEmpty",
     [](auto& c) {
         c.cmbFontName = "";
         c.edFontName = "  ";
     },
     TInvalidSettingsField::None, [](const auto& s) { EXPECT_EQ(s.DefaultFontName, "Segoe UI"); }},
    {"StylesAndColors",
     [](auto& c) {
         c.cmbLinkStyle = 0;
         c.cmbTableBorderStyle = -1;
         c.cbHeaderBg = MakeColor(1, 2, 3);
         c.chkCopyright = true;
         c.edCopyrightText = " (c) Me ";
     },
     TInvalidSettingsField::None,
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
    const TProjectSettingsControls c = LoadControls(settings, kFonts);
    EXPECT_EQ(c.cmbFontName, "Verdana"); // the list's spelling
    EXPECT_EQ(c.edFontName, "verdana");
    EXPECT_EQ(c.edLineSpacing, "1.25");
    EXPECT_EQ(c.cmbBodyFontSize, "16");
    EXPECT_EQ(c.edH1, "40");
    EXPECT_EQ(c.cmbLinkStyle, 1);        // not in the list: "solid"
    EXPECT_EQ(c.cmbTableBorderStyle, 0); // not in the list: "solid"

    settings.DefaultFontName = "Not Installed";
    EXPECT_EQ(LoadControls(settings, kFonts).cmbFontName, "");
}

TEST(SettingsDialogModelTest, UntouchedDialogKeepsEverySetting) {
    TProjectSettings settings;
    settings.FontSizeH1 = 200;
    settings.DefaultFontName = "Not Installed";
    settings.DefaultTextBackColor = MakeColor(9, 9, 9);
    const std::string before = WriteJson(settings.ToJson());
    EXPECT_EQ(StoreControls(LoadControls(settings, kFonts), settings), TInvalidSettingsField::None);
    EXPECT_EQ(WriteJson(settings.ToJson()), before);
}

TEST(SettingsDialogModelTest, FontListSortedIgnoringCaseWithoutDuplicates) {
    EXPECT_EQ(SortedFontFamilies({"verdana", "Arial", "DejaVu Sans", "arial", "Verdana"}),
              (std::vector<std::string>{"Arial", "DejaVu Sans", "verdana"}));
    EXPECT_EQ(BodyFontSizeItems().size(), 19u);
}

} // namespace
} // namespace quillmark
