#include "settings/ProjectSettings.h"

#include "TestHelpers.h"
#include "base/FileHelpers.h"
#include "base/QuillError.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <random>

using namespace quillmark;

namespace {

const std::string kBom = "\xEF\xBB\xBF";

const std::string kDefaultLine =
    R"({"ProjTitle":"Untitled Documentation","FontSizeH1":32,"FontSizeH2":24,"FontSizeH3":18,)"
    R"("FontSizeBody":16,"DefaultTextColor":"#000000","DefaultFontName":"Segoe UI",)"
    R"("DefaultTextBackColor":"#FFFFFF","DefaultLineSpacing":1.5,"DefaultPageBgColor":"#FFFFFF",)"
    R"("DefaultHeaderBgColor":"#E7EFF5","TocTextColor":"#000000","TocTextSize":12,)"
    R"("CopyrightEnabled":false,"CopyrightText":"","LinkColor":"#0000FF","LinkStyle":"solid",)"
    R"("TableBorderStyle":"solid","TableBorderWidth":1,"TableBorderColor":"#999999",)"
    R"("PdfPaperSize":"A4","PdfMarginTop":20,"PdfMarginBottom":20,"PdfMarginInner":20,)"
    R"("PdfMarginOuter":20,"PdfCoverSubtitle":"","PdfCoverVersion":"","PdfCoverPicture":"",)"
    R"("ContentLanguage":"en"})";

class ProjectSettingsFile : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("quillmark-settings-" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }

    std::string WriteRaw(const std::string& name, const std::string& bytes) const {
        const std::string path = PathOf(name);
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    std::filesystem::path folder_;
};

// Settings that differ from the defaults in every field, to see what a load
// leaves alone.
TProjectSettings Customised() {
    TProjectSettings s;
    s.ProjTitle = "Mine";
    s.FontSizeBody = 13;
    s.DefaultTextColor = MakeColor(1, 2, 3);
    s.CopyrightEnabled = true;
    s.CopyrightText = "(c) me";
    s.LinkStyle = "dashed";
    return s;
}

TProjectSettings Applied(const std::string& json, TProjectSettings s = TProjectSettings()) {
    const auto value = ParseJson(json);
    EXPECT_TRUE(value.has_value()) << json;
    if (value)
        s.FromJson(*value);
    return s;
}

} // namespace

TEST_F(ProjectSettingsFile, NewObjectSavesTheDefaultLineAfterAByteOrderMark) {
    const std::string path = TProjectSettings::DefaultSettingsPathForProject(PathOf("proj") + "/");
    EXPECT_EQ(path, PathOf("proj") + "/meta/project_settings.json");
    EXPECT_EQ(TProjectSettings::DefaultSettingsPathForProject(PathOf("proj")), path);

    TProjectSettings().SaveToFile(path); // creates proj/meta
    EXPECT_EQ(ReadFileBytes(path), kBom + kDefaultLine);

    TProjectSettings changed = Customised();
    changed.SetDefaults();
    EXPECT_EQ(WriteJson(changed.ToJson()), kDefaultLine);
}

TEST_F(ProjectSettingsFile, RoundTripKeepsEveryField) {
    TProjectSettings s;
    s.ProjTitle = std::string("\xC3\x9C") + "bersicht \xE2\x80\x93 \xCE\xA9 / A";
    s.FontSizeH1 = 40;
    s.FontSizeH2 = 30;
    s.FontSizeH3 = 20;
    s.FontSizeBody = 14;
    s.DefaultTextColor = MakeColor(0x11, 0x22, 0x33);
    s.DefaultFontName = "Noto \"Sans\"";
    s.DefaultTextBackColor = MakeColor(0xFE, 0xFD, 0xFC);
    s.DefaultLineSpacing = 2;
    s.DefaultPageBgColor = MakeColor(0xFA, 0xFA, 0xFA);
    s.DefaultHeaderBgColor = SystemColor(15);
    s.TocTextColor = MakeColor(0x44, 0x55, 0x66);
    s.TocTextSize = 10;
    s.CopyrightEnabled = true;
    s.CopyrightText = "\xC2\xA9 2024";
    s.LinkColor = MakeColor(0xAA, 0, 0);
    s.LinkStyle = "none";
    s.TableBorderStyle = "double";
    s.TableBorderWidth = 3;
    s.TableBorderColor = MakeColor(0, 0, 0);
    s.PdfPaperSize = "Letter";
    s.PdfMarginTop = 5;
    s.PdfMarginBottom = 50;
    s.PdfMarginInner = 25;
    s.PdfMarginOuter = 12;
    s.PdfCoverSubtitle = "User Guide";
    s.PdfCoverVersion = "Version {var:Version}";
    s.PdfCoverPicture = "assets/images/cover.png";

    const std::string path = PathOf("preset.json");
    s.SavePreset(path);
    const std::string text = ReadFileBytes(path);
    EXPECT_NE(text.find(R"("ProjTitle":"\u00DCbersicht \u2013 \u03A9 \/ A")"), std::string::npos);
    EXPECT_NE(text.find(R"("DefaultLineSpacing":2,)"), std::string::npos);
    EXPECT_NE(text.find(R"("DefaultHeaderBgColor":"#D4D0C8")"), std::string::npos);

    TProjectSettings back;
    ASSERT_TRUE(back.LoadPreset(path));
    s.DefaultHeaderBgColor = MakeColor(0xD4, 0xD0, 0xC8); // written resolved
    EXPECT_EQ(WriteJson(back.ToJson()), WriteJson(s.ToJson()));
    EXPECT_EQ(back.ProjTitle, s.ProjTitle);

    // The same text without the mark, or as UTF-16 with a mark, reads the same.
    const std::string line = text.substr(kBom.size());
    std::string utf16le = "\xFF\xFE", utf16be = "\xFE\xFF";
    for (const unsigned char c : line) { // the written line is plain ASCII
        utf16le += static_cast<char>(c);
        utf16le += '\0';
        utf16be += '\0';
        utf16be += static_cast<char>(c);
    }
    for (const auto& [name, bytes] : {std::pair<std::string, std::string>{"plain.json", line},
                                      {"le.json", utf16le},
                                      {"be.json", utf16be}}) {
        TProjectSettings other;
        EXPECT_TRUE(other.LoadFromFile(WriteRaw(name, bytes))) << name;
        EXPECT_EQ(WriteJson(other.ToJson()), WriteJson(s.ToJson())) << name;
    }
}

TEST_F(ProjectSettingsFile, UnreadableFilesLeaveTheSettingsUnchanged) {
    const std::string before = WriteJson(Customised().ToJson());
    const std::pair<std::string, std::string> files[] = {
        {"empty.json", ""},
        {"text.json", "not json"},
        {"cut.json", kBom + R"({"ProjTitle":"X")"},
        {"array.json", kBom + R"([{"ProjTitle":"X"}])"},
        {"string.json", R"("ProjTitle")"},
    };
    for (const auto& [name, bytes] : files) {
        TProjectSettings s = Customised();
        EXPECT_FALSE(s.LoadFromFile(WriteRaw(name, bytes))) << name;
        EXPECT_EQ(WriteJson(s.ToJson()), before) << name;
    }
    TProjectSettings s = Customised();
    EXPECT_FALSE(s.LoadFromFile(PathOf("missing.json")));
    EXPECT_FALSE(s.LoadFromFile(folder_.string())); // a folder is no file
    EXPECT_EQ(WriteJson(s.ToJson()), before);
}

TEST_F(ProjectSettingsFile, ErrorsNameTheFileAndTheMember) {
    using quillmark::testing::ErrorOf;
    const std::string big = WriteRaw("big.json", R"({"TocTextSize":3000000000})");
    const std::string deep = WriteRaw("deep.json", std::string(600, '[') + std::string(600, ']'));
    TProjectSettings s;
    EXPECT_EQ(ErrorOf([&] { s.LoadFromFile(big); }),
              big + ": \"TocTextSize\": '3000000000' is not a valid integer value");
    EXPECT_EQ(ErrorOf([&] { s.LoadFromFile(deep); }),
              deep + ": Arrays and objects are nested more than 512 levels deep.");
}

TEST_F(ProjectSettingsFile, LoadAppliesOverCurrentValues) {
    TProjectSettings s = Customised();
    ASSERT_TRUE(s.LoadFromFile(WriteRaw("part.json", kBom + R"({"ProjTitle":"Other"})")));
    EXPECT_EQ(s.ProjTitle, "Other");
    EXPECT_EQ(s.FontSizeBody, 13);
    EXPECT_EQ(s.DefaultTextColor, MakeColor(1, 2, 3));
    EXPECT_TRUE(s.CopyrightEnabled);
    EXPECT_EQ(s.CopyrightText, "(c) me");
    EXPECT_EQ(s.LinkStyle, "dashed");
}

TEST_F(ProjectSettingsFile, SaveReportsAFolderThatCannotBeMade) {
    const std::string blocker = WriteRaw("blocker", "x");
    EXPECT_THROW(TProjectSettings().SaveToFile(blocker + "/meta/project_settings.json"),
                 QuillError);
}

TEST(ProjectSettings, NumbersAreClampedToTheirRanges) {
    struct Case {
        std::string json;
        int32_t TProjectSettings::*field;
        int32_t expected;
    };
    const Case cases[] = {
        {R"({"FontSizeBody":4})", &TProjectSettings::FontSizeBody, 8},
        {R"({"FontSizeBody":8})", &TProjectSettings::FontSizeBody, 8},
        {R"({"FontSizeH2":-5})", &TProjectSettings::FontSizeH2, 8},
        {R"({"FontSizeH1":200})", &TProjectSettings::FontSizeH1, 200},
        {R"({"TocTextSize":40})", &TProjectSettings::TocTextSize, 36},
        {R"({"TocTextSize":2})", &TProjectSettings::TocTextSize, 6},
        {R"({"TableBorderWidth":0})", &TProjectSettings::TableBorderWidth, 1},
        {R"({"TableBorderWidth":20})", &TProjectSettings::TableBorderWidth, 12},
        {R"({"TableBorderWidth":12})", &TProjectSettings::TableBorderWidth, 12},
        // Sizes come only from JSON numbers.
        {R"({"FontSizeBody":"20"})", &TProjectSettings::FontSizeBody, 16},
        {R"({"FontSizeBody":true})", &TProjectSettings::FontSizeBody, 16},
        {R"({"FontSizeBody":null})", &TProjectSettings::FontSizeBody, 16},
        {R"({"FontSizeBody":-0})", &TProjectSettings::FontSizeBody, 8},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Applied(c.json).*c.field, c.expected) << c.json;

    struct SpacingCase {
        std::string json;
        double expected;
    };
    const SpacingCase spacings[] = {
        {R"({"DefaultLineSpacing":0.5})", 1},     {R"({"DefaultLineSpacing":7})", 5},
        {R"({"DefaultLineSpacing":1.25})", 1.25}, {R"({"DefaultLineSpacing":2e0})", 2},
        {R"({"DefaultLineSpacing":"2"})", 1.5},
    };
    for (const SpacingCase& c : spacings)
        EXPECT_DOUBLE_EQ(Applied(c.json).DefaultLineSpacing, c.expected) << c.json;
}

TEST(ProjectSettings, PaperSizeAndMarginsOfThePrintedManual) {
    struct Case {
        std::string json;
        std::string paper;
        int32_t top;
        int32_t outer;
    };
    const Case cases[] = {
        {R"({"ProjTitle":"Older file"})", "Letter", 20, 20},
        {R"({"PdfPaperSize":"A4"})", "A4", 20, 20},
        {R"({"PdfPaperSize":"letter"})", "Letter", 20, 20},
        {R"({"PdfPaperSize":"B5"})", "A4", 20, 20},
        {R"({"PdfPaperSize":"A4","PdfMarginTop":4,"PdfMarginOuter":51})", "A4", 5, 50},
        {R"({"PdfPaperSize":"A4","PdfMarginTop":"12","PdfMarginOuter":33})", "A4", 20, 33},
    };
    for (const Case& c : cases) {
        const TProjectSettings s = Applied(c.json);
        EXPECT_EQ(s.PdfPaperSize, c.paper) << c.json;
        EXPECT_EQ(s.PdfMarginTop, c.top) << c.json;
        EXPECT_EQ(s.PdfMarginOuter, c.outer) << c.json;
    }
}

TEST(ProjectSettings, IntegerWithFractionFailsAfterTheMembersBeforeIt) {
    for (const std::string number : {"20.5", "2e1", "16.0", "3000000000"}) {
        TProjectSettings s;
        const auto value = ParseJson(R"({"ProjTitle":"Changed","FontSizeH1":40,"FontSizeBody":)" +
                                     number + R"(,"TocTextSize":20})");
        ASSERT_TRUE(value.has_value());
        try {
            s.FromJson(*value);
            FAIL() << number;
        } catch (const QuillError& e) {
            EXPECT_EQ(std::string(e.what()),
                      "\"FontSizeBody\": '" + number + "' is not a valid integer value");
        }
        EXPECT_EQ(s.ProjTitle, "Changed");
        EXPECT_EQ(s.FontSizeH1, 40);
        EXPECT_EQ(s.FontSizeBody, 16);
        EXPECT_EQ(s.TocTextSize, 12);
    }
}

TEST(ProjectSettings, StyleWordsAreLowerCasedAndChecked) {
    struct Case {
        std::string json;
        std::string linkStyle;
        std::string tableBorderStyle;
    };
    const Case cases[] = {
        {R"({"LinkStyle":"Dotted"})", "dotted", "solid"},
        {R"({"LinkStyle":"wavy"})", "solid", "solid"},
        {R"({"LinkStyle":"none","TableBorderStyle":"none"})", "none", "solid"},
        {R"({"LinkStyle":"DOUBLE","TableBorderStyle":"Dashed"})", "double", "dashed"},
        {R"({"LinkStyle":" dotted","TableBorderStyle":""})", "solid", "solid"},
        {R"({"TableBorderStyle":"dotted"})", "dashed", "dotted"}, // LinkStyle kept
    };
    for (const Case& c : cases) {
        const TProjectSettings s = Applied(c.json, Customised());
        EXPECT_EQ(s.LinkStyle, c.linkStyle) << c.json;
        EXPECT_EQ(s.TableBorderStyle, c.tableBorderStyle) << c.json;
    }
}

TEST(ProjectSettings, ColoursFallBackToTheCurrentValue) {
    const TColor current = MakeColor(1, 2, 3);
    struct Case {
        std::string value;
        TColor expected;
    };
    const Case cases[] = {
        {R"("#FF0000")", MakeColor(0xFF, 0, 0)},
        {R"(" #00ff00 ")", MakeColor(0, 0xFF, 0)},
        {R"("#F00")", current},
        {R"("red")", current},
        {R"("#FF00Z0")", current},
        {"16711680", current},
        {"null", current},
    };
    for (const Case& c : cases) {
        TProjectSettings s;
        s.DefaultTextColor = current;
        s.TableBorderColor = current;
        s.FromJson(*ParseJson(R"({"DefaultTextColor":)" + c.value + R"(,"TableBorderColor":)" +
                              c.value + "}"));
        EXPECT_EQ(s.DefaultTextColor, c.expected) << c.value;
        EXPECT_EQ(s.TableBorderColor, c.expected) << c.value;
    }
}

TEST(ProjectSettings, TextAndFlagMembersAreReadLeniently) {
    struct Case {
        std::string value;
        std::optional<bool> expected; // nothing: the field is left as it was
    };
    const Case flags[] = {
        {"true", true},         {"false", false},           {R"(" TRUE ")", true},
        {R"("False")", false},  {R"("yes")", std::nullopt}, {"1", std::nullopt},
        {"null", std::nullopt}, {R"("")", std::nullopt},
    };
    for (const Case& c : flags) {
        for (const bool before : {false, true}) {
            TProjectSettings s;
            s.CopyrightEnabled = before;
            s.FromJson(*ParseJson(R"({"CopyrightEnabled":)" + c.value + "}"));
            EXPECT_EQ(s.CopyrightEnabled, c.expected.value_or(before)) << c.value << before;
        }
    }

    const TProjectSettings s =
        Applied(R"({"ProjTitle":5,"DefaultFontName":"  Arial ","CopyrightText":null})");
    EXPECT_EQ(s.ProjTitle, "5");
    EXPECT_EQ(s.DefaultFontName, "  Arial ");
    EXPECT_EQ(s.CopyrightText, "null");
}
