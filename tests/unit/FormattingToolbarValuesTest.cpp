#include "editor/FormattingToolbarValues.h"

#include "base/HtmlColor.h"

#include <gtest/gtest.h>

using namespace quillmark;

TEST(FormattingToolbarValues, FormatLineHeightRatioDropsTrailingZerosAndPoint) {
    const std::pair<double, const char*> cases[] = {
        {1.5, "1.5"}, {1.25, "1.25"}, {1.333, "1.33"}, {1.0, "1"},
        {2.0, "2"},   {1.999, "2"},   {10.0, "10"},    {1.15, "1.15"},
    };
    for (const auto& [ratio, text] : cases)
        EXPECT_EQ(FormatLineHeightRatio(ratio), text) << ratio;
}

TEST(FormattingToolbarValues, ReadsWholeAndDecimalNumbersOrZero) {
    const std::pair<const char*, int32_t> whole[] = {
        {"16", 16},
        {"+16", 16},
        {"-3", -3},
        {"007", 7},
        {"14.5", 0},
        {"abc", 0},
        {"", 0},
        {"1 6", 0},
        {"0x10", 0},
        {"+", 0},
        {"99999999999999", 2147483647},
    };
    for (const auto& [text, value] : whole)
        EXPECT_EQ(ReadWholeNumber(text), value) << text;

    const std::pair<const char*, double> decimal[] = {
        {"1.5", 1.5}, {"2", 2.0},   {".5", 0.5},   {"+1.25", 1.25}, {"1e0", 1.0},
        {"-1", -1.0}, {"1,5", 0},   {"normal", 0}, {"inf", 0},      {"nan", 0},
        {"-inf", 0},  {"1e999", 0}, {"", 0},       {"1.5x", 0},
    };
    for (const auto& [text, value] : decimal)
        EXPECT_DOUBLE_EQ(ReadDecimalNumber(text), value) << text;
}

TEST(FormattingToolbarValues, ReportedLineHeightBecomesARatioOnlyForPixelsWithAKnownSize) {
    struct Case {
        const char* LineHeight;
        int32_t FontSizePx;
        const char* Shown;
    } const cases[] = {
        {"21px", 14, "1.5"},   {"14px", 14, "1"},    {"10px", 14, "1"},
        {" 24PX ", 16, "1.5"}, {"21px", 0, "21px"},  {"normal", 14, "normal"},
        {"1.5", 14, "1.5"},    {"abcpx", 14, "abc"}, {"18,9px", 14, "1.35"},
        {"", 14, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReportedLineHeightText(c.LineHeight, c.FontSizePx), c.Shown) << c.LineHeight;
}

TEST(FormattingToolbarValues, HtmlToColorReadsPageColoursWithFallback) {
    const TColor fallback = MakeColor(1, 2, 3);
    const std::pair<const char*, TColor> cases[] = {
        {"#FF0000", MakeColor(255, 0, 0)},
        {" #00ff80 ", MakeColor(0, 255, 128)},
        {"transparent", MakeColor(255, 255, 255)},
        {"TRANSPARENT", MakeColor(255, 255, 255)},
        {"", MakeColor(255, 255, 255)},
        {"rgb(255, 0, 0)", fallback},
        {"#fff", fallback},
        {"#GG0000", fallback},
        {"red", fallback},
    };
    for (const auto& [text, color] : cases)
        EXPECT_EQ(HtmlToColor(text, fallback), color) << text;
}
