#include "publish/PdfTopicHeading.h"

#include <gtest/gtest.h>

namespace quillmark {
namespace {

TEST(PdfTopicHeadingTest, TopicHeadingLevelFollowsDepthUpToSix) {
    const std::pair<int, int> levels[] = {{0, 1}, {1, 2}, {2, 3}, {5, 6}, {9, 6}};
    for (const auto& [depth, level] : levels)
        EXPECT_EQ(TopicHeadingLevel(depth), level) << depth;
}

TEST(PdfTopicHeadingTest, OneHeadingPerTopic) {
    struct Case {
        const char* Name;
        const char* Title;
        int Depth;
        const char* Html;
        const char* Heading;
        const char* Page;
    } cases[] = {
        {"page heading equal to the title is printed once", "Setting Up the Lamp", 1,
         "<h1>Setting up the  lamp</h1>\n<p>x</p><h2>Assembling</h2><p>y</p>",
         "Setting up the lamp", "\n<p>x</p><h3>Assembling</h3><p>y</p>"},
        {"a heading that goes on from the title replaces it", "Welcome", 0,
         "<h1 class=\"t\">Welcome to <b>Aurora</b></h1><p>Hi</p>", "Welcome to Aurora",
         "<p>Hi</p>"},
        {"the title must end at a word", "Lamp", 0, "<h1>Lampshades</h1><p>x</p>", "Lamp",
         "<h2>Lampshades</h2><p>x</p>"},
        {"a heading further down is no title", "Intro", 0, "<p>x</p><h1>Intro</h1>", "Intro",
         "<p>x</p><h2>Intro</h2>"},
        {"style sheets and comments before the heading are kept", "Setup", 2,
         "<style>h1{color:red}</style>\n<!-- imported --><link rel=\"stylesheet\" "
         "href=\"a.css\"><H2>Setup</H2><h3>Step</h3>",
         "Setup",
         "<style>h1{color:red}</style>\n<!-- imported --><link rel=\"stylesheet\" "
         "href=\"a.css\"><h4>Step</h4>"},
        {"an empty title never matches", "", 0, "<h1></h1>", "", "<h2></h2>"},
        {"sub-headings start one below the topic", "Care", 0,
         "<h4>Daily</h4><h5>Dust</h5><h6 id=\"x\">Rare</h6><header>not a heading</header>",
         "Care", "<h2>Daily</h2><h3>Dust</h3><h4 id=\"x\">Rare</h4><header>not a heading</header>"},
        {"headings below h6 leave the outline", "Deep", 4, "<h1>A</h1><h2>B</h2><p>c</p>",
         "Deep", "<h6>A</h6><h6 role=\"none\">B</h6><p>c</p>"},
        {"a page without headings is unchanged", "Plain", 0, "<p>a</p>\n<hr>", "Plain",
         "<p>a</p>\n<hr>"},
        {"an unclosed leading heading stays on the page", "Open", 0, "<h1>Open<p>rest</p>",
         "Open", "<h2>Open<p>rest</p>"},
    };
    for (const Case& c : cases) {
        const TPrintedTopic printed = PrepareTopicForManual(c.Html, c.Title, c.Depth);
        EXPECT_EQ(printed.HeadingText, c.Heading) << c.Name;
        EXPECT_EQ(printed.Html, c.Page) << c.Name;
    }
}

} // namespace
} // namespace quillmark
