#include "MainWindowHarness.h"
#include "TempFolder.h"
#include "base/FileHelpers.h"
#include "model/HeaderFiles.h"
#include "model/ProjectStorage.h"
#include "model/TopicTrash.h"
#include "publish/LinkChecker.h"

#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace quillmark {
namespace {

namespace fs = std::filesystem;
using testing::MainWindowHarness;
using testing::TempFolder;
using ::testing::ElementsAre;

// Roots First and Top; Top has the children A (with A1) and B. Every topic
// has its page; Top and A1 have header files.
class TopicTrashTest : public ::testing::Test {
protected:
    void SetUp() override {
        project.FRootPath = folder.Root();
        first = project.AddTopic("First", "").FID;
        top = project.AddTopic("Top", "").FID;
        a = project.AddTopic("A", top).FID;
        a1 = project.AddTopic("A1", a).FID;
        b = project.AddTopic("B", top).FID;
        for (const std::string& id : {first, top, a, a1, b})
            WriteTextFileUtf8(project.TopicPagePath(id), "<p>" + id + "</p>");
        WriteHeaderFiles(folder.Root(), top, "<b>Top</b>", "#112233");
        WriteHeaderFiles(folder.Root(), a1, "<b>A1</b>", "#445566");
    }

    TempFolder folder;
    TDocProject project;
    TTopicTrash trash;
    std::map<std::string, std::string> unsaved;
    std::string first, top, a, a1, b;
};

TEST_F(TopicTrashTest, DeleteMovesTheSubtreeAsideAndRestoreBringsItBack) {
    unsaved = {{a1, "<p>typed</p>"}, {first, "<p>kept</p>"}};
    trash.MoveToTrash(project, a, unsaved);

    EXPECT_THAT(project.GetTopic(top).FChildren, ElementsAre(b));
    EXPECT_FALSE(project.HasTopic(a1));
    EXPECT_FALSE(FileExists(project.TopicPagePath(a)));
    EXPECT_FALSE(FileExists(project.TopicPagePath(a1)));
    EXPECT_FALSE(FileExists(HeaderHtmlPath(folder.Root(), a1)));
    EXPECT_TRUE(FileExists(folder.Path("internal/trash/1/topics/" + a1 + ".html")));
    EXPECT_TRUE(FileExists(folder.Path("internal/trash/1/meta/header_" + a1 + ".html")));
    EXPECT_EQ(unsaved.size(), 1u) << "the deleted topic's unsaved text goes with it";

    // Neither the link check nor its orphan-page check sees the trash.
    EXPECT_TRUE(CheckLinks(project).empty());

    EXPECT_EQ(trash.RestoreLatest(project, unsaved), a);
    EXPECT_THAT(project.GetTopic(top).FChildren, ElementsAre(a, b));
    EXPECT_THAT(project.GetTopic(a).FChildren, ElementsAre(a1));
    EXPECT_EQ(ReadTextFileUtf8(project.TopicPagePath(a1)), "<p>" + a1 + "</p>");
    EXPECT_EQ(ReadTextFileUtf8(HeaderBgPath(folder.Root(), a1)), "#445566");
    EXPECT_EQ(project.GetTopic(a1).FHtmlPath, project.TopicPagePath(a1));
    EXPECT_EQ(unsaved.at(a1), "<p>typed</p>");
    EXPECT_TRUE(trash.IsEmpty());
    EXPECT_FALSE(fs::exists(folder.Path("internal/trash/1")));
}

TEST_F(TopicTrashTest, RestoresInReverseOrderAndAtTheRootWhenTheParentIsGone) {
    trash.MoveToTrash(project, a, unsaved);
    trash.MoveToTrash(project, top, unsaved);
    trash.MoveToTrash(project, "unknown", unsaved);
    EXPECT_EQ(trash.Entries().size(), 2u);
    EXPECT_THAT(project.FRootTopicIDs, ElementsAre(first));

    // A without its parent: the end of the root list.
    EXPECT_EQ(trash.Restore(project, 0, unsaved), a);
    EXPECT_THAT(project.FRootTopicIDs, ElementsAre(first, a));
    EXPECT_EQ(project.GetTopic(a).FParentID, "");
    EXPECT_EQ(trash.RestoreLatest(project, unsaved), top);
    EXPECT_THAT(project.FRootTopicIDs, ElementsAre(first, top, a));
    EXPECT_THAT(project.GetTopic(top).FChildren, ElementsAre(b));
    EXPECT_EQ(trash.RestoreLatest(project, unsaved), "");
}

TEST_F(TopicTrashTest, EmptyRemovesTheFilesForGood) {
    trash.MoveToTrash(project, top, unsaved);
    trash.Empty(folder.Root());
    EXPECT_TRUE(trash.IsEmpty());
    EXPECT_FALSE(fs::exists(folder.Path("internal/trash")));
    EXPECT_FALSE(FileExists(project.TopicPagePath(a1)));
}

TEST_F(TopicTrashTest, ATrashFolderLinkedOutsideIsRefusedAndNothingChanges) {
    TempFolder outside;
    fs::create_directories(folder.Path("internal"));
    fs::create_directory_symlink(outside.Root(), folder.Path("internal/trash"));
    EXPECT_THROW(trash.MoveToTrash(project, top, unsaved), QuillError);
    EXPECT_TRUE(project.HasTopic(a1));
    EXPECT_TRUE(FileExists(project.TopicPagePath(a1)));
    EXPECT_TRUE(fs::is_empty(outside.Root()));
    trash.Empty(folder.Root());
    EXPECT_TRUE(fs::exists(outside.Root())) << "only the link goes, never its target";
}

// The window: Remove Topic, then Edit > Undo Delete.
TEST(MainWindowTrashTest, UndoDeleteRestoresTreeFilesAndUnsavedText) {
    MainWindowHarness h;
    h.Window.FormCreate({});
    const std::string welcome = h.IdOf("Welcome");
    h.Prompts.Inputs = {"Doomed"};
    h.Window.btnNewRootTopicClick();
    const std::string doomed = h.IdOf("Doomed");
    h.State().FUnsavedTopicHtml[doomed] = "<p>unsaved</p>";
    h.State().FUnsavedTopicHtml[welcome] = "<p>welcome edit</p>";
    const std::string page = h.Project().TopicPagePath(doomed);
    ASSERT_TRUE(FileExists(page));

    h.Tree.SelectNode(doomed);
    h.Prompts.Answers = {TPromptButton::Yes};
    h.Window.btnDeleteTopicClick();
    EXPECT_EQ(h.Tree.Outline(), (std::vector<std::string>{"Welcome"}));
    EXPECT_FALSE(FileExists(page));
    EXPECT_TRUE(h.Window.CanUndoDelete());
    EXPECT_THAT(ReadTextFileUtf8(h.Workspace() + "meta/topics.json"),
                ::testing::Not(::testing::HasSubstr(doomed)));

    // Saving now does not bring the deleted page back as an orphan.
    h.Window.SaveProjectContent();
    EXPECT_FALSE(FileExists(page));
    EXPECT_EQ(ReadTextFileUtf8(h.Project().TopicPagePath(welcome)), "<p>welcome edit</p>");

    h.Window.UndoDelete1Click();
    EXPECT_EQ(h.Tree.Outline(), (std::vector<std::string>{"Welcome", "Doomed"}));
    EXPECT_EQ(h.Tree.Selected, doomed);
    EXPECT_TRUE(FileExists(page));
    EXPECT_EQ(h.State().FUnsavedTopicHtml.at(doomed), "<p>unsaved</p>");
    EXPECT_THAT(ReadTextFileUtf8(h.Workspace() + "meta/topics.json"), ::testing::HasSubstr(doomed));
    EXPECT_FALSE(h.Window.CanUndoDelete());
    EXPECT_TRUE(h.Errors().empty());
}

TEST(MainWindowTrashTest, ClosingEmptiesTheTrash) {
    MainWindowHarness h;
    h.Window.FormCreate({});
    const std::string welcome = h.IdOf("Welcome");
    WriteTextFileUtf8(h.Project().TopicPagePath(welcome), "<p>x</p>");
    h.Tree.SelectNode(welcome);
    h.Prompts.Answers = {TPromptButton::Yes};
    h.Window.btnDeleteTopicClick();
    ASSERT_TRUE(FileExists(h.Workspace() + "internal/trash/1/topics/" + welcome + ".html"));
    h.Window.FormClose();
    EXPECT_FALSE(fs::exists(h.Workspace() + "internal/trash"));
    EXPECT_FALSE(h.Window.CanUndoDelete());
}

} // namespace
} // namespace quillmark
