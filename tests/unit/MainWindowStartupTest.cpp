#include "MainWindowHarness.h"
#include "app/ProjectCreation.h"
#include "base/FileHelpers.h"
#include "model/ProjectStorage.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace quillmark {
namespace {

using testing::MainWindowHarness;

TEST(MainWindowStartupTest, WithoutProjectStartsTheWorkspaceWithOneWelcomeTopic) {
    MainWindowHarness h;
    h.Window.FormCreate({});

    EXPECT_EQ(h.Project().FRootPath, h.Workspace());
    EXPECT_EQ(h.State().FProjectFileName, "");
    EXPECT_EQ(h.Tree.Outline(), std::vector<std::string>{"Welcome"});
    EXPECT_EQ(h.Tree.Selected, h.IdOf("Welcome"));
    EXPECT_EQ(h.State().FCurrentTopicID, h.IdOf("Welcome"));
    EXPECT_EQ(h.View.Title, "Quillmark - Untitled Documentation");
    EXPECT_FALSE(h.View.SaveEnabled);
    EXPECT_EQ(h.View.EditorPage, h.Workspace() + "internal/editor/editor.html");
    EXPECT_TRUE(FileExists(h.Workspace() + "styles/default.css"));
    EXPECT_TRUE(FileExists(h.Workspace() + "meta/project_settings.json"));
    EXPECT_EQ(h.View.Captions["File1"], "File");
    EXPECT_TRUE(h.Prompts.Messages.empty());
}

TEST(MainWindowStartupTest, StartingTheWorkspaceAgainEmptiesIt) {
    MainWindowHarness h;
    h.Window.FormCreate({});
    h.Project().AddTopic("Second", "");
    WriteTextFileUtf8(h.Workspace() + "stray.txt", "left over");

    h.Window.StartWorkspaceProject();

    EXPECT_EQ(h.Project().FTopics.Size(), 1u);
    EXPECT_FALSE(h.IdOf("Welcome").empty());
    EXPECT_FALSE(FileExists(h.Workspace() + "stray.txt"));
}

TEST(MainWindowStartupTest, NormalizePathCleansPathsFromOutside) {
    const struct {
        const char* Input;
        const char* Expected;
    } cases[] = {
        {"  /docs/a.hff \t", "/docs/a.hff"},
        {"\"/docs/a b.hff\"", "/docs/a b.hff"},
        {"\"/docs/a.hff", "/docs/a.hff"},
        {"file:///docs/a%20b.hff", "/docs/a b.hff"},
        {"file://localhost/docs/a.hff", "/docs/a.hff"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TMainWindow::NormalizePath(c.Input), c.Expected) << c.Input;
    EXPECT_EQ(TMainWindow::NormalizePath("rel/a.hff"), AbsolutePath("rel/a.hff"));
}

// Which project the start opens, from the command line and the last-project
// file, and which error it shows on the way.
TEST(MainWindowStartupTest, ChoosesTheProjectAndFallsBackToTheWorkspace) {
    enum Place { None, Good, GoodCapitals, Missing, Broken };
    const struct {
        const char* Name;
        Place Argument;
        Place LastProject;
        Place Expected; // the project that ends up open (None: workspace)
        bool ErrorShown;
    } cases[] = {
        {"argument", Good, None, Good, false},
        {"argument in capitals", GoodCapitals, None, GoodCapitals, false},
        {"missing argument, last project", Missing, Good, Good, false},
        {"last project only", None, Good, Good, false},
        {"missing last project", None, Missing, None, false},
        {"broken argument", Broken, Good, None, true},
        {"broken last project", None, Broken, None, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        MainWindowHarness h;
        const std::string programFolder = QUILLMARK_RESOURCES_DIR;
        auto pathOf = [&](Place place) -> std::string {
            switch (place) {
            case Good:
                return h.Temp.Path("docs/Good.hff");
            case GoodCapitals:
                return h.Temp.Path("docs/Caps.HFF");
            case Missing:
                return h.Temp.Path("docs/Missing.hff");
            case Broken:
                return h.Temp.Path("docs/Broken.hff");
            case None:
                break;
            }
            return "";
        };
        CreateProjectFile(pathOf(Good), "Good Manual", programFolder);
        CreateProjectFile(h.Temp.Path("docs/Caps.hff"), "Caps Manual", programFolder);
        std::filesystem::rename(h.Temp.Path("docs/Caps.hff"), pathOf(GoodCapitals));
        WriteTextFileUtf8(pathOf(Broken), "{not json");
        if (c.LastProject != None)
            WriteTextFileUtf8(h.LastProjectFile(), pathOf(c.LastProject) + "\n");

        std::vector<std::string> arguments;
        if (c.Argument != None)
            arguments.push_back(pathOf(c.Argument));
        h.Window.FormCreate(arguments);

        EXPECT_EQ(h.State().FProjectFileName, pathOf(c.Expected));
        if (c.Expected == None) {
            EXPECT_EQ(h.Project().FRootPath, h.Workspace());
        }
        EXPECT_EQ(h.Errors().size(), c.ErrorShown ? 1u : 0u);
        EXPECT_FALSE(h.Tree.Nodes.empty());
        EXPECT_FALSE(h.Tree.Selected.empty());
    }
}

TEST(MainWindowStartupTest, OpenedProjectBecomesTheLastProject) {
    MainWindowHarness h;
    const std::string file =
        CreateProjectFile(h.Temp.Path("docs/Widget.hff"), "Widget", QUILLMARK_RESOURCES_DIR);
    h.Window.FormCreate({file});
    EXPECT_EQ(ReadTextFileUtf8(h.LastProjectFile()), file);
    EXPECT_EQ(h.View.Title, "Quillmark - Widget [" + file + "]");
}

TEST(MainWindowStartupTest, HelpMenuOpensTheWebsiteAndReportsAMissingManual) {
    MainWindowHarness h;
    h.Window.VisitWebsite1Click();
    h.Window.ContactUs1Click();
    ASSERT_EQ(h.Shell.Opened.size(), 2u);
    EXPECT_EQ(h.Shell.Opened[1], h.Shell.Opened[0] + "support.html");

    h.Window.UserManual1Click();
    ASSERT_EQ(h.Errors().size(), 1u);
    EXPECT_NE(h.Errors()[0].find("The Quillmark user manual could not be found:\r\n\r\n"),
              std::string::npos);
}

// The manual opens as CHM where the desktop has a viewer for it, else as the
// WebHelp copy beside it; a missing CHM falls back to the copy as well.
TEST(MainWindowStartupTest, UserManualFallsBackToTheWebHelpCopy) {
    struct Case {
        bool chm, web, viewer;
        const char* opened;
    };
    for (const Case& c :
         {Case{true, true, true, "Quillmark.chm"}, Case{true, true, false, "manual/index.html"},
          Case{false, true, true, "manual/index.html"},
          Case{true, false, false, "Quillmark.chm"}}) {
        MainWindowHarness h(true);
        const std::string program = h.Temp.Path("program/");
        if (c.chm)
            WriteTextFileUtf8(program + "Quillmark.chm", "chm");
        if (c.web)
            WriteTextFileUtf8(program + "manual/index.html", "<html></html>");
        h.Shell.Viewer = c.viewer;
        h.Window.UserManual1Click();
        ASSERT_EQ(h.Shell.Opened.size(), 1u);
        EXPECT_EQ(h.Shell.Opened[0], program + c.opened);
        EXPECT_TRUE(h.Errors().empty());
    }
}

} // namespace
} // namespace quillmark
