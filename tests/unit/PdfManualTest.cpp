#include "publish/PdfManual.h"

#include "TempFolder.h"
#include "base/FileHelpers.h"
#include "model/DocProject.h"
#include "publish/PublishSteps.h"
#include "reuse/ReusableContent.h"
#include "settings/ProjectSettings.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>

namespace quillmark {
namespace {

using testing::TempFolder;

class PdfManualTest : public ::testing::Test {
protected:
    void SetUp() override {
        Project.SetRootPath(Folder.Root());
        Project.FTitle = "Lamp & Co";
    }
    TTopic& Add(const std::string& title, const std::string& parent, const std::string& html) {
        TTopic& topic = Project.AddTopic(title, parent);
        if (!html.empty())
            WriteTextFileUtf8(Project.TopicPagePath(topic.FID), html);
        return topic;
    }
    // The document's lines from "<body>" on.
    std::vector<std::string> Body(const TTopicPages& pages = {}) const {
        const std::vector<std::string> lines = TManualDocument(Project, Settings).Lines(pages);
        return {std::find(lines.begin(), lines.end(), "<body>"), lines.end()};
    }
    std::vector<std::string> Style() const {
        const std::vector<std::string> lines = TManualDocument(Project, Settings).Lines({});
        return {std::find(lines.begin(), lines.end(), "<style>"),
                std::find(lines.begin(), lines.end(), "</style>")};
    }
    bool StyleHas(const std::string& line) const {
        const std::vector<std::string> style = Style();
        return std::find(style.begin(), style.end(), line) != style.end();
    }

    TempFolder Folder;
    TDocProject Project;
    TProjectSettings Settings;
};

std::string ContentsEntry(const std::string& id, const std::string& title, int depth,
                          const std::string& page) {
    return "<a class=\"toc-entry toc-depth-" + std::to_string(depth) + "\" href=\"#" + id +
           "\"><span class=\"toc-title\">" + title +
           "</span><span class=\"toc-leader\"></span><span class=\"toc-page\">" + page +
           "</span></a>";
}

TEST_F(PdfManualTest, CoverContentsAndChaptersInContentsOrder) {
    const std::string r = Add("Root", "", "<h1>Root</h1>\r\n<p>Root text</p><h2>Part</h2>").FID;
    const std::string c1 = Add("C1 <x>", r, "<p>one</p>").FID;
    const std::string g = Add("Grandchild", c1, "").FID; // no page file
    TTopic& excluded = Add("Excluded", r, "<p>hidden</p>");
    excluded.FExcludePdf = true;
    Add("Below excluded", excluded.FID, "<p>hidden too</p>");
    const std::string c3 =
        Add("C3", r,
            "<a href=\"doc:" + excluded.FID +
                "\">x</a><a href='doc:0123456789ABCDEF0123456789ABCDEF'>y</a>")
            .FID;
    const std::string r2 = Add("Second", "", "<p>2</p>").FID;

    const std::vector<std::string> expected = {
        "<body>",
        "<div class=\"manual-cover\">",
        "<div class=\"manual-cover-main\">",
        "<p class=\"manual-cover-title\">Lamp &amp; Co</p>",
        "</div>",
        "</div>",
        "<nav class=\"manual-contents\">",
        "<h1 class=\"manual-part-title\">Contents</h1>",
        ContentsEntry(r, "Root", 0, "3"),
        ContentsEntry(c1, "C1 &lt;x&gt;", 1, "4"),
        ContentsEntry(g, "Grandchild", 2, ""),
        ContentsEntry(c3, "C3", 1, "4"),
        ContentsEntry(r2, "Second", 0, "5"),
        "</nav>",
        "<section class=\"topic chapter\" style=\"page: chapter-1\">",
        "<h1 id=\"" + r + "\" class=\"topic-title chapter\">Root</h1>",
        "\r\n<p>Root text</p><h2>Part</h2>",
        "</section>",
        "<section class=\"topic section\" style=\"page: chapter-1\">",
        "<h2 id=\"" + c1 + "\" class=\"topic-title section\">C1 &lt;x&gt;</h2>",
        "<p>one</p>",
        "</section>",
        "<section class=\"topic subsection\" style=\"page: chapter-1\">",
        "<h3 id=\"" + g + "\" class=\"topic-title subsection\">Grandchild</h3>",
        "",
        "</section>",
        "<section class=\"topic section\" style=\"page: chapter-1\">",
        "<h2 id=\"" + c3 + "\" class=\"topic-title section\">C3</h2>",
        "<a href=\"#" + excluded.FID + "\">x</a><a href=\"#\">y</a>",
        "</section>",
        "<section class=\"topic chapter\" style=\"page: chapter-2\">",
        "<h1 id=\"" + r2 + "\" class=\"topic-title chapter\">Second</h1>",
        "<p>2</p>",
        "</section>",
        "</body>",
        "</html>",
    };
    EXPECT_EQ(Body({{r, 3}, {c1, 4}, {c3, 4}, {r2, 5}, {"unknown", 9}}), expected);
    EXPECT_TRUE(StyleHas("@page chapter-1 { @top-center { content: \"Root\"; } }"));
    EXPECT_TRUE(StyleHas("@page chapter-2 { @top-center { content: \"Second\"; } }"));
    // Before the first print the number boxes are empty.
    EXPECT_EQ(Body()[8], ContentsEntry(r, "Root", 0, ""));
}

TEST_F(PdfManualTest, AProjectWithoutPrintedTopicsIsACoverAlone) {
    Add("Hidden", "", "<p>x</p>").FExcludePdf = true;
    const std::vector<std::string> body = Body();
    EXPECT_EQ(std::count(body.begin(), body.end(), "<nav class=\"manual-contents\">"), 0);
    EXPECT_EQ(body.size(), 8u);
}

TEST_F(PdfManualTest, PaperMarginsAndRunningHeadsFromTheSettings) {
    Add("Quote \" and </style><script>x</script>", "", "");
    Settings.PdfPaperSize = "Letter";
    Settings.PdfMarginTop = 12;
    Settings.PdfMarginBottom = 18;
    Settings.PdfMarginInner = 30;
    Settings.PdfMarginOuter = 15;
    EXPECT_TRUE(StyleHas("  size: letter;"));
    EXPECT_TRUE(StyleHas("  margin: 12mm 15mm 18mm 30mm !important;")); // right-hand page
    EXPECT_TRUE(StyleHas("  margin: 12mm 30mm 18mm 15mm !important;")); // left-hand page
    EXPECT_TRUE(StyleHas("@page chapter-1 { @top-center { content: \"Quote \\\" and \\3c "
                         "/style>\\3c script>x\\3c /script>\"; } }"));
    Settings.PdfPaperSize = "A4";
    EXPECT_TRUE(StyleHas("  size: A4;"));
}

TEST_F(PdfManualTest, CoverLinesFromTheSettings) {
    WriteTextFileUtf8(Folder.Path("assets/images/my cover#1.png"), "png");
    WriteTextFileUtf8(Folder.Path("outside.png"), "png");
    TReusableProjectContent store;
    store.FVariables.push_back({"Version", "2.1 <beta>"});
    store.SaveToProject(Project);
    Settings.PdfCoverSubtitle = " User Guide & Reference ";
    Settings.PdfCoverVersion = "Version {var:Version}";
    Settings.CopyrightEnabled = true;
    Settings.CopyrightText = "(c) 2026 Aurora & Co";

    const std::vector<std::string> withPicture = {
        "<img class=\"manual-cover-picture\" src=\"assets/images/my%20cover%231.png\" alt=\"\">"};
    const struct {
        const char* Setting;
        bool Shown;
    } pictures[] = {
        {"assets/images/my cover#1.png", true}, {"assets\\images\\my cover#1.png", true},
        {"assets/images/missing.png", false},   {"assets/../outside.png", false},
        {"outside.png", false},                 {"/etc/passwd", false},
        {"", false},
    };
    for (const auto& picture : pictures) {
        Settings.PdfCoverPicture = picture.Setting;
        TTopicExpander expander(Project);
        const std::vector<std::string> cover = CoverLines(Project, Settings, expander);
        std::vector<std::string> expected = {"<div class=\"manual-cover\">",
                                             "<div class=\"manual-cover-main\">"};
        if (picture.Shown)
            expected.push_back(withPicture[0]);
        expected.insert(expected.end(),
                        {"<p class=\"manual-cover-title\">Lamp &amp; Co</p>",
                         "<p class=\"manual-cover-subtitle\">User Guide &amp; Reference</p>",
                         "<p class=\"manual-cover-version\">Version 2.1 &lt;beta&gt;</p>", "</div>",
                         "<p class=\"manual-cover-copyright\">(c) 2026 Aurora &amp; Co</p>",
                         "</div>"});
        EXPECT_EQ(cover, expected) << picture.Setting;
    }
}

TEST_F(PdfManualTest, IndexOfThePrintedTopicsWithTheirStartPages) {
    TTopic& lamp = Add("Lamp", "", "");
    lamp.FIndexEntries = {"Écran", "dimmer"};
    TTopic& night = Add("Night", lamp.FID, "");
    night.FKeywords = {"Dimmer", "ecran"};
    TTopic& sheet = Add("Data <sheet>", night.FID, ""); // no page known
    sheet.FKeywords = {"2.4 GHz"};
    TTopic& same = Add("Same page", lamp.FID, "");
    same.FIndexEntries = {"dimmer"};
    TTopic& hidden = Add("Hidden", "", "");
    hidden.FIndexEntries = {"Zebra", "dimmer"};
    hidden.FExcludePdf = true;

    const auto link = [](const TTopic& topic, const std::string& text) {
        return ", <a href=\"#" + topic.FID + "\">" + text + "</a>";
    };
    const std::vector<std::string> expected = {
        "<section class=\"manual-index\">",
        "<h1 class=\"manual-part-title\">Index</h1>",
        "<div class=\"index-columns\">",
        "<p class=\"index-letter\">#</p>",
        "<p class=\"index-entry\">2.4 GHz" + link(sheet, "Data &lt;sheet&gt;") + "</p>",
        "<p class=\"index-letter\">D</p>",
        "<p class=\"index-entry\">dimmer" + link(lamp, "3") + link(night, "5") + "</p>",
        "<p class=\"index-letter\">E</p>",
        "<p class=\"index-entry\">Écran" + link(lamp, "3") + link(night, "5") + "</p>",
        "</div>",
        "</section>",
        "</body>",
        "</html>",
    };
    const std::vector<std::string> body = Body({{lamp.FID, 3}, {same.FID, 3}, {night.FID, 5}});
    EXPECT_EQ(std::vector<std::string>(body.end() - expected.size(), body.end()), expected);
}

// Pages may use the same ids: in the manual each page's anchors, and its
// links to them, carry the topic's identifier; a topic link to an anchor
// leads there, and one to the page's leading heading (printed as the topic's
// heading) to the topic's heading.
TEST_F(PdfManualTest, AnchorsAreScopedByTopic) {
    const TTopic& target = Add("Target", "", "<h1 id=\"top\">Target</h1><h2 id='pairing'>P</h2>"
                                             "<a href=\"#pairing\">again</a><a href=\"#\">x</a>");
    const std::string t = target.FID;
    const TTopic& source = Add("Source", "", "<h2 id=\"pairing\">S</h2><a href=\"doc:" + t +
                                                 "#pairing\">1</a><a href=\"doc:" + t + "#top\">2</a>");
    std::string body;
    for (const std::string& line : Body())
        body += line + "\n";
    for (const std::string& piece :
         {"<h1 id=\"" + t + "\" class=\"topic-title chapter\"><span id=\"" + t + "--top\"></span>Target</h1>",
          "<h2 id='" + t + "--pairing'>P</h2><a href=\"#" + t + "--pairing\">again</a><a href=\"#\">x</a>",
          "<h2 id=\"" + source.FID + "--pairing\">S</h2><a href=\"#" + t + "--pairing\">1</a><a href=\"#" +
              t + "--top\">2</a>"})
        EXPECT_NE(body.find(piece), std::string::npos) << piece << "\n" << body;
}

TEST_F(PdfManualTest, HostileTopicIdentifiersStayInsideTheirAttributes) {
    const std::string hostile = "x\"><img src=x onerror=alert(1)>";
    auto topic = std::make_unique<TTopic>();
    topic->FID = hostile;
    topic->FTitle = "T";
    Project.FTopics.Add(std::move(topic));
    Project.FRootTopicIDs.push_back(hostile);
    const std::string escaped = "x&quot;&gt;&lt;img src=x onerror=alert(1)&gt;";
    const std::vector<std::string> body = Body({{hostile, 3}});
    EXPECT_EQ(body[8], ContentsEntry(escaped, "T", 0, "3"));
    EXPECT_EQ(body[11], "<h1 id=\"" + escaped + "\" class=\"topic-title chapter\">T</h1>");
}

} // namespace
} // namespace quillmark
