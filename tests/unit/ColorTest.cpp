#include "base/Color.h"

#include <gtest/gtest.h>

using namespace quillmark;

TEST(Color, ToHtmlWritesRedGreenBlueInUpperCase) {
    struct Case {
        TColor color;
        std::string expected;
    };
    const Case cases[] = {
        {MakeColor(0xE7, 0xEF, 0xF5), "#E7EFF5"},
        {MakeColor(0, 0, 0xFF), "#0000FF"},
        {MakeColor(0xFF, 0, 0), "#FF0000"},
        {MakeColor(0x0A, 0xB0, 0x0C), "#0AB00C"},
        {0x00F5EFE7, "#E7EFF5"},      // the stored form is 0x00BBGGRR
        {SystemColor(5), "#FFFFFF"},  // window
        {SystemColor(8), "#000000"},  // window text
        {SystemColor(15), "#D4D0C8"}, // button face
        {SystemColor(24), "#FFFFE1"}, // tooltip background
        {SystemColor(200), "#000000"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ColorToHtml(c.color), c.expected) << std::hex << c.color;
}

TEST(Color, ReadsOnlySevenCharacterHexText) {
    const TColor fallback = MakeColor(1, 2, 3);
    struct Case {
        std::string text;
        TColor expected;
    };
    const Case cases[] = {
        {"#FF0000", MakeColor(0xFF, 0, 0)},
        {"#e7eff5", MakeColor(0xE7, 0xEF, 0xF5)},
        {"#aBcDeF", MakeColor(0xAB, 0xCD, 0xEF)},
        {" \t#00FF00\r\n", MakeColor(0, 0xFF, 0)},
        {"#000000", MakeColor(0, 0, 0)},
        {"", fallback},
        {"#F00", fallback},
        {"red", fallback},
        {"rgb(255, 0, 0)", fallback},
        {"#FF00G0", fallback},
        {"#FF 000", fallback},
        {"FF00000", fallback},
        {"#FF00000", fallback},
        {std::string("#\xC3\xA9") + "0000", fallback}, // seven bytes, six characters
    };
    for (const Case& c : cases)
        EXPECT_EQ(HtmlToColorOr(c.text, fallback), c.expected) << c.text;
}

TEST(Color, HtmlTextRoundTrips) {
    for (const TColor color : {MakeColor(0, 0, 0), MakeColor(0x12, 0x34, 0x56),
                               MakeColor(0xFF, 0xFF, 0xFF), MakeColor(0x99, 0x99, 0x99)})
        EXPECT_EQ(HtmlToColorOr(ColorToHtml(color), MakeColor(1, 2, 3)), color);
    // A system colour is written as its resolved value and reads back as that.
    EXPECT_EQ(HtmlToColorOr(ColorToHtml(SystemColor(5)), 0), MakeColor(0xFF, 0xFF, 0xFF));
}
