#include "MainWindowHarness.h"
#include "TempFolder.h"
#include "app/ProjectCreation.h"
#include "app/RecentProjects.h"
#include "base/FileHelpers.h"

#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace quillmark {
namespace {

using testing::MainWindowHarness;
using testing::TempFolder;

std::vector<std::string> Names(const std::vector<TRecentProject>& list) {
    std::vector<std::string> names;
    for (const TRecentProject& project : list)
        names.push_back(project.FileName);
    return names;
}

TEST(RecentProjectsTest, MostRecentFirstOnceAtMostTenMissingOnesMarked) {
    TempFolder folder;
    TRecentProjects recent(folder.Path("settings.ini"));
    EXPECT_TRUE(recent.List().empty());
    for (int i = 0; i < 12; ++i)
        recent.Add(folder.Path("p" + std::to_string(i) + ".hff"));
    recent.Add(folder.Path("p5.hff"));
    recent.Add("");
    recent.Add("/bad\nname.hff");
    std::vector<std::string> expected = {folder.Path("p5.hff")};
    for (int i = 11; i >= 2; --i)
        if (i != 5)
            expected.push_back(folder.Path("p" + std::to_string(i) + ".hff"));
    EXPECT_EQ(Names(recent.List()), expected);

    WriteTextFileUtf8(folder.Path("p11.hff"), "x");
    const std::vector<TRecentProject> list = recent.List();
    EXPECT_FALSE(list[0].Exists);
    EXPECT_TRUE(list[1].Exists);

    recent.Remove(folder.Path("p5.hff"));
    EXPECT_EQ(recent.List().size(), 9u);
    recent.RemoveMissing();
    EXPECT_EQ(Names(recent.List()), std::vector<std::string>{folder.Path("p11.hff")});
}

TEST(RecentProjectsTest, OpenedProjectsJoinTheListAndMissingOnesCanBeRemoved) {
    MainWindowHarness h;
    const std::string a = CreateProjectFile(h.Temp.Path("A.hff"), "A", QUILLMARK_RESOURCES_DIR);
    const std::string b = CreateProjectFile(h.Temp.Path("B.hff"), "B", QUILLMARK_RESOURCES_DIR);
    h.Window.FormCreate({a});
    h.Window.OpenRecentProject(b);
    EXPECT_EQ(h.State().FProjectFileName, b);
    EXPECT_EQ(Names(h.Window.RecentProjects()), (std::vector<std::string>{b, a}));

    std::filesystem::remove(a);
    h.Prompts.Answers = {TPromptButton::No, TPromptButton::Yes};
    h.Window.OpenRecentProject(a);
    EXPECT_EQ(h.Window.RecentProjects().size(), 2u);
    h.Window.OpenRecentProject(a);
    EXPECT_EQ(Names(h.Window.RecentProjects()), std::vector<std::string>{b});
    EXPECT_EQ(h.State().FProjectFileName, b);
    EXPECT_TRUE(h.Errors().empty());
}

TEST(StartScreenTest, ShownOnlyWhenNoProjectWasOpened) {
    MainWindowHarness h;
    h.Window.FormCreate({});
    EXPECT_TRUE(h.View.StartScreenVisible);
    h.Window.CloseStartScreen();
    EXPECT_FALSE(h.View.StartScreenVisible);

    MainWindowHarness opened;
    const std::string file =
        CreateProjectFile(opened.Temp.Path("A.hff"), "A", QUILLMARK_RESOURCES_DIR);
    opened.Window.FormCreate({file});
    EXPECT_FALSE(opened.View.StartScreenVisible);
}

TEST(StartScreenTest, TheSampleProjectOpensAsTheAuthorsOwnCopy) {
    MainWindowHarness h(true);
    const std::string examples = h.Temp.Path("program/examples/");
    CreateProjectFile(examples + "AuroraLamp.hff", "Aurora", QUILLMARK_RESOURCES_DIR);
    h.Window.FormCreate({});
    h.Window.OpenSampleProject();
    const std::string copy = h.Temp.Path("app/Sample/AuroraLamp.hff");
    EXPECT_EQ(h.State().FProjectFileName, copy);
    EXPECT_EQ(h.State().FProject.FTitle, "Aurora");
    EXPECT_FALSE(h.View.StartScreenVisible);

    // Opening it again keeps the author's changes in the copy.
    WriteTextFileUtf8(h.Temp.Path("app/Sample/AuroraLamp/topics/mine.txt"), "kept");
    h.Window.OpenSampleProject();
    EXPECT_TRUE(FileExists(h.Temp.Path("app/Sample/AuroraLamp/topics/mine.txt")));

    MainWindowHarness missing(true);
    missing.Window.FormCreate({});
    missing.Window.OpenSampleProject();
    EXPECT_THAT(missing.Errors(), ::testing::ElementsAre(::testing::HasSubstr("sample project")));
}

} // namespace
} // namespace quillmark
