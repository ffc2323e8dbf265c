#include "editor/DefaultContent.h"

#include <gtest/gtest.h>

using namespace quillmark;

namespace {

TProjectSettings Settings(const std::string& font, int32_t size, TColor color, double spacing) {
    TProjectSettings s;
    s.DefaultFontName = font;
    s.FontSizeBody = size;
    s.DefaultTextColor = color;
    s.DefaultLineSpacing = spacing;
    return s;
}

} // namespace

TEST(DefaultContent, ParagraphCarriesFontSizeColourAndSpacing) {
    struct Case {
        TProjectSettings settings;
        std::string expected;
    };
    const Case cases[] = {
        {Settings("Segoe UI", 14, MakeColor(0, 0, 0), 1.5),
         R"(<p style="font-family:Segoe UI, Arial, sans-serif;font-size:14px;color:#000000;line-height:1.5;"><br></p>)"},
        {Settings("  ", 16, MakeColor(0xAA, 0, 0x0F), 2),
         R"(<p style="font-family:Segoe UI, Arial, sans-serif;font-size:16px;color:#AA000F;line-height:2;"><br></p>)"},
        {Settings(" My \"Font\"\t", 9, SystemColor(8), 1.25),
         R"(<p style="font-family:My &quot;Font&quot;, Arial, sans-serif;font-size:9px;color:#000000;line-height:1.25;"><br></p>)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DefaultParagraphHtml(c.settings), c.expected);
}

TEST(DefaultContent, HeaderEscapesTheTitleAndUsesTheBodySize) {
    TProjectSettings s = Settings("Segoe UI", 15, MakeColor(0x12, 0x34, 0x56), 1.5);
    s.FontSizeH1 = 40;
    EXPECT_EQ(
        DefaultHeaderHtml(s, "A & <B> \"C\" 'd' &amp;"),
        R"(<div style="font-size:15px;font-family:Segoe UI, Arial, sans-serif;color:#123456;">)"
        R"(<b>A &amp; &lt;B&gt; &quot;C&quot; 'd' &amp;amp;</b></div>)");
}

TEST(DefaultContent, PlainTextDropsTagsAndDecodesSevenEntities) {
    const std::pair<std::string, std::string> cases[] = {
        {"<p>A&amp;B</p>", "A&B"},
        {"  <div><b> Title </b></div>\r\n", "Title"},
        {"&NBSP;x&#160;", "x"},
        {"&lt;b&gt; &QUOT;q&quot; &#39;s&#39;", "<b> \"q\" 's'"},
        {"&amp;lt;", "<"}, // decoded one after the other
        {"&copy; &apos;", "&copy; &apos;"},
        {"a > b", "a  b"},
        {"text <b unterminated", "text"},
        {"caf\xC3\xA9", "caf\xC3\xA9"},
    };
    for (const auto& [html, expected] : cases)
        EXPECT_EQ(HtmlToPlainText(html), expected) << html;
}

TEST(DefaultContent, DefaultHeaderIsRecognisedUntilTheUserChangesIt) {
    const TProjectSettings s;
    struct Case {
        std::string header;
        std::string title;
        bool expected;
    };
    const Case cases[] = {
        {DefaultHeaderHtml(s, "Intro"), "Intro", true},
        {DefaultHeaderHtml(s, "Intro"), "  INTRO ", true},
        {DefaultHeaderHtml(s, "My Project"), "Intro", true}, // the project title
        {DefaultHeaderHtml(s, "Q & <A>"), "Q & <A>", true},
        {DefaultHeaderHtml(s, "Intro v2"), "Intro", false},
        {"<div><b><a href=\"x\">Intro</a></b></div>", "Intro", false},
        {"<div><IMG src=\"x.png\"><b>Intro</b></div>", "Intro", false},
        {"<div><b>Intro</b><table></table></div>", "Intro", false},
        {"", "", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsDefaultHeader(c.header, c.title, "My Project"), c.expected) << c.header;
}

TEST(DefaultContent, TopicContentIsEmptyWithoutTextOrEmbeddedObjects) {
    const std::pair<std::string, bool> cases[] = {
        {"", true},
        {"<p><br></p>", true},
        {"<p>&nbsp;</p>", true},
        {"<p>&#160;\xC2\xA0\r\n\t </p><p></p>", true},
        {DefaultParagraphHtml(TProjectSettings()), true},
        {"<p>x</p>", false},
        {"<p>&amp;</p>", false},
        {"<p><img src=a.png></p>", false},
        {"<TABLE><tr><td></td></tr></TABLE>", false},
        {"<video src=\"clip.mp4\"></video>", false},
        {"<iframe src=\"x.html\"></iframe>", false},
        {"<audio src=\"a.mp3\"></audio>", false},
        {"<object data=\"x.pdf\"></object>", false},
        {"<embed src=\"x.swf\">", false},
        {"<svg viewBox=\"0 0 1 1\"></svg>", false},
    };
    for (const auto& [html, expected] : cases)
        EXPECT_EQ(IsTopicContentEmpty(html), expected) << html;
}
