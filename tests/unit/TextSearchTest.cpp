#include "base/HtmlText.h"
#include "base/QuillError.h"
#include "base/TextQuery.h"

#include <gtest/gtest.h>

using namespace quillmark;

namespace {

std::vector<std::string> Found(const TTextQuery& query, const std::string& text) {
    std::vector<std::string> found;
    for (const TTextSpan span : TTextMatcher(query).FindAll(text))
        found.push_back(text.substr(span.Begin, span.End - span.Begin));
    return found;
}

std::vector<std::string> SegmentTexts(const std::string& html) {
    std::vector<std::string> texts;
    const THtmlText text(html);
    for (const auto& segment : text.Segments())
        texts.push_back(segment.Text);
    return texts;
}

// Replaces every match of the literal in every segment of the page.
std::string ReplaceAll(const std::string& html, const TTextQuery& query, const std::string& with) {
    const THtmlText text(html);
    const TTextMatcher matcher(query);
    std::vector<THtmlText::TReplacement> replacements;
    for (size_t s = 0; s < text.Segments().size(); ++s)
        for (const TTextSpan span : matcher.FindAll(text.Segments()[s].Text))
            replacements.push_back(
                {s, span, matcher.ReplacementFor(text.Segments()[s].Text, span, with)});
    return text.Replace(replacements);
}

} // namespace

TEST(TextQuery, MatchesWithTheOptions) {
    struct Case {
        TTextQuery Query;
        std::string Text;
        std::vector<std::string> Expected;
    };
    const Case cases[] = {
        {{"lamp"}, "Lamp, LAMP, lamps", {"Lamp", "LAMP", "lamp"}},
        {{"lamp", true}, "Lamp, LAMP, lamps", {"lamp"}},
        {{"lamp", false, true}, "Lamp, lamps, lamp_x, lamp.", {"Lamp", "lamp"}},
        // Letters of any script: caseless and word-bound beyond ASCII.
        {{"\xC3\xA9t\xC3\xA9"}, "\xC3\x89T\xC3\x89 \xC3\xA9t\xC3\xA9s", {"\xC3\x89T\xC3\x89", "\xC3\xA9t\xC3\xA9"}},
        {{"\xC3\xA9t\xC3\xA9", false, true}, "\xC3\xA9t\xC3\xA9s \xC3\xA9t\xC3\xA9", {"\xC3\xA9t\xC3\xA9"}},
        // A literal holds no pattern; "\E" cannot end a quote early.
        {{"a.b(c)\\E*"}, "axb(c) a.b(c)\\E*", {"a.b(c)\\E*"}},
        {{"[0-9]+ W", false, false, true}, "12 W and 7 w", {"12 W", "7 w"}},
        {{"a|", false, false, true}, "banana", {"a", "a", "a"}}, // empty matches are skipped
    };
    for (const Case& c : cases)
        EXPECT_EQ(Found(c.Query, c.Text), c.Expected) << c.Query.Text;
}

TEST(TextQuery, RefusesEmptyTextAndBadPatterns) {
    EXPECT_THROW(TTextMatcher(TTextQuery{}), QuillError);
    EXPECT_THROW(TTextMatcher(TTextQuery{"(a", false, false, true}), QuillError);
}

TEST(TextQuery, RegexReplacementNamesGroups) {
    const TTextMatcher matcher(TTextQuery{"(\\d+) (?<unit>W|V)", false, false, true});
    const std::string text = "at 12 W";
    const TTextSpan span = matcher.FindAll(text).at(0);
    EXPECT_EQ(matcher.ReplacementFor(text, span, "${unit}=$1 $$"), "W=12 $");
    const TTextMatcher literal(TTextQuery{"12"});
    EXPECT_EQ(literal.ReplacementFor(text, literal.FindAll(text).at(0), "$1"), "$1");
}

TEST(TextQuery, ContextIsOneLineCutAtCharacters) {
    EXPECT_EQ(ContextAround("first\nthe lamp glows\nlast", {10, 14}), "the lamp glows");
    const std::string longText = std::string(50, 'x') + "\xC3\xA9" + "lamp" + std::string(50, 'y');
    const std::string context = ContextAround(longText, {52, 56}, 3);
    EXPECT_EQ(context, "\xE2\x80\xA6x\xC3\xA9lampyyy\xE2\x80\xA6");
    // Between words where a space is near.
    EXPECT_EQ(ContextAround("one two three lamp four five six", {14, 18}, 8),
              "\xE2\x80\xA6three lamp four\xE2\x80\xA6");
}

TEST(HtmlText, SegmentsAreWhatAReaderSees) {
    using Texts = std::vector<std::string>;
    EXPECT_EQ(SegmentTexts("<p>The <b>Au</b>rora\n   lamp</p><p>Tom &amp; Jerry&nbsp;&#233;</p>"),
              (Texts{"The Aurora lamp", "Tom & Jerry \xC3\xA9"}));
    EXPECT_EQ(SegmentTexts("<p title=\"lamp > x\">a<br>b</p><!-- lamp --><script>lamp</script>"
                           "<STYLE>p{}</STYLE><td>c</td>"),
              (Texts{"a", "b", "c"}));
    EXPECT_EQ(SegmentTexts("x < y & z"), (Texts{"x < y & z"}));
    EXPECT_EQ(SegmentTexts("<p>unclosed <b attr=\"x"), (Texts{"unclosed"}));
    EXPECT_TRUE(SegmentTexts("").empty());
}

TEST(HtmlText, ReplacingChangesOnlyText) {
    struct Case {
        std::string Html;
        TTextQuery Query;
        std::string With;
        std::string Expected;
    };
    const Case cases[] = {
        // Attributes and tag names are never touched.
        {"<p class=\"lamp\"><a href=\"lamp.html\">Lamp</a> lamp</p>", {"lamp"}, "light",
         "<p class=\"lamp\"><a href=\"lamp.html\">light</a> light</p>"},
        // A match across inline tags keeps the tags; the first piece takes the text.
        {"<p>The <b>Au</b>rora lamp</p>", {"Aurora"}, "Boreal", "<p>The <b>Boreal</b> lamp</p>"},
        // References in and around the match; the replacement is escaped.
        {"<p>Tom &amp; Jerry &lt;3</p>", {"Tom & Jerry"}, "A<B & C>",
         "<p>A&lt;B &amp; C&gt; &lt;3</p>"},
        {"<p>one\n   two</p>", {"one two"}, "1 2", "<p>1 2</p>"},
        {"<p>caf&#233; caf\xC3\xA9</p>", {"caf\xC3\xA9"}, "bar", "<p>bar bar</p>"},
        {"<p>12 W</p>", {"(\\d+) W", false, false, true}, "$1 watts", "<p>12 watts</p>"},
        {"<p>no match</p>", {"lamp"}, "x", "<p>no match</p>"},
        // Text that is no markup stays text beside the replacement.
        {"<p>a < b & c</p>", {" "}, "", "<p>a&lt;b&amp;c</p>"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReplaceAll(c.Html, c.Query, c.With), c.Expected) << c.Html;
}
