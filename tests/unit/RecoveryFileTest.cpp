#include "MainWindowHarness.h"
#include "app/ProjectCreation.h"
#include "app/RecoveryFile.h"
#include "base/FileHelpers.h"
#include "model/ProjectStorage.h"
#include "model/TopicCreation.h"

#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace quillmark {
namespace {

namespace fs = std::filesystem;
using testing::FakeEditorContent;
using testing::MainWindowHarness;
using ::testing::HasSubstr;

TEST(RecoveryFileTest, TextRoundTripsAndForeignTextGivesNothing) {
    const TRecoveredPages pages = {{"A1", "<p>caf\xC3\xA9 \"quoted\"</p>"}, {"B2", ""}};
    EXPECT_EQ(ParseRecoveryFileText(RecoveryFileText(pages)), pages);

    const char* const foreign[] = {
        "",
        "not json",
        "[]",
        R"({"topics":{}})",
        R"({"topics":[1,"x",null]})",
        R"({"topics":[{"id":"","html":"x"},{"id":7,"html":"x"},{"id":"A","html":[]}]})",
    };
    for (const char* text : foreign)
        EXPECT_TRUE(ParseRecoveryFileText(text).empty()) << text;
    EXPECT_TRUE(ParseRecoveryFileText(std::string(100000, '[')).empty());
}

// A saved project with the topics Welcome and Second, opened in a window
// whose editor content the test drives.
class RecoveryTest : public ::testing::Test {
protected:
    void SetUp() override {
        file = CreateProjectFile(h.Temp.Path("Guide.hff"), "Guide", QUILLMARK_RESOURCES_DIR);
        root = IncludeTrailingPathDelimiter(ProjectFolderForFile(file));
        TDocProject project;
        LoadProjectFolder(root, project);
        AddTopicWithPage(project, "Second", "", "<p>stored</p>");
        SaveProjectFolder(project);
        editor = &Open(h);
        welcome = h.IdOf("Welcome");
        second = h.IdOf("Second");
    }

    FakeEditorContent& Open(MainWindowHarness& window) {
        auto editor = std::make_unique<FakeEditorContent>();
        FakeEditorContent& fake = *editor;
        window.Window.SetEditorContent(std::move(editor));
        window.Window.FormCreate({file});
        return fake;
    }

    std::string Recovery() const { return RecoveryFilePath(root); }

    MainWindowHarness h;
    FakeEditorContent* editor = nullptr;
    std::string file, root, welcome, second;
};

TEST_F(RecoveryTest, AutosaveWritesOnlyTheRecoveryFileAndSavingClearsIt) {
    const std::string storedWelcome = ReadTextFileUtf8(h.Project().TopicPagePath(welcome));
    h.State().FUnsavedTopicHtml[second] = "<p>cached</p>";
    editor->Unsaved = "<p>typing</p>";
    h.State().FCurrentTopicID = welcome;
    h.Window.MarkProjectDirty();

    h.Window.AutosaveTimerTick();
    const TRecoveredPages expected = {{welcome, "<p>typing</p>"}, {second, "<p>cached</p>"}};
    EXPECT_EQ(ReadRecoveryFile(root), expected);
    EXPECT_EQ(ReadTextFileUtf8(h.Project().TopicPagePath(welcome)), storedWelcome);
    const auto written = fs::last_write_time(Recovery());

    // Unchanged text is not written again.
    h.Window.AutosaveTimerTick();
    EXPECT_EQ(fs::last_write_time(Recovery()), written);

    h.Window.btnSaveClick();
    EXPECT_FALSE(FileExists(Recovery()));
    EXPECT_EQ(ReadTextFileUtf8(h.Project().TopicPagePath(second)), "<p>cached</p>");
}

TEST_F(RecoveryTest, DiscardingClearsTheRecoveryFile) {
    h.State().FUnsavedTopicHtml[second] = "<p>cached</p>";
    h.Window.MarkProjectDirty();
    h.Window.AutosaveTimerTick();
    ASSERT_TRUE(FileExists(Recovery()));
    h.Prompts.Answers = {TPromptButton::No};
    EXPECT_TRUE(h.Window.FormCloseQuery());
    EXPECT_FALSE(FileExists(Recovery()));
}

// After a crash the next window offers the text; the answer decides.
TEST_F(RecoveryTest, OpeningAfterACrashOffersTheRecoveredTopics) {
    for (const TPromptButton answer : {TPromptButton::Yes, TPromptButton::No}) {
        SCOPED_TRACE(answer == TPromptButton::Yes ? "restore" : "decline");
        WriteTextFileUtf8(Recovery(), RecoveryFileText({{second, "<p>lost work</p>"},
                                                        {"GONE", "<p>deleted topic</p>"}}));
        const std::string stored = ReadTextFileUtf8(h.Project().TopicPagePath(second));

        MainWindowHarness next;
        next.Prompts.Answers = {answer};
        Open(next);
        ASSERT_EQ(next.Prompts.Messages.size(), 1u);
        EXPECT_THAT(next.Prompts.Messages[0].Text, HasSubstr("Second"));
        EXPECT_THAT(next.Prompts.Messages[0].Text, ::testing::Not(HasSubstr("GONE")));
        EXPECT_EQ(ReadTextFileUtf8(h.Project().TopicPagePath(second)), stored);
        if (answer == TPromptButton::Yes) {
            EXPECT_EQ(next.State().FUnsavedTopicHtml.at(second), "<p>lost work</p>");
            EXPECT_TRUE(next.State().FProjectDirty);
            // Kept until the restored text is saved or discarded.
            EXPECT_TRUE(FileExists(Recovery()));
        } else {
            EXPECT_TRUE(next.State().FUnsavedTopicHtml.empty());
            EXPECT_FALSE(next.State().FProjectDirty);
            EXPECT_FALSE(FileExists(Recovery()));
        }
    }
}

TEST_F(RecoveryTest, TheWorkspaceIsNotAutosavedAndAFailureOnlyShowsInTheStatusBar) {
    MainWindowHarness workspace;
    workspace.Window.FormCreate({});
    workspace.State().FUnsavedTopicHtml[workspace.IdOf("Welcome")] = "<p>x</p>";
    workspace.Window.AutosaveTimerTick();
    EXPECT_FALSE(FileExists(RecoveryFilePath(workspace.Project().FRootPath)));

    // internal/recovery.json is a folder: the write fails.
    fs::create_directories(Recovery());
    h.State().FUnsavedTopicHtml[second] = "<p>cached</p>";
    h.Window.AutosaveTimerTick();
    EXPECT_THAT(h.View.Status, HasSubstr("Autosave failed"));
    EXPECT_TRUE(h.Errors().empty());
}

} // namespace
} // namespace quillmark
