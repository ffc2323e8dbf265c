#include "publish/HtmlHelpers.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace quillmark;
using ::testing::ElementsAre;

namespace {

struct TextCase {
    std::string input;
    std::string expected;
};

const std::string kId = "0123456789ABCDEF0123456789ABCDEF";
const std::string kLowerId = "0123456789abcdef0123456789abcdef";

} // namespace

TEST(HtmlHelpersPlainText, StripsMarkupAndDecodesInFixedOrder) {
    const TextCase cases[] = {
        {"<p>A&amp;B</p><script>var x=1;</script>", "A&B"},
        {"&amp;lt;", "<"},
        {"&amp;nbsp;", "&nbsp;"},
        {"&AMP; &Lt; &GT; &QUOT; &#39; &NBSP;x", "& < > \" ' x"},
        {"&copy; &#65;", "&copy; &#65;"},
        {"a<SCRIPT>x</script>b", "a b"},
        {"a<style type=\"text/css\">\np { }\n</STYLE>b", "a b"},
        // The closing tag must name the same element as the opening one.
        {"<script>one</style>two</script>three", "three"},
        {"<script>unclosed", "unclosed"},
        {"<h1>Title</h1>\r\n\t<p>Body  text</p>", "Title Body text"},
        {"  \x01 <br> x \x1F ", "x"},
        {"", ""},
        {"no tags", "no tags"},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(ExtractPlainText(c.input), c.expected) << c.input;
}

TEST(HtmlHelpersDocLinks, ExtractsIdsInOrderWithCaseAndDuplicates) {
    const std::string html =
        "<a href=\"doc:" + kId + "\">a</a> <A HREF = 'doc:" + kLowerId +
        "'>b</A> <a href=\"doc:" + kId + "'>c</a>" + " <a href=\"doc:" + kId.substr(1) +
        "\">31</a>" + " <a href=\"doc:" + kId + "0\">33</a>" + " <a href=\"DOC:" + kId + "\">d</a>";
    EXPECT_THAT(ExtractDocLinkIds(html), ElementsAre(kId, kLowerId, kId, kId));
    EXPECT_TRUE(ExtractDocLinkIds("<a href=\"doc:xyz\">").empty());
}

TEST(HtmlHelpersDocLinks, RewritesToDoubleQuotedFormAndKeepsTheRest) {
    std::vector<std::string> asked;
    const TDocLinkResolver resolver = [&](const std::string& id) {
        asked.push_back(id);
        return id == kId ? id + ".html" : std::string();
    };
    const std::string tooShort = "<a href=\"doc:" + kId.substr(1) + "\">31</a>";
    const std::string tooLong = "<a href='doc:" + kId + "F'>33</a>";
    const std::string html = "<p>x <a href = 'doc:" + kId + "'>one</a> " + tooShort +
                             "<a class=\"k\" HREF=\"doc:" + kLowerId + "\">two</a>" + tooLong +
                             " tail</p>";
    EXPECT_EQ(RewriteDocLinks(html, resolver), "<p>x <a href=\"" + kId + ".html\">one</a> " +
                                                   tooShort + "<a class=\"k\" href=\"#\">two</a>" +
                                                   tooLong + " tail</p>");
    EXPECT_THAT(asked, ElementsAre(kId, kLowerId));
}

// "doc:<id>#<anchor>": the anchor follows the target, or the anchor
// resolver's value replaces both; a link without a target keeps "#".
TEST(HtmlHelpersDocLinks, LinksToAnchors) {
    const TDocLinkResolver resolver = [](const std::string& id) {
        return id == kId ? id + ".html" : std::string();
    };
    const std::string html = "<a href=\"doc:" + kId + "#pairing\">a</a><a href='doc:" + kId +
                             "#'>b</a><a href=\"doc:" + kLowerId + "#x\">c</a>";
    EXPECT_EQ(RewriteDocLinks(html, resolver), "<a href=\"" + kId + ".html#pairing\">a</a><a href=\"" +
                                                   kId + ".html\">b</a><a href=\"#\">c</a>");
    const TDocAnchorResolver anchors = [](const std::string& id, const std::string& anchor) {
        return "#" + id + "--" + anchor;
    };
    EXPECT_EQ(RewriteDocLinks("<a href=\"doc:" + kId + "#pairing\">", resolver, anchors),
              "<a href=\"#" + kId + "--pairing\">");
    EXPECT_THAT(ExtractDocLinkIds(html), ElementsAre(kId, kId, kLowerId));
    const std::vector<TDocLink> links = ExtractDocLinks(html);
    ASSERT_EQ(links.size(), 3u);
    EXPECT_EQ(links[0].Anchor, "pairing");
    EXPECT_EQ(links[1].Anchor, "");
    EXPECT_EQ(links[2].ID, kLowerId);
}

TEST(HtmlHelpersDocLinks, TextWithoutLinksComesBackUnchanged) {
    int calls = 0;
    const TDocLinkResolver resolver = [&](const std::string&) {
        ++calls;
        return std::string("x");
    };
    for (const std::string html : {"", "<a href=\"topic.html\">t</a>", "href=\"doc:\""})
        EXPECT_EQ(RewriteDocLinks(html, resolver), html);
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(RewriteDocLinks("href=\"doc:" + kId + "\"", resolver), "href=\"x\"");
}

TEST(HtmlHelpersWhiteBackgrounds, ReplacesOnlyWholeWhiteDeclarations) {
    struct Case {
        std::string input;
        std::string page;
        std::string chm;
    };
    const std::string bgcT = "background-color: transparent";
    const std::string bgT = "background: transparent";
    const Case cases[] = {
        {"background-color:#FFF;", bgcT + ";", bgcT + ";"},
        {"background-color:#fff8e1;", "background-color:#fff8e1;", "background-color:#fff8e1;"},
        {"background-color: whitesmoke", "background-color: whitesmoke",
         "background-color: whitesmoke"},
        {"Background-Color: RGB(255, 255, 255)}", bgcT + "}", bgcT + "}"},
        {"background-color:rgb(255, 255, 255)", bgcT, bgcT},
        {"x;background-color: #ffffff\"", "x;" + bgcT + "\"", "x;" + bgcT + "\""},
        {"background-color:#ffffff;background-color: #fff;background-color:white;",
         bgcT + ";" + bgcT + ";" + bgcT + ";", bgcT + ";" + bgcT + ";" + bgcT + ";"},
        {"background-color: white", bgcT, bgcT},
        {"background: rgb(255, 255, 255);", bgT + ";", "background: rgb(255, 255, 255);"},
        {"background:#FFFFFF", bgT, "background:#FFFFFF"},
        {"background:#fff url(a.png)", bgT + " url(a.png)", "background:#fff url(a.png)"},
        {"background:white", bgT, "background:white"},
        {"background:whiteX background:white1", "background:whiteX background:white1",
         "background:whiteX background:white1"},
        // A following non-ASCII letter or digit also continues the value.
        {"background:white\xC3\xA9 background:white\xE2\x80\x94",
         "background:white\xC3\xA9 " + bgT + "\xE2\x80\x94",
         "background:white\xC3\xA9 background:white\xE2\x80\x94"},
        {"background:white-background-color:white", bgT + "-" + bgcT, "background:white-" + bgcT},
        {"background:#ffff", "background:#ffff", "background:#ffff"},
        {"no backgrounds here", "no backgrounds here", "no backgrounds here"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ClearWhiteBackgrounds(c.input, TWhiteBackgroundList::Page), c.page) << c.input;
        EXPECT_EQ(ClearWhiteBackgrounds(c.input, TWhiteBackgroundList::Chm), c.chm) << c.input;
    }
}

TEST(HtmlHelpersPerformance, LargePagesStayLinear) {
    std::string html;
    for (int i = 0; i < 20000; ++i)
        html += "<p style=\"background-color:#fff\">A&amp;B <a href=\"doc:" + kId +
                "\">link</a></p><script>x</script>\n";
    const std::string plain = ExtractPlainText(html);
    EXPECT_EQ(plain.substr(0, 12), "A&B link A&B");
    const std::string cleared = ClearWhiteBackgrounds(html, TWhiteBackgroundList::Page);
    EXPECT_EQ(cleared.find("#fff"), std::string::npos);
    const std::string rewritten =
        RewriteDocLinks(html, [](const std::string& id) { return id + ".html"; });
    EXPECT_EQ(ExtractDocLinkIds(rewritten).size(), 0u);
    EXPECT_EQ(DecodeHtml(html).size(), html.size() - 4 * 20000);
}
