#include "publish/TopicSections.h"

#include <gtest/gtest.h>

namespace quillmark {
namespace {

struct TSeen {
    std::string Anchor;
    std::string Heading;
    int Level;
    std::string Text;
    bool operator==(const TSeen&) const = default;
};

void PrintTo(const TSeen& s, std::ostream* os) {
    *os << "{" << s.Anchor << ", " << s.Heading << ", " << s.Level << ", " << s.Text << "}";
}

std::vector<TSeen> Seen(const TSectionedPage& page) {
    std::vector<TSeen> seen;
    for (const TTopicSection& s : page.Sections)
        seen.push_back({s.Anchor, s.Heading, s.Level, s.Text});
    return seen;
}

TEST(TopicSectionsTest, GivesHeadingsReadableUniqueIdsAndSplitsTheText) {
    const TSectionedPage page = SplitIntoSections(
        "<p>Intro &amp; more</p>"
        "<H2 class=\"x\">Setting up the <b>Lamp</b></H2><p>One</p>"
        "<h3 id='kept'>Kept &amp; sound</h3><p>Two</p>"
        "<h2>Setting up the lamp</h2>"
        "<h4>Größe — Łódź!</h4><p id=\"setting-up-the-lamp-3\">Three</p>"
        "<h5>  ***  </h5>"
        "<h6>日本語</h6>");
    EXPECT_EQ(page.Html,
              "<p>Intro &amp; more</p>"
              "<H2 id=\"setting-up-the-lamp\" class=\"x\">Setting up the <b>Lamp</b></H2><p>One</p>"
              "<h3 id='kept'>Kept &amp; sound</h3><p>Two</p>"
              "<h2 id=\"setting-up-the-lamp-2\">Setting up the lamp</h2>"
              "<h4 id=\"grosse-lodz\">Größe — Łódź!</h4><p id=\"setting-up-the-lamp-3\">Three</p>"
              "<h5 id=\"section\">  ***  </h5>"
              "<h6 id=\"日本語\">日本語</h6>");
    EXPECT_EQ(Seen(page), (std::vector<TSeen>{
                              {"", "", 0, "Intro & more"},
                              {"setting-up-the-lamp", "Setting up the Lamp", 2, "One"},
                              {"kept", "Kept & sound", 3, "Two"},
                              {"setting-up-the-lamp-2", "Setting up the lamp", 2, ""},
                              {"grosse-lodz", "Größe — Łódź!", 4, "Three"},
                              {"section", "***", 5, ""},
                              {"日本語", "日本語", 6, ""},
                          }));
}

TEST(TopicSectionsTest, APageWithoutHeadingsIsOneSection) {
    const TSectionedPage page = SplitIntoSections("<p>Only text</p><h7>no heading</h7>");
    EXPECT_EQ(page.Html, "<p>Only text</p><h7>no heading</h7>");
    EXPECT_EQ(Seen(page), (std::vector<TSeen>{{"", "", 0, "Only text no heading"}}));
    EXPECT_EQ(Seen(SplitIntoSections("")), (std::vector<TSeen>{{"", "", 0, ""}}));
}

} // namespace
} // namespace quillmark
