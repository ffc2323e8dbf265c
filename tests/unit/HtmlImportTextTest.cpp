#include "editor/HtmlImportText.h"

#include <gtest/gtest.h>

using namespace quillmark;

namespace {

struct TextCase {
    std::string input;
    std::string expected;
};

} // namespace

TEST(HtmlImportTextTest, ExtractImportBody) {
    const TextCase cases[] = {
        // Without a body: html and head go, their content outside head stays.
        {"<!DOCTYPE html><HTML lang=en><Head><title>T</title><p>in head</p></HEAD>"
         "<p>kept</p><script type=x>alert(1)</script><Style>p{}</style>"
         "<link rel=stylesheet href=a.css><meta charset=utf-8></html>",
         "<p>kept</p>"},
        // A body: only what lies between its tags; a "<body" inside a script
        // is gone before the body is looked for.
        {"<head><script>var s='<body>';</script></head><BODY class=x>\n <p>a</p>\n</Body>after",
         "<p>a</p>"},
        {"<body>\n<p>no end</p>\n", "<p>no end</p>"},
        // A body tag without ">" leaves the text as it is.
        {"<p>x</p><body", "<p>x</p><body"},
        // Titles and scripts span lines; the shortest match is removed.
        {"<body><title>a\nb</title><p>1</p><script>\n</script><p>2</p></body>", "<p>1</p><p>2</p>"},
        {"<body>  \r\n </body>", ""},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(ExtractImportBody(c.input), c.expected) << c.input;
}

TEST(HtmlImportTextTest, BodyWrapperOpenTag) {
    const TextCase cases[] = {
        {R"~(<body class="x" onload="f()">)~", R"(<div class="x">)"},
        {R"~(<body dir=rtl onload="f()" class='doc'>)~", R"(<div class="doc" dir="rtl">)"},
        {R"(<BODY lang="de" style="color:red">)", R"(<div style="color:red" lang="de">)"},
        {R"~(<body onload="f()">)~", ""},
        {"<p>no body</p>", ""},
        // Values come back escaped once, as they were written.
        {R"(<body style="font-family:&quot;A&amp;B&quot;">)",
         R"(<div style="font-family:&quot;A&amp;B&quot;">)"},
        {R"(<body class='a"b'>)", R"(<div class="a&quot;b">)"},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(BodyWrapperOpenTag(c.input), c.expected) << c.input;
}

TEST(HtmlImportTextTest, RewriteHtml5Tags) {
    const TextCase cases[] = {
        {R"(<section id="s"><p>x</p></section>)", R"(<div id="s"><p>x</p></div>)"},
        {"<ARTICLE>a</ Article ><nav>n</nav><Figcaption>c</figcaption >",
         "<div>a</div><div>n</div><div>c</div>"},
        {R"(<mark class="m">hi</mark><time datetime="2020">t</time>)",
         R"(<span class="m">hi</span><span datetime="2020">t</span>)"},
        {R"(<picture><source srcset="a.png"><img src="b.png"></picture>)",
         R"(<source srcset="a.png"><img src="b.png">)"},
        {"<p>1</p><template id=t>\n<p>gone</p></template><p>2</p>", "<p>1</p><p>2</p>"},
        // Names that only start like a sectioning element stay.
        {"<sectionx>a</sectionx><mainframe>", "<sectionx>a</sectionx><mainframe>"},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(RewriteHtml5Tags(c.input), c.expected) << c.input;
}

TEST(HtmlImportTextTest, FlattenFlexGrid) {
    const TextCase cases[] = {
        {".a{display:flex}", ".a{display: block}"},
        {".a{ DISPLAY : inline-grid; }", ".a{ display: block; }"},
        {".a{display:inline-flex;flex-wrap:wrap}", ".a{display: block;flex-wrap:wrap}"},
        {".a{display:flexbox;display:gridiron}", ".a{display:flexbox;display:gridiron}"},
        {".a{display:block;grid-template-columns:1fr}",
         ".a{display:block;grid-template-columns:1fr}"},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(FlattenFlexGrid(c.input), c.expected) << c.input;
}

TEST(HtmlImportTextTest, GetTagAttribute) {
    const struct {
        std::string tag;
        std::string name;
        std::string expected;
    } cases[] = {
        {R"(<link rel="stylesheet" href="a.css">)", "href", "a.css"},
        {"<link REL = 'Stylesheet' href=a.css>", "rel", "Stylesheet"},
        {"<link rel=stylesheet href=a.css>", "href", "a.css"},
        {R"(<img src="">)", "src", ""},
        {R"(<img alt="x">)", "src", ""},
        // The first occurrence counts, also inside a longer name after "-".
        {R"(<div data-class="a" class="b">)", "class", "a"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetTagAttribute(c.tag, c.name), c.expected) << c.tag;
}

TEST(HtmlImportTextTest, RelHasStylesheet) {
    EXPECT_TRUE(RelHasStylesheet("stylesheet"));
    EXPECT_TRUE(RelHasStylesheet("Alternate\tSTYLESHEET"));
    EXPECT_TRUE(RelHasStylesheet("\r\n stylesheet "));
    EXPECT_FALSE(RelHasStylesheet("stylesheets"));
    EXPECT_FALSE(RelHasStylesheet("icon"));
    EXPECT_FALSE(RelHasStylesheet(""));
}

TEST(HtmlImportTextTest, UrlClassificationAndEscaping) {
    for (const char* url : {"", "  ", "http://a", "HTTPS://a", "data:x", "mailto:a@b", "doc:0123",
                            "//cdn/x.png", "#top", "javascript:f()", " tel:1", "cid:x"})
        EXPECT_TRUE(IsNonLocalUrl(url)) << url;
    for (const char* url : {"a.png", "/a.png", "file:///x.png", "ftp.png", "../a.png"})
        EXPECT_FALSE(IsNonLocalUrl(url)) << url;

    EXPECT_EQ(StripUrlQueryAndFragment(" a.png?v=2#top "), "a.png");
    EXPECT_EQ(StripUrlQueryAndFragment("a.png#x?y"), "a.png");
    EXPECT_EQ(StripUrlQueryAndFragment("?only"), "");

    EXPECT_EQ(HtmlAttrEscape(R"(a&b"<c>)"), "a&amp;b&quot;&lt;c&gt;");
    EXPECT_EQ(CssStringEscape(R"(a\b"c)"), R"(a/b\"c)");
    EXPECT_EQ(DecodeAttributeValue("a&amp;b&#39;&quot;&nbsp;"), "a&b'\"&nbsp;");
}
