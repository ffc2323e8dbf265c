#include "MainWindowHarness.h"
#include "base/FileHelpers.h"
#include "publish/TopicPreview.h"
#include "reuse/ReusableContent.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace quillmark {
namespace {

using testing::MainWindowHarness;
using ::testing::HasSubstr;
using ::testing::Not;

// The workspace project with the variable Product = "Aurora <Lamp>".
class TopicPreviewTest : public ::testing::Test {
protected:
    void SetUp() override {
        h.Window.FormCreate({});
        TReusableProjectContent content;
        content.FVariables = {{"Product", "Aurora <Lamp>"}};
        content.SaveToProject(h.Project());
        welcome = h.IdOf("Welcome");
    }

    MainWindowHarness h;
    std::string welcome;
};

TEST_F(TopicPreviewTest, ThePageIsTheSitesPageOfTheUnsavedText) {
    WriteTextFileUtf8(h.Workspace() + "meta/header_" + welcome + ".html", "<b>Band</b>");
    const std::string path = WriteTopicPreview(
        h.Project(), welcome, R"(<h2>{var:Product}</h2><img src="assets/images/a.png">)");
    EXPECT_EQ(path, TopicPreviewPath(h.Workspace()));
    const std::string page = ReadTextFileUtf8(path);
    EXPECT_THAT(page, HasSubstr("Aurora &lt;Lamp&gt;</h2>"));
    EXPECT_THAT(page, HasSubstr("<b>Band</b>"));
    EXPECT_THAT(page, HasSubstr(R"(src="../assets/images/a.png")"));
    EXPECT_THAT(page, HasSubstr(R"(href="topic-preview.css")"));
    EXPECT_THAT(page, HasSubstr(R"(<script src="webhelp/shared.js">)"));
    EXPECT_THAT(page, Not(HasSubstr("topic.js")));
    EXPECT_TRUE(FileExists(h.Workspace() + "internal/topic-preview.css"));
    EXPECT_TRUE(FileExists(h.Workspace() + "internal/webhelp/shared.js"));
    EXPECT_FALSE(DirectoryExists(h.Workspace() + "build/webhelp"));

    EXPECT_THROW(WriteTopicPreview(h.Project(), "unknown", ""), std::exception);
}

TEST_F(TopicPreviewTest, TheWindowShowsItAndRefreshesOnSaveAndSwitch) {
    h.Window.Preview1Click();
    ASSERT_EQ(h.View.Previews.size(), 1u);
    h.State().FUnsavedTopicHtml[welcome] = "<p>{var:Product} edited</p>";
    h.Window.MarkProjectDirty();
    h.Prompts.SaveAnswers = {h.Temp.Path("Saved.hff")};
    h.Window.btnSaveClick();
    ASSERT_EQ(h.View.Previews.size(), 2u);
    EXPECT_THAT(ReadTextFileUtf8(h.View.Previews.back()), HasSubstr("Aurora &lt;Lamp&gt; edited"));

    h.Window.PreviewClosed();
    h.Window.btnSaveClick();
    EXPECT_EQ(h.View.Previews.size(), 2u);
    EXPECT_TRUE(h.Errors().empty());
}

} // namespace
} // namespace quillmark
