#include "FakeClock.h"
#include "FakeEditorPage.h"
#include "MainWindowHarness.h"
#include "app/ProjectFindReplace.h"
#include "editor/EditorBridge.h"
#include "editor/FindInTopic.h"
#include "model/HeaderFiles.h"
#include "model/ProjectStorage.h"

#include <gtest/gtest.h>

namespace quillmark {
namespace {

using testing::MainWindowHarness;

// A workspace project with the topics Alpha (current, its page only on
// disk) and Beta (its page edited, not saved), saved and not modified.
class ProjectFindReplaceTest : public ::testing::Test {
protected:
    void SetUp() override {
        h.Window.FormCreate({});
        TDocProject& project = h.Project();
        project.DeleteTopic(h.IdOf("Welcome"));
        alpha = project.AddTopic("Alpha lamp", "").FID;
        beta = project.AddTopic("Beta", "").FID;
        WriteTextFileUtf8(project.TopicPagePath(alpha), kAlphaPage);
        WriteTextFileUtf8(project.TopicPagePath(beta), "<p>stored text</p>");
        WriteHeaderFiles(project.FRootPath, alpha, kAlphaHeader, "#FFFFFF");
        SaveProjectFolder(project);
        h.Window.RebuildTree();
        h.Window.SelectTopicNode(alpha);
        h.State().FUnsavedTopicHtml[beta] = "<p>An unsaved lamp.</p>";
        h.State().FProjectDirty = false;
    }

    std::string Page(const std::string& id) { return h.State().FUnsavedTopicHtml[id]; }
    std::string Header() { return ReadTextFileUtf8(HeaderHtmlPath(h.Project().FRootPath, alpha)); }

    static constexpr const char* kAlphaPage =
        "<p class=\"lamp\">The <b>lamp</b> glows.</p><p>Lamp: <a href=\"lamp.html\">lamp</a></p>";
    static constexpr const char* kAlphaHeader = "<div><b>Lamp guide</b></div>";

    MainWindowHarness h;
    TProjectFindReplace find{h.Window, nullptr};
    std::string alpha, beta;
};

TEST_F(ProjectFindReplaceTest, SearchesWhatTheAuthorSees) {
    TFindReplaceStatus status = find.Search({"lamp"}, false);
    EXPECT_FALSE(status.Failed);
    EXPECT_EQ(status.Text, "5 matches in 2 topics.");
    ASSERT_EQ(find.Results().size(), 2u);
    EXPECT_EQ(find.Results()[0].Hits.size(), 4u); // header, page ×3; never the attributes
    EXPECT_EQ(find.Results()[1].Hits.at(0).Context, "An unsaved lamp.");

    status = find.Search({"lamp"}, true);
    EXPECT_EQ(find.Results()[0].Hits.at(0).Field, TSearchField::Title);

    status = find.Search({"(lamp", false, false, true}, false);
    EXPECT_TRUE(status.Failed);
    EXPECT_NE(status.Text.find("Invalid regular expression"), std::string::npos);
    EXPECT_EQ(find.Search({"nowhere"}, false).Text, "No matches.");
}

TEST_F(ProjectFindReplaceTest, ReplaceAllThenUndoAsOneStep) {
    find.Search({"lamp", false, true}, true);
    const TFindReplaceStatus status = find.ReplaceAll("light");
    EXPECT_EQ(status.Text, "Replaced 6 matches in 2 topics.");
    EXPECT_EQ(Page(alpha),
              "<p class=\"lamp\">The <b>light</b> glows.</p><p>light: <a href=\"lamp.html\">light</a></p>");
    EXPECT_EQ(Page(beta), "<p>An unsaved light.</p>");
    EXPECT_EQ(Header(), "<div><b>light guide</b></div>");
    EXPECT_EQ(h.Project().GetTopic(alpha).FTitle, "Alpha light");
    EXPECT_TRUE(h.State().FProjectDirty);
    // The pages wait for Save; the stored page is as it was.
    EXPECT_EQ(ReadTextFileUtf8(h.Project().TopicPagePath(alpha)), kAlphaPage);
    EXPECT_TRUE(find.Results().empty());

    ASSERT_TRUE(find.CanUndo());
    EXPECT_EQ(find.UndoReplace().Text, "Replacement undone.");
    EXPECT_EQ(Page(alpha), kAlphaPage);
    EXPECT_EQ(Page(beta), "<p>An unsaved lamp.</p>");
    EXPECT_EQ(Header(), kAlphaHeader);
    EXPECT_EQ(h.Project().GetTopic(alpha).FTitle, "Alpha lamp");
    EXPECT_FALSE(find.CanUndo());
    EXPECT_EQ(find.Results().size(), 2u);
}

TEST_F(ProjectFindReplaceTest, UndoLeavesTextsChangedSince) {
    find.Search({"lamp"}, false);
    find.ReplaceAll("light");
    h.State().FUnsavedTopicHtml[beta] = "<p>Rewritten by the author.</p>";
    const TFindReplaceStatus status = find.UndoReplace();
    EXPECT_EQ(status.Text, "Replacement undone. 1 changed texts were left as they are.");
    EXPECT_EQ(Page(beta), "<p>Rewritten by the author.</p>");
    EXPECT_EQ(Page(alpha), kAlphaPage);
}

TEST_F(ProjectFindReplaceTest, ReplaceOneAndOneTopic) {
    find.Search({"lamp"}, false);
    // The second page match of Alpha: "Lamp:".
    EXPECT_EQ(find.ReplaceHit(0, 2, "Light").Text, "Replaced 1 matches in 1 topics.");
    EXPECT_EQ(Page(alpha),
              "<p class=\"lamp\">The <b>lamp</b> glows.</p><p>Light: <a href=\"lamp.html\">lamp</a></p>");
    EXPECT_EQ(find.Results()[0].Hits.size(), 3u);

    // Beta's results are at index 1; only Beta changes.
    EXPECT_EQ(find.ReplaceInTopic(1, "light").Text, "Replaced 1 matches in 1 topics.");
    EXPECT_EQ(Page(beta), "<p>An unsaved light.</p>");
    EXPECT_EQ(Header(), kAlphaHeader);

    // A match that is gone is reported, nothing replaced.
    h.State().FUnsavedTopicHtml[alpha] = "<p>gone</p>";
    const TFindReplaceStatus gone = find.ReplaceHit(0, 1, "x"); // a page match
    EXPECT_TRUE(gone.Failed);
    EXPECT_EQ(Page(alpha), "<p>gone</p>");
}

TEST(FindInTopicTest, SendsTheQueryAndReportsThePagesCount) {
    testing::FakeEditorPage page;
    TEditorBridge bridge(&page);
    TFindInTopic finder(bridge);
    std::string shown;
    finder.SetOnResult([&](const std::string& text, bool) { shown = text; });

    finder.Find({"lamp", true, false}, TFindDirection::Next);
    const JsonValue sent = page.Messages().back();
    EXPECT_EQ(sent.Find("cmd")->Text(), "find");
    EXPECT_EQ(sent.Find("arg")->Text(),
              "{\"text\":\"lamp\",\"matchCase\":true,\"wholeWord\":false,\"direction\":\"next\","
              "\"occurrence\":-1}");
    page.Post("{\"type\":\"findResult\",\"count\":12,\"active\":3}");
    EXPECT_EQ(shown, "3 of 12");
    page.Post("{\"type\":\"findResult\",\"count\":0,\"active\":0}");
    EXPECT_EQ(shown, "No matches");

    finder.Find({""}, TFindDirection::Here);
    EXPECT_EQ(page.Messages().back().Find("cmd")->Text(), "findClear");
    EXPECT_EQ(shown, "");
}

} // namespace
} // namespace quillmark
