#include "publish/SettingsCss.h"

#include "TempFolder.h"
#include "base/FileHelpers.h"
#include "base/TextUtils.h"
#include "editor/EditorEffectiveCss.h"
#include "model/DocProject.h"
#include "settings/ProjectSettings.h"

#include <clocale>
#include <functional>
#include <gtest/gtest.h>
#include <locale>
#include <string>
#include <utility>
#include <vector>

using namespace quillmark;
using quillmark::testing::TempFolder;

namespace {

const std::string kDefaultStandardBlock =
    "\r\n"
    "/* Project settings overrides */\r\n"
    "body {\r\n"
    "  font-family: \"Segoe UI\", Arial, sans-serif !important;\r\n"
    "  font-size: 16px !important;\r\n"
    "  color: #000000 !important;\r\n"
    "  line-height: 1.5 !important;\r\n"
    "}\r\n"
    "a, a:link, a:visited {\r\n"
    "  color: #0000FF !important;\r\n"
    "  text-decoration-line: underline !important;\r\n"
    "  text-decoration-style: solid !important;\r\n"
    "}\r\n"
    "table {\r\n"
    "  border-collapse: collapse;\r\n"
    "  max-width: 100%;\r\n"
    "}\r\n"
    "table, td, th {\r\n"
    "  border-style: solid !important;\r\n"
    "  border-width: 1px !important;\r\n"
    "  border-color: #999999 !important;\r\n"
    "}\r\n"
    "td, th {\r\n"
    "  padding: 6px;\r\n"
    "  vertical-align: top;\r\n"
    "}\r\n"
    "table tr:first-child > td, table tr:first-child > th {\r\n"
    "  background: #E7EFF5 !important;\r\n"
    "  background-color: #E7EFF5 !important;\r\n"
    "}\r\n";

const std::string kDefaultChmBlock =
    "\r\n"
    "/* Project settings overrides */\r\n"
    "body {\r\n"
    "  font-family: \"Segoe UI\", Arial, sans-serif !important;\r\n"
    "  font-size: 16px !important;\r\n"
    "  color: #000000 !important;\r\n"
    "  line-height: 1.5 !important;\r\n"
    "}\r\n"
    "a, a:link, a:visited {\r\n"
    "  color: #0000FF !important;\r\n"
    "  text-decoration: none !important;\r\n"
    "  border-bottom-width: 1px !important;\r\n"
    "  border-bottom-style: solid !important;\r\n"
    "  border-bottom-color: #0000FF !important;\r\n"
    "}\r\n"
    "table {\r\n"
    "  border-collapse: collapse;\r\n"
    "  max-width: 100%;\r\n"
    "  border: 1px solid #999999 !important;\r\n"
    "}\r\n"
    "td, th {\r\n"
    "  border: 1px solid #999999 !important;\r\n"
    "  padding: 6px;\r\n"
    "  vertical-align: top;\r\n"
    "}\r\n"
    "table thead td, table thead th, table tr:first-child td, table tr:first-child th {\r\n"
    "  background: #E7EFF5 !important;\r\n"
    "  background-color: #E7EFF5 !important;\r\n"
    "}\r\n";

const std::string kFallbackBase = "body{font-family:Segoe UI,Arial;line-height:1.5;margin:0;}";
// The weightless rules at the top of every target's stylesheet.
const std::string kShared =
    ":where(p){margin:0 0 0.8em;}:where(img){max-width:100%;}"
    ":where(table){border-collapse:collapse;margin:0 0 1em;}"
    ":where(td,th){border:1px solid #999999;padding:6px;vertical-align:top;}\r\n";

using Replacements = std::vector<std::pair<std::string, std::string>>;

std::string Replaced(std::string text, const Replacements& replacements) {
    for (const auto& [from, to] : replacements)
        text = ReplaceAll(text, from, to);
    return text;
}

TEST(SettingsCss, DefaultSettingsGiveTheStandardBlockToThreeTargetsAndTheChmBlockToChm) {
    const TProjectSettings settings;
    EXPECT_EQ(BuildSettingsCss(&settings, TStylesheetTarget::stEditor), kDefaultStandardBlock);
    EXPECT_EQ(BuildSettingsCss(&settings, TStylesheetTarget::stWebHelp), kDefaultStandardBlock);
    EXPECT_EQ(BuildSettingsCss(&settings, TStylesheetTarget::stPdf), kDefaultStandardBlock);
    EXPECT_EQ(BuildSettingsCss(&settings, TStylesheetTarget::stChm), kDefaultChmBlock);
}

TEST(SettingsCss, NoSettingsGiveAnEmptyBlock) {
    for (const auto target : {TStylesheetTarget::stEditor, TStylesheetTarget::stWebHelp,
                              TStylesheetTarget::stChm, TStylesheetTarget::stPdf})
        EXPECT_EQ(BuildSettingsCss(nullptr, target), "");
}

TEST(SettingsCss, SettingsOutsideTheBlockDoNotChangeIt) {
    TProjectSettings settings;
    settings.ProjTitle = "Manual";
    settings.FontSizeH1 = 40;
    settings.DefaultTextBackColor = MakeColor(1, 2, 3);
    settings.DefaultPageBgColor = MakeColor(4, 5, 6);
    settings.TocTextColor = MakeColor(7, 8, 9);
    settings.TocTextSize = 20;
    settings.CopyrightEnabled = true;
    settings.CopyrightText = "(c) Us";
    EXPECT_EQ(BuildSettingsCss(&settings, TStylesheetTarget::stEditor), kDefaultStandardBlock);
    EXPECT_EQ(BuildSettingsCss(&settings, TStylesheetTarget::stChm), kDefaultChmBlock);
}

struct BlockCase {
    const char* name;
    std::function<void(TProjectSettings&)> change;
    Replacements standard; // applied to the default standard block
    Replacements chm;      // applied to the default CHM block
};

const std::vector<BlockCase>& BlockCases() {
    static const std::vector<BlockCase> cases = {
        {"link style trimmed and lowered",
         [](TProjectSettings& s) { s.LinkStyle = "  Dotted "; },
         {{"text-decoration-style: solid", "text-decoration-style: dotted"}},
         {{"border-bottom-style: solid", "border-bottom-style: dotted"}}},
        {"empty link style is solid", [](TProjectSettings& s) { s.LinkStyle = ""; }, {}, {}},
        {"link style none in any letter case",
         [](TProjectSettings& s) { s.LinkStyle = "NONE"; },
         {{"  text-decoration-line: underline !important;\r\n"
           "  text-decoration-style: solid !important;\r\n",
           "  text-decoration: none !important;\r\n"}},
         {{"  border-bottom-width: 1px !important;\r\n"
           "  border-bottom-style: solid !important;\r\n"
           "  border-bottom-color: #0000FF !important;\r\n",
           "  border-bottom: none !important;\r\n"}}},
        {"empty table border style",
         [](TProjectSettings& s) { s.TableBorderStyle = ""; },
         {{"border-style: solid !important", "border-style:  !important"}},
         {{"border: 1px solid #999999", "border: 1px  #999999"}}},
        {"table border style, width and colour",
         [](TProjectSettings& s) {
             s.TableBorderStyle = " Double";
             s.TableBorderWidth = 12;
             s.TableBorderColor = MakeColor(0x0A, 0xBC, 0xDE);
         },
         {{"border-style: solid", "border-style: double"},
          {"border-width: 1px", "border-width: 12px"},
          {"border-color: #999999", "border-color: #0ABCDE"}},
         {{"border: 1px solid #999999", "border: 12px double #0ABCDE"}}},
        {"colours",
         [](TProjectSettings& s) {
             s.DefaultTextColor = MakeColor(0x12, 0x34, 0x56);
             s.LinkColor = MakeColor(0xAB, 0xCD, 0xEF);
             s.DefaultHeaderBgColor = MakeColor(0xFF, 0xF8, 0xE1);
         },
         {{"color: #000000", "color: #123456"}, {"#0000FF", "#ABCDEF"}, {"#E7EFF5", "#FFF8E1"}},
         {{"color: #000000", "color: #123456"}, {"#0000FF", "#ABCDEF"}, {"#E7EFF5", "#FFF8E1"}}},
        {"font size",
         [](TProjectSettings& s) { s.FontSizeBody = 8; },
         {{"font-size: 16px", "font-size: 8px"}},
         {{"font-size: 16px", "font-size: 8px"}}},
        {"font trimmed",
         [](TProjectSettings& s) { s.DefaultFontName = "\t Georgia  "; },
         {{"\"Segoe UI\"", "\"Georgia\""}},
         {{"\"Segoe UI\"", "\"Georgia\""}}},
        {"blank font is Segoe UI", [](TProjectSettings& s) { s.DefaultFontName = "   "; }, {}, {}},
        {"double quote in the font",
         [](TProjectSettings& s) { s.DefaultFontName = "My \"Best\" Font"; },
         {{"\"Segoe UI\"", "\"My \\\"Best\\\" Font\""}},
         {{"\"Segoe UI\"", "\"My \\\"Best\\\" Font\""}}},
        // A backslash or line break must not end the quoted name and let the
        // rest of the setting through as rules.
        {"backslash and control characters in the font",
         [](TProjectSettings& s) { s.DefaultFontName = "A\\\"; } p { x: y\nB"; },
         {{"\"Segoe UI\"", "\"A\\\\\\\"; } p { x: y\\a B\""}},
         {{"\"Segoe UI\"", "\"A\\\\\\\"; } p { x: y\\a B\""}}},
        {"line spacing 1.25",
         [](TProjectSettings& s) { s.DefaultLineSpacing = 1.25; },
         {{"line-height: 1.5", "line-height: 1.25"}},
         {{"line-height: 1.5", "line-height: 1.25"}}},
        {"line spacing 2",
         [](TProjectSettings& s) { s.DefaultLineSpacing = 2; },
         {{"line-height: 1.5", "line-height: 2"}},
         {{"line-height: 1.5", "line-height: 2"}}},
        {"line spacing 1.15",
         [](TProjectSettings& s) { s.DefaultLineSpacing = 1.15; },
         {{"line-height: 1.5", "line-height: 1.15"}},
         {{"line-height: 1.5", "line-height: 1.15"}}},
        {"line spacing rounded to 15 digits",
         [](TProjectSettings& s) { s.DefaultLineSpacing = 1.1 + 0.2; },
         {{"line-height: 1.5", "line-height: 1.3"}},
         {{"line-height: 1.5", "line-height: 1.3"}}},
    };
    return cases;
}

TEST(SettingsCss, EachSettingReachesItsLinesAndNothingElse) {
    for (const auto& c : BlockCases()) {
        SCOPED_TRACE(c.name);
        TProjectSettings settings;
        c.change(settings);
        EXPECT_EQ(BuildSettingsCss(&settings, TStylesheetTarget::stWebHelp),
                  Replaced(kDefaultStandardBlock, c.standard));
        EXPECT_EQ(BuildSettingsCss(&settings, TStylesheetTarget::stChm),
                  Replaced(kDefaultChmBlock, c.chm));
    }
}

TEST(SettingsCss, ClampedSettingsFromAFileAreWrittenAtTheirLimits) {
    TProjectSettings settings;
    settings.FromJson(*ParseJson(R"({"FontSizeBody":4,"DefaultLineSpacing":7,)"
                                 R"("TableBorderWidth":20,"LinkStyle":"wavy"})"));
    EXPECT_EQ(BuildSettingsCss(&settings, TStylesheetTarget::stEditor),
              Replaced(kDefaultStandardBlock, {{"font-size: 16px", "font-size: 8px"},
                                               {"line-height: 1.5", "line-height: 5"},
                                               {"border-width: 1px", "border-width: 12px"}}));
}

struct CommaDecimal : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

TEST(SettingsCss, LineHeightKeepsThePointUnderACommaLocale) {
    const std::locale previous = std::locale::global(std::locale(std::locale(), new CommaDecimal));
    const std::string previousC = std::setlocale(LC_NUMERIC, nullptr);
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "ru_RU.UTF-8"})
        if (std::setlocale(LC_NUMERIC, name) != nullptr)
            break;
    TProjectSettings settings;
    settings.DefaultLineSpacing = 1.25;
    const std::string css = BuildSettingsCss(&settings, TStylesheetTarget::stPdf);
    std::setlocale(LC_NUMERIC, previousC.c_str());
    std::locale::global(previous);
    EXPECT_NE(css.find("  line-height: 1.25 !important;\r\n"), std::string::npos);
}

class SettingsCssComposition : public ::testing::Test {
protected:
    void SetUp() override {
        project_.FRootPath = folder_.Root();
        project_.FStyleProfile = "corporate";
    }
    void WriteStyle(const std::string& name, const std::string& text) const {
        WriteTextFileUtf8(folder_.Path("styles/" + name), text);
    }
    std::string Compose(TStylesheetTarget target) const {
        return ComposeTargetCss(project_, &settings_, target);
    }

    TempFolder folder_;
    TDocProject project_;
    TProjectSettings settings_;
};

TEST_F(SettingsCssComposition, EveryTargetSharesTheFallbacksAndTheProfileStylesheet) {
    // Nothing flattens the profile: its paragraph rule stands in every output.
    WriteStyle("corporate.css", "p{margin:0 0 2em}");
    WriteStyle("default.css", "DEFAULT");
    EXPECT_EQ(Compose(TStylesheetTarget::stEditor),
              kShared + "p{margin:0 0 2em}\r\n" + kDefaultStandardBlock);
    EXPECT_EQ(Compose(TStylesheetTarget::stWebHelp),
              kShared + "p{margin:0 0 2em}" + kDefaultStandardBlock);
    EXPECT_EQ(Compose(TStylesheetTarget::stChm), kShared + "p{margin:0 0 2em}" + kDefaultChmBlock);
    EXPECT_EQ(Compose(TStylesheetTarget::stPdf),
              kShared + "p{margin:0 0 2em}" + kDefaultStandardBlock);
}

TEST_F(SettingsCssComposition, MissingProfileFallsBackToDefaultCssOnlyInTheEditor) {
    WriteStyle("default.css", "DEFAULT");
    EXPECT_EQ(Compose(TStylesheetTarget::stEditor), kShared + "DEFAULT\r\n" + kDefaultStandardBlock);
    for (const auto target : {TStylesheetTarget::stWebHelp, TStylesheetTarget::stPdf})
        EXPECT_EQ(Compose(target), kShared + kFallbackBase + kDefaultStandardBlock);
    EXPECT_EQ(Compose(TStylesheetTarget::stChm), kShared + kFallbackBase + kDefaultChmBlock);
}

TEST_F(SettingsCssComposition, NoStylesheetsAtAllGiveTheBuiltInBase) {
    EXPECT_EQ(Compose(TStylesheetTarget::stEditor),
              kShared + kFallbackBase + "\r\n" + kDefaultStandardBlock);
    EXPECT_EQ(ComposeTargetCss(project_, nullptr, TStylesheetTarget::stEditor),
              kShared + kFallbackBase + "\r\n");
    EXPECT_EQ(ComposeTargetCss(project_, nullptr, TStylesheetTarget::stChm), kShared + kFallbackBase);
}

TEST_F(SettingsCssComposition, ProfileNameThatLeavesTheStylesFolderIsTreatedAsMissing) {
    WriteStyle("default.css", "DEFAULT");
    WriteTextFileUtf8(folder_.Path("secret.css"), "SECRET");
    WriteTextFileUtf8(folder_.Path("styles/sub/inner.css"), "INNER");
    WriteTextFileUtf8(folder_.Path("styles/a\nb.css"), "CONTROL");
    const std::vector<std::string> names = {
        "../secret", "..\\secret", "sub/inner", folder_.Path("secret"), "a\nb", "..",
    };
    for (const auto& name : names) {
        SCOPED_TRACE(name);
        project_.FStyleProfile = name;
        EXPECT_EQ(ProfileStylesheetPath(project_), "");
        EXPECT_EQ(Compose(TStylesheetTarget::stEditor),
                  kShared + "DEFAULT\r\n" + kDefaultStandardBlock);
        EXPECT_EQ(Compose(TStylesheetTarget::stWebHelp),
                  kShared + kFallbackBase + kDefaultStandardBlock);
    }
}

TEST_F(SettingsCssComposition, ProfileNamesWithDotsAndSpacesStayUsable) {
    project_.FStyleProfile = "Corp v1.2 (print)";
    WriteStyle("Corp v1.2 (print).css", "PRINT");
    EXPECT_EQ(ProfileStylesheetPath(project_), folder_.Path("styles/Corp v1.2 (print).css"));
    EXPECT_EQ(Compose(TStylesheetTarget::stWebHelp), kShared + "PRINT" + kDefaultStandardBlock);
}

TEST_F(SettingsCssComposition, EachTargetIsWrittenToItsOwnFile) {
    WriteStyle("corporate.css", "BASE");
    const std::vector<std::pair<TStylesheetTarget, std::string>> targets = {
        {TStylesheetTarget::stEditor, "internal/editor/editor_effective.css"},
        {TStylesheetTarget::stWebHelp, "build/webhelp/style.css"},
        {TStylesheetTarget::stChm, "build/chm/style.css"},
        {TStylesheetTarget::stPdf, "build/pdf/style.css"},
    };
    for (const auto& [target, relative] : targets) {
        SCOPED_TRACE(relative);
        EXPECT_EQ(WriteTargetCss(project_, &settings_, target), folder_.Path(relative));
        EXPECT_EQ(ReadFileBytes(folder_.Path(relative)), Compose(target));
    }
}

TEST_F(SettingsCssComposition, EditorEffectiveCssIsWrittenAndItsFullPathReturned) {
    WriteStyle("default.css", "DEFAULT");
    WriteTextFileUtf8(folder_.Path("internal/editor/editor_effective.css"), "OLD");
    const std::string path = WriteEditorEffectiveCss(project_, &settings_);
    EXPECT_EQ(path, folder_.Path("internal/editor/editor_effective.css"));
    EXPECT_EQ(ReadFileBytes(path), kShared + "DEFAULT\r\n" + kDefaultStandardBlock);

    EXPECT_EQ(ReadFileBytes(WriteEditorEffectiveCss(project_, nullptr)), kShared + "DEFAULT\r\n");
}

} // namespace
