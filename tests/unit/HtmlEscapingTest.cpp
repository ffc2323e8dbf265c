#include "base/HtmlEscaping.h"

#include <gtest/gtest.h>

using namespace quillmark;

namespace {

struct TextCase {
    std::string input;
    std::string expected;
};

} // namespace

TEST(HtmlEscaping, EscapeAndEncodeDifferInTheApostrophe) {
    EXPECT_EQ(EscapeHtml("a<b & 'c'"), "a&lt;b &amp; &#39;c&#39;");
    EXPECT_EQ(EncodeHtml("a<b & 'c'"), "a&lt;b &amp; 'c'");
    EXPECT_EQ(EscapeHtml("\"&amp;\">"), "&quot;&amp;amp;&quot;&gt;");
    EXPECT_EQ(EncodeHtml("\"&amp;\">"), "&quot;&amp;amp;&quot;&gt;");
    EXPECT_EQ(EscapeHtml("caf\xC3\xA9"), "caf\xC3\xA9");
    EXPECT_EQ(EncodeHtml(""), "");
}

TEST(HtmlEscapingDecode, NamedAndNumericReferences) {
    const TextCase cases[] = {
        {"&lt;b&gt; &#65;&#x42; &nbsp;", "<b> AB &nbsp;"},
        {"&amp;&apos;&quot;", "&'\""},
        {"&amp;lt;", "&lt;"}, // one pass: the result is not decoded again
        {"&AMP; &Lt;", "&AMP; &Lt;"},
        {"&#X43;&#x20ac;", "C\xE2\x82\xAC"},
        {"&#128512;", "\xF0\x9F\x98\x80"},
        {"&#1114111;", "\xF4\x8F\xBF\xBF"},
        {"end &#66", "end B"},
        {"end &#x", "end &#x"},
        {"&#;&#x;&#65x;&#65 ", "&#;&#x;&#65x;&#65 "},
        {"&#0;&#xD800;&#xDFFF;", "&#0;&#xD800;&#xDFFF;"},
        {"&#1114112;&#x110000;", "&#1114112;&#x110000;"},
        {"&#99999999999999999999999;", "&#99999999999999999999999;"},
        {"& &&amp;", "& &&"},
        {"&", "&"},
        {"plain", "plain"},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(DecodeHtml(c.input), c.expected) << c.input;
}
