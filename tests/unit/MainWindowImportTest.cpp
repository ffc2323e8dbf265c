#include "MainWindowHarness.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace quillmark {
namespace {

using testing::MainWindowHarness;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

const std::string kFixture = std::string(QUILLMARK_SOURCE_DIR) + "/tests/fixtures/markdown";

// File > Import > Markdown Folder...: a folder dialog, the import, the tree
// shown with the first new topic selected, and the report.
TEST(MainWindowImportTest, ImportsTheChosenFolder) {
    MainWindowHarness h;
    h.Window.FormCreate({});
    h.Prompts.OpenAnswers.push_back(kFixture);
    h.Window.ImportMarkdownFolder1Click();

    ASSERT_EQ(h.Prompts.OpenRequests.size(), 1u);
    EXPECT_TRUE(h.Prompts.OpenRequests[0].ChooseFolder);
    EXPECT_THAT(h.Tree.Outline(), ElementsAre("Welcome", "Home", "Getting Started", "User Guide",
                                              "  Guide Overview", "  Setup", "  Advanced",
                                              "    Tuning the Light", "Troubleshooting"));
    EXPECT_EQ(h.Tree.SelectedNodeId(), h.IdOf("Home"));
    EXPECT_EQ(h.View.Status, "Imported 8 topics.");
    EXPECT_THAT(h.Prompts.TextsOf(TMessageKind::Warning),
                ElementsAre("Imported 8 topics.\r\n\r\nNav entries not imported:\r\n"
                            "  https://example.com/aurora/releases\r\n"));
}

TEST(MainWindowImportTest, CancelAndFailureChangeNothing) {
    MainWindowHarness h;
    h.Window.FormCreate({});
    h.Prompts.OpenAnswers.push_back(std::nullopt);
    h.Window.ImportMarkdownFolder1Click();
    h.Prompts.OpenAnswers.push_back(h.Temp.Root());
    h.Window.ImportMarkdownFolder1Click();
    EXPECT_THAT(h.Tree.Outline(), ElementsAre("Welcome"));
    EXPECT_THAT(h.Prompts.TextsOf(TMessageKind::Error),
                ElementsAre(HasSubstr("The folder holds no Markdown files")));
}

} // namespace
} // namespace quillmark
