#include "editor/MarkdownPage.h"

#include <gtest/gtest.h>

using namespace quillmark;

namespace {

struct TRenderCase {
    const char* Markdown;
    const char* Expected; // a piece of the rendered page
};

} // namespace

// CommonMark with GitHub's extensions; raw HTML is passed on for the
// import's cleaning.
TEST(MarkdownPage, RendersCommonMarkAndTheExtensions) {
    const TRenderCase cases[] = {
        {"| a | b |\n|---|---|\n| 1 | 2 |\n", "<td>1</td>"},
        {"~~gone~~", "<del>gone</del>"},
        {"see www.example.com", "<a href=\"http://www.example.com\">www.example.com</a>"},
        {"- [x] done", "<input type=\"checkbox\" checked=\"\" disabled=\"\" /> done"},
        {"```python\nprint(1)\n```\n", "<pre><code class=\"language-python\">print(1)\n</code></pre>"},
        {"<div class=\"raw\"><script>x()</script></div>", "<div class=\"raw\"><script>x()</script></div>"},
        {"text[^1]\n\n[^1]: note", "<section class=\"footnotes\""},
        {"[a](other.md#part)", "<a href=\"other.md#part\">a</a>"},
    };
    for (const TRenderCase& c : cases)
        EXPECT_NE(RenderMarkdownPage(c.Markdown).Html.find(c.Expected), std::string::npos)
            << c.Markdown << "\n" << RenderMarkdownPage(c.Markdown).Html;
}

TEST(MarkdownPage, HeadingSlugs) {
    const std::pair<const char*, const char*> cases[] = {
        {"Pairing", "pairing"},
        {"Pairing & Setup", "pairing-setup"},
        {"  Step 2: Connect -- now!  ", "step-2-connect-now"},
        {"snake_case and Dash-ed", "snake_case-and-dash-ed"},
        {"Über Farben", "Über-farben"},
        {"?!", "section"},
    };
    for (const auto& [text, slug] : cases)
        EXPECT_EQ(MarkdownHeadingSlug(text), slug) << text;
}

// Headings carry unique ids, boxes' headings included; the first level-1
// heading is the page's title candidate.
TEST(MarkdownPage, HeadingsGetUniqueIds) {
    const TMarkdownPage page = RenderMarkdownPage(
        "## Setup\n\n# The *Lamp*\n\n## Setup\n\n!!! note\n    ## Setup\n\n# Second\n");
    EXPECT_EQ(page.FirstHeading, "The Lamp");
    for (const char* id : {"id=\"setup\"", "id=\"the-lamp\"", "id=\"setup_1\"", "id=\"setup_2\"",
                           "id=\"second\""})
        EXPECT_NE(page.Html.find(id), std::string::npos) << id << "\n" << page.Html;
    EXPECT_NE(page.Html.find("The <em>Lamp</em>\n</h1>"), std::string::npos) << page.Html;
}

TEST(MarkdownPage, FrontMatter) {
    const TMarkdownPage titled =
        RenderMarkdownPage("\xEF\xBB\xBF---\ntitle: \"Tuning: the light\"\ntags: [a, b]\n---\n# Heading\n");
    EXPECT_EQ(titled.FrontMatterTitle, "Tuning: the light");
    EXPECT_EQ(titled.FirstHeading, "Heading");
    EXPECT_EQ(titled.Html.find("tags"), std::string::npos);

    // Metadata that is no YAML gives no title and is dropped all the same;
    // a block never closed is Markdown (a rule and text).
    const TMarkdownPage broken = RenderMarkdownPage("---\ntitle: [unclosed\n---\nBody\n");
    EXPECT_EQ(broken.FrontMatterTitle, "");
    EXPECT_EQ(broken.Html, "<p>Body</p>\n");
    EXPECT_EQ(RenderMarkdownPage("---\ntitle: x\n").Html.substr(0, 6), "<hr />");
    // A title that is no text is passed over.
    EXPECT_EQ(RenderMarkdownPage("---\ntitle: [a]\n---\n").FrontMatterTitle, "");
}

TEST(MarkdownPage, NoteBoxes) {
    const TMarkdownPage page = RenderMarkdownPage(
        "Before\n\n!!! warning \"Hot <surface>\"\n    Do **not** touch.\n\n    !!! tip\n"
        "        Inner.\n\nAfter\n\n```\n!!! note\n    code\n```\n");
    EXPECT_TRUE(page.HasAdmonitions);
    EXPECT_NE(page.Html.find("<div class=\"admonition warning\"><p class=\"admonition-title\">Hot "
                             "&lt;surface&gt;</p>\n<p>Do <strong>not</strong> touch.</p>\n"
                             "<div class=\"admonition tip\"><p class=\"admonition-title\">Tip</p>\n"
                             "<p>Inner.</p>\n</div>\n</div>"),
              std::string::npos)
        << page.Html;
    EXPECT_NE(page.Html.find("<p>After</p>"), std::string::npos);
    EXPECT_NE(page.Html.find("<code>!!! note\n    code\n</code>"), std::string::npos) << page.Html;
    EXPECT_NE(RenderMarkdownPage("??? danger \"\"\n    x\n").Html.find(
                  "<div class=\"admonition danger\"><p>x</p>"),
              std::string::npos);
    EXPECT_FALSE(RenderMarkdownPage("text !!! note\n").HasAdmonitions);
    // A page's own comment that looks like a box's stand-in stays itself.
    const std::string forged =
        RenderMarkdownPage("<!--quillmark-box-0-0-->\n\n!!! note\n    x\n").Html;
    EXPECT_EQ(forged, "<!--quillmark-box-0-0-->\n<div class=\"admonition note\"><p "
                      "class=\"admonition-title\">Note</p>\n<p>x</p>\n</div>\n");
}
