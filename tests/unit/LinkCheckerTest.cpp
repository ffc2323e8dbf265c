#include "publish/LinkChecker.h"

#include "TempFolder.h"
#include "base/FileHelpers.h"
#include "model/DocProject.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace quillmark {
namespace {

using testing::TempFolder;

class LinkCheckerTest : public ::testing::Test {
protected:
    void SetUp() override {
        project.Clear();
        project.FRootPath = temp.Root();
    }

    TTopic& Topic(const std::string& title, const std::string& html) {
        TTopic& topic = project.AddTopic(title, "");
        WriteTextFileUtf8(topic.FHtmlPath, html);
        return topic;
    }

    // "title: issue" per finding, as the window and the CLI list them.
    std::vector<std::string> Findings() const {
        std::vector<std::string> lines;
        for (const TLinkIssue& issue : CheckLinks(project))
            lines.push_back(issue.TopicTitle + ": " + issue.Issue);
        return lines;
    }

    TempFolder temp;
    TDocProject project;
};

TEST_F(LinkCheckerTest, CleanProjectHasNoFindings) {
    WriteTextFileUtf8(temp.Path("assets/images/a.png"), "png");
    TTopic& target = Topic("Target", "<p>t</p>");
    Topic("Source", "<a href=\"doc:" + target.FID + "\">t</a><img src=\"assets/images/a.png\">");
    EXPECT_TRUE(CheckLinks(project).empty());
}

// Help ID problems come after the pages' findings, on the topic that
// carries the later ID.
TEST_F(LinkCheckerTest, DuplicateHelpIdsAreFindings) {
    Topic("First", "<p>1</p>").FHelpIds = {{"IDH_A", 1001}};
    Topic("Second", "<a href=\"gone.png\">x</a>").FHelpIds = {{"IDH_A", 1002}, {"IDH_B", 1001}};
    EXPECT_EQ(Findings(), (std::vector<std::string>{
                              "Second: Missing local reference: gone.png",
                              "Second: Duplicate help ID: IDH_A (also on the topic \"First\")",
                              "Second: Duplicate help ID number: 1001 of IDH_B (also IDH_A on "
                              "the topic \"First\")"}));
}

TEST_F(LinkCheckerTest, TopicLinksNamingNoTopicAreBroken) {
    const std::string missing(32, 'B');
    const TTopic& topic =
        Topic("T", "<a href=\"doc:" + missing + "\">1</a><a href='doc:" + missing +
                       "'>2</a><a href=\"doc:" + std::string(32, 'b') + "\">case</a>");
    const auto issues = CheckLinks(project);
    ASSERT_EQ(issues.size(), 3u);
    EXPECT_EQ(issues[0].TopicID, topic.FID);
    EXPECT_EQ(issues[0].TopicTitle, "T");
    EXPECT_EQ(issues[0].Issue, "Broken internal link: doc:" + missing);
    EXPECT_EQ(issues[1].Issue, "Broken internal link: doc:" + missing);
    EXPECT_EQ(issues[2].Issue, "Broken internal link: doc:" + std::string(32, 'b'));
}

// A topic link may name an anchor of the target's page: an id, or the name
// of an <a> tag, written as it stands or percent-encoded.
TEST_F(LinkCheckerTest, TopicLinksToAnchors) {
    const TTopic& target = Topic("Target", "<h2 id=\"pairing\">P</h2><a name='old'></a>"
                                           "<h3 data-id=\"fake\" id=\"caf\xC3\xA9\">C</h3>");
    const std::string link = "doc:" + target.FID + "#";
    Topic("Source", "<a href=\"" + link + "pairing\">1</a><a href=\"" + link + "old\">2</a>" +
                        "<a href=\"" + link + "caf%C3%A9\">3</a><a href=\"" + link + "fake\">4</a>" +
                        "<a href=\"" + link + "missing\">5</a>" + "<a href=\"doc:" +
                        std::string(32, 'C') + "#pairing\">6</a>");
    EXPECT_EQ(Findings(), (std::vector<std::string>{
                              "Source: Missing anchor: " + link + "fake",
                              "Source: Missing anchor: " + link + "missing",
                              "Source: Broken internal link: doc:" + std::string(32, 'C'),
                          }));
}

TEST_F(LinkCheckerTest, LocalReferences) {
    WriteTextFileUtf8(temp.Path("assets/images/a.png"), "png");
    WriteTextFileUtf8(temp.Path("assets/files/my file.pdf"), "pdf");
    WriteTextFileUtf8(temp.Path("topics/sibling.png"), "png");
    struct Case {
        std::string value;
        bool reported;
    };
    const Case cases[] = {
        {"assets/images/a.png", false},        // against the project folder
        {"sibling.png", false},                // against the topic's folder
        {"assets/images/a.png?v=2", false},    // query cut off
        {"assets/images/a.png#top", false},    // fragment cut off
        {"assets/files/my%20file.pdf", false}, // percent escapes
        {"assets/files/my file.pdf", false},
        {"https://example.com/x", false},
        {"HTTP://EXAMPLE.COM", false},
        {"httpfile.html", false}, // starts with "http"
        {"MAILTO:a@b.c", false},
        {"#anchor", false},
        {"data:image/png;base64,AAAA", false}, // not a file at all
        {"//cdn.example.com/x.js", false},
        {"assets/images/missing.png", true},
        {"../outside.png", true},
        {"a?b*c<d>|e.png", true}, // no valid path
        {std::string("nul\0byte.png", 12), true},
        {std::string(5000, 'x') + ".png", true}, // too long for the file system
    };
    std::string html;
    std::vector<std::string> expected;
    for (const Case& c : cases) {
        html += "<img src=\"" + c.value + "\">";
        if (c.reported)
            expected.push_back("Refs: Missing local reference: " + c.value);
    }
    html += "<img src='single-quoted-missing.png'>";
    Topic("Refs", html);
    EXPECT_EQ(Findings(), expected);
}

TEST_F(LinkCheckerTest, MissingPageGivesOneFindingAndExcludedTopicsAreChecked) {
    TTopic& gone = project.AddTopic("Gone", "");
    TTopic& excluded =
        Topic("Hidden", "<a href=\"doc:" + std::string(32, 'C') + "\">x</a><img src=\"nope.png\">");
    excluded.FExcludeWeb = excluded.FExcludeChm = excluded.FExcludePdf = true;
    const std::vector<std::string> expected = {
        "Gone: Missing HTML file: " + gone.FHtmlPath,
        "Hidden: Broken internal link: doc:" + std::string(32, 'C'),
        "Hidden: Missing local reference: nope.png",
    };
    EXPECT_EQ(Findings(), expected);
}

// Pages that no topic owns (left by an addition whose tree could not be
// saved, or copied in by hand) are listed after the topics, by name; a page
// that is only a link leading out of the project is not read.
TEST_F(LinkCheckerTest, PagesWithoutATopicAndLinksOutOfTheProject) {
    Topic("Kept", "<p>k</p>");
    TTopic& linked = project.AddTopic("Linked", "");
    TempFolder elsewhere;
    WriteTextFileUtf8(elsewhere.Path("outside.txt"), "<img src=\"gone.png\">");
    std::filesystem::create_symlink(elsewhere.Path("outside.txt"), linked.FHtmlPath);
    for (const char* stray : {"zz.html", "ORPHAN.html", "notes.txt"})
        WriteTextFileUtf8(temp.Path("topics/") + stray, "<p>s</p>");
    std::filesystem::create_directories(temp.Path("topics/folder.html"));
    const std::vector<std::string> expected = {
        "Linked: Missing HTML file: " + linked.FHtmlPath,
        "ORPHAN.html: Page file without a topic: " + temp.Path("topics/ORPHAN.html"),
        "zz.html: Page file without a topic: " + temp.Path("topics/zz.html"),
    };
    EXPECT_EQ(Findings(), expected);
}

} // namespace
} // namespace quillmark
