#include "MainWindowHarness.h"
#include "app/ProjectCreation.h"
#include "app/WindowTitle.h"
#include "base/Color.h"
#include "base/FileHelpers.h"
#include "model/ProjectStorage.h"
#include "settings/ProjectSettings.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace quillmark {
namespace {

using testing::MainWindowHarness;

TEST(MainWindowProjectTest, WindowTitleFormats) {
    const struct {
        bool Dirty;
        const char* File;
        const char* Expected;
    } cases[] = {
        {false, "", "Quillmark - Manual"},
        {true, "", "Quillmark* - Manual"},
        {false, "/d/Manual.hff", "Quillmark - Manual [/d/Manual.hff]"},
        {true, "/d/Manual.hff", "Quillmark* - Manual [/d/Manual.hff]"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatWindowTitle("Quillmark", c.Dirty, "Manual", c.File), c.Expected);
    EXPECT_EQ(FormatWindowTitle("Quillmark", false, "100%s", ""), "Quillmark - 100%s");
}

TEST(MainWindowProjectTest, ModifiedFlagDrivesTitleAndSaveButton) {
    MainWindowHarness h;
    h.Window.FormCreate({});
    h.Window.MarkProjectDirty();
    EXPECT_EQ(h.View.Title, "Quillmark* - Untitled Documentation");
    EXPECT_TRUE(h.View.SaveEnabled);
}

TEST(MainWindowProjectTest, ConfirmSaveChangesFollowsTheAnswer) {
    const struct {
        const char* Name;
        bool Dirty;
        std::optional<TPromptButton> Answer; // nullopt: no question expected
        bool Result;
        bool DirtyAfter;
        bool CacheKept;
        bool SaveAsShown;
    } cases[] = {
        {"unmodified", false, std::nullopt, true, false, true, false},
        {"cancel", true, TPromptButton::Cancel, false, true, true, false},
        {"no", true, TPromptButton::No, true, false, false, false},
        // The workspace has no project file: Yes opens Save As, which is
        // cancelled here, and the pending command goes on.
        {"yes", true, TPromptButton::Yes, true, true, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        MainWindowHarness h;
        h.Window.FormCreate({});
        const std::string welcome = h.IdOf("Welcome");
        h.State().FUnsavedTopicHtml[welcome] = "<p>typed</p>";
        if (c.Dirty)
            h.Window.MarkProjectDirty();
        if (c.Answer)
            h.Prompts.Answers.push_back(*c.Answer);

        EXPECT_EQ(h.Window.ConfirmSaveChanges(), c.Result);

        EXPECT_EQ(h.Prompts.Messages.size(), c.Answer ? 1u : 0u);
        EXPECT_EQ(h.State().FProjectDirty, c.DirtyAfter);
        EXPECT_EQ(h.State().FUnsavedTopicHtml.count(welcome) == 1, c.CacheKept);
        EXPECT_EQ(h.Prompts.SaveRequests.size(), c.SaveAsShown ? 1u : 0u);
    }
}

TEST(MainWindowProjectTest, SaveOnTheWorkspaceWritesPagesThenAsksForAFile) {
    MainWindowHarness h;
    h.Window.FormCreate({});
    const std::string welcome = h.IdOf("Welcome");
    h.State().FUnsavedTopicHtml[welcome] = "<p>draft</p>";
    h.Window.MarkProjectDirty();

    h.Window.btnSaveClick(); // the Save As dialog is cancelled

    ASSERT_EQ(h.Prompts.SaveRequests.size(), 1u);
    const TFileDialogRequest& request = h.Prompts.SaveRequests[0];
    EXPECT_EQ(request.FileName, "Untitled.hff");
    EXPECT_EQ(request.Filter, "Help Project (*.hff)|*.hff");
    EXPECT_EQ(request.DefaultExt, "hff");
    EXPECT_TRUE(request.ConfirmOverwrite);
    EXPECT_EQ(ReadTextFileUtf8(h.Workspace() + "topics/" + welcome + ".html"), "<p>draft</p>");
    EXPECT_TRUE(FileExists(h.Workspace() + "meta/topics.json"));
    EXPECT_TRUE(h.State().FProjectDirty);
    EXPECT_EQ(h.State().FProjectFileName, "");
}

// A project opens at the topic the author last had open in it.
TEST(MainWindowProjectTest, ProjectReopensAtTheLastTopic) {
    MainWindowHarness h;
    h.Window.FormCreate({});
    const std::string file = h.Temp.Path("out/Manual.hff");
    h.Prompts.SaveAnswers.push_back(file);
    h.Window.btnSaveAsClick();
    h.Prompts.Inputs.push_back("Second");
    h.Window.btnNewRootTopicClick();
    const std::string second = h.IdOf("Second");
    h.Window.btnSaveClick();
    h.Window.SelectTopicNode(second);

    h.Window.OpenProject(file);
    EXPECT_EQ(h.State().FCurrentTopicID, second);
    h.Window.SelectTopicNode(h.IdOf("Welcome"));
    h.Window.OpenProject(file);
    EXPECT_EQ(h.State().FCurrentTopicID, h.IdOf("Welcome"));
}

TEST(MainWindowProjectTest, SaveAsCopiesTheFolderWithoutBuildAndProjectFiles) {
    MainWindowHarness h;
    h.Window.FormCreate({});
    const std::string welcome = h.IdOf("Welcome");
    WriteTextFileUtf8(h.Workspace() + "assets/images/logo.png", "png");
    WriteTextFileUtf8(h.Workspace() + "build/webhelp/index.html", "old output");
    WriteTextFileUtf8(h.Workspace() + "Old.HFF", "{}");
    h.State().FUnsavedTopicHtml[welcome] = "<p>kept</p>";
    h.State().FPendingTextFiles[h.Workspace() + "assets/css/import.css"] = "p{}";
    h.Window.MarkProjectDirty();
    const std::string file = h.Temp.Path("out/Manual.hff");
    h.Prompts.SaveAnswers.push_back(file);

    h.Window.btnSaveAsClick();

    const std::string folder = h.Temp.Path("out/Manual/");
    EXPECT_TRUE(h.Errors().empty());
    EXPECT_EQ(h.Project().FRootPath, folder);
    EXPECT_EQ(ReadTextFileUtf8(folder + "assets/images/logo.png"), "png");
    EXPECT_EQ(ReadTextFileUtf8(folder + "topics/" + welcome + ".html"), "<p>kept</p>");
    EXPECT_EQ(ReadTextFileUtf8(folder + "assets/css/import.css"), "p{}");
    EXPECT_FALSE(FileExists(folder + "build/webhelp/index.html"));
    EXPECT_FALSE(FileExists(folder + "Old.HFF"));
    EXPECT_EQ(ReadProjectFile(file).Folder, h.Temp.Path("out/Manual"));
    EXPECT_EQ(h.View.Title, "Quillmark - Untitled Documentation [" + file + "]");
    EXPECT_FALSE(h.State().FProjectDirty);
    EXPECT_EQ(h.View.Status, "Saved As");
    EXPECT_EQ(ReadTextFileUtf8(h.LastProjectFile()), file);
}

TEST(MainWindowProjectTest, SaveAsRefusesANameThatIsNoProjectFile) {
    MainWindowHarness h;
    h.Window.FormCreate({});
    h.Window.MarkProjectDirty();
    const std::string name = h.Temp.Path("out/Manual.txt");
    h.Prompts.SaveAnswers.push_back(name);

    h.Window.btnSaveAsClick();

    EXPECT_EQ(h.Errors(), std::vector<std::string>{"Invalid project filename: " + name});
    EXPECT_EQ(h.Project().FRootPath, h.Workspace());
    EXPECT_TRUE(h.State().FProjectDirty);
    EXPECT_FALSE(DirectoryExists(h.Temp.Path("out/Manual")));
}

TEST(MainWindowProjectTest, SaveAsIntoAFolderInsideTheProjectEnds) {
    MainWindowHarness h;
    h.Window.FormCreate({});
    const std::string file = h.Workspace() + "nested/Inner.hff";
    EnsureDir(h.Workspace() + "nested");
    h.Prompts.SaveAnswers.push_back(file);

    h.Window.btnSaveAsClick();

    EXPECT_TRUE(h.Errors().empty());
    EXPECT_TRUE(FileExists(h.Workspace() + "nested/Inner/project.json"));
    EXPECT_FALSE(DirectoryExists(h.Workspace() + "nested/Inner/nested"));
}

TEST(MainWindowProjectTest, SaveAsUnderTheCurrentNameOnlySaves) {
    MainWindowHarness h;
    const std::string file =
        CreateProjectFile(h.Temp.Path("docs/Widget.hff"), "Widget", QUILLMARK_RESOURCES_DIR);
    h.Window.FormCreate({file});
    const std::string page = h.Project().TopicPagePath(h.IdOf("Welcome"));
    const std::string before = ReadTextFileUtf8(page);
    h.Prompts.SaveAnswers.push_back(h.Temp.Path("docs/../docs/Widget.hff"));

    h.Window.btnSaveAsClick();

    EXPECT_TRUE(h.Errors().empty());
    EXPECT_EQ(h.Project().FRootPath, h.Temp.Path("docs/Widget/"));
    EXPECT_EQ(ReadTextFileUtf8(page), before);
    EXPECT_EQ(h.View.Status, "Saved As");
}

TEST(MainWindowProjectTest, SaveOfAProjectWithAFileWritesCachedPages) {
    MainWindowHarness h;
    const std::string file =
        CreateProjectFile(h.Temp.Path("docs/Widget.hff"), "Widget", QUILLMARK_RESOURCES_DIR);
    h.Window.FormCreate({file});
    const std::string welcome = h.IdOf("Welcome");
    h.State().FUnsavedTopicHtml[welcome] = "<p>edited</p>";
    h.Window.MarkProjectDirty();

    h.Window.btnSaveClick();

    EXPECT_TRUE(h.Prompts.SaveRequests.empty());
    EXPECT_EQ(ReadTextFileUtf8(h.Temp.Path("docs/Widget/topics/" + welcome + ".html")),
              "<p>edited</p>");
    EXPECT_TRUE(h.State().FUnsavedTopicHtml.empty());
    EXPECT_FALSE(h.State().FProjectDirty);
    EXPECT_FALSE(h.View.SaveEnabled);
    EXPECT_EQ(h.View.Status, "Saved");
    EXPECT_EQ(h.View.Title, "Quillmark - Widget [" + file + "]");
}

TEST(MainWindowProjectTest, AFailedSaveKeepsTheUnsavedPages) {
    MainWindowHarness h;
    h.Window.FormCreate({});
    const std::string welcome = h.IdOf("Welcome");
    h.State().FUnsavedTopicHtml[welcome] = std::string(4096, 'x');
    h.Window.MarkProjectDirty();
    h.Prompts.Answers.push_back(TPromptButton::Yes);

    bool mayGoOn = true;
    testing::ErrorUnderFileSizeLimit(1024, [&] { mayGoOn = h.Window.FormCloseQuery(); });

    EXPECT_FALSE(mayGoOn);
    EXPECT_EQ(h.Errors().size(), 1u);
    EXPECT_EQ(h.State().FUnsavedTopicHtml.count(welcome), 1u);
    EXPECT_TRUE(h.State().FProjectDirty);
}

TEST(MainWindowProjectTest, OpeningAFolderWithoutTopicsGivesAWelcomePageAtOnce) {
    MainWindowHarness h;
    h.Window.FormCreate({});
    const std::string folder = h.Temp.Path("docs/Empty/");
    TDocProject empty;
    empty.Clear();
    empty.FTitle = "Empty";
    WriteProjectFile(h.Temp.Path("docs/Empty.hff"), empty);

    h.Window.OpenProject(h.Temp.Path("docs/Empty.hff"));

    const std::string welcome = h.IdOf("Welcome");
    ASSERT_FALSE(welcome.empty());
    EXPECT_TRUE(FileExists(folder + "topics/" + welcome + ".html"));
    EXPECT_EQ(h.Tree.Outline(), std::vector<std::string>{"Welcome"});
}

// A project folder without a settings file keeps its own title instead of
// taking the settings' placeholder title.
TEST(MainWindowProjectTest, MissingSettingsFileKeepsTheProjectTitle) {
    MainWindowHarness h;
    const std::string file =
        CreateProjectFile(h.Temp.Path("docs/Widget.hff"), "Widget Guide", QUILLMARK_RESOURCES_DIR);
    const std::string settingsPath = h.Temp.Path("docs/Widget/meta/project_settings.json");
    DeleteFileIfExists(settingsPath);

    h.Window.FormCreate({file});

    EXPECT_EQ(h.Project().FTitle, "Widget Guide");
    EXPECT_EQ(h.View.Title, "Quillmark - Widget Guide [" + file + "]");
    TProjectSettings saved;
    ASSERT_TRUE(saved.LoadFromFile(settingsPath));
    EXPECT_EQ(saved.ProjTitle, "Widget Guide");
}

TEST(MainWindowProjectTest, UnreadableTopicsFileIsKeptAndReported) {
    MainWindowHarness h;
    const std::string file =
        CreateProjectFile(h.Temp.Path("docs/Widget.hff"), "Widget", QUILLMARK_RESOURCES_DIR);
    const std::string topicsPath = h.Temp.Path("docs/Widget/meta/topics.json");
    WriteTextFileUtf8(topicsPath, "{\"rootTopicIds\":[\"A\"], oops");

    h.Window.FormCreate({file});

    ASSERT_EQ(h.Warnings().size(), 1u);
    const std::string warning = h.Warnings()[0];
    EXPECT_NE(warning.find(topicsPath + " could not be read"), std::string::npos) << warning;
    EXPECT_NE(warning.find("kept as " + topicsPath + ".unreadable"), std::string::npos) << warning;
    EXPECT_EQ(ReadTextFileUtf8(topicsPath + ".unreadable"), "{\"rootTopicIds\":[\"A\"], oops");
    EXPECT_EQ(h.Tree.Outline(), std::vector<std::string>{"Welcome"});
}

TEST(MainWindowProjectTest, AFolderThatCannotBeLoadedLeavesTheCurrentProject) {
    MainWindowHarness h;
    h.Window.FormCreate({});
    h.Project().AddTopic("Mine", "");
    const std::string file =
        CreateProjectFile(h.Temp.Path("docs/Dup.hff"), "Dup", QUILLMARK_RESOURCES_DIR);
    WriteTextFileUtf8(h.Temp.Path("docs/Dup/meta/topics.json"),
                      R"({"rootTopicIds":["A"],"topics":[{"id":"A"},{"id":"A"}]})");
    h.Prompts.OpenAnswers.push_back(file);

    h.Window.btnOpenProjectClick();

    ASSERT_EQ(h.Errors().size(), 1u);
    EXPECT_NE(h.Errors()[0].find("occurs twice"), std::string::npos);
    EXPECT_EQ(h.Project().FRootPath, h.Workspace());
    EXPECT_FALSE(h.IdOf("Mine").empty());
    EXPECT_EQ(h.State().FProjectFileName, "");
}

TEST(MainWindowProjectTest, NewProjectAsksAndShowsTheSettingsDialog) {
    MainWindowHarness h;
    h.Window.FormCreate({});
    h.Project().AddTopic("Draft", "");
    h.Window.MarkProjectDirty();

    h.Prompts.Answers.push_back(TPromptButton::Cancel);
    h.Window.btnNewProjectClick();
    EXPECT_FALSE(h.IdOf("Draft").empty());
    EXPECT_EQ(h.Prompts.SettingsDialogs, 0);

    h.Prompts.Answers.push_back(TPromptButton::No);
    h.Prompts.ConfirmSettings = true;
    h.Window.btnNewProjectClick();
    EXPECT_TRUE(h.IdOf("Draft").empty());
    EXPECT_EQ(h.Prompts.SettingsDialogs, 1);
    EXPECT_EQ(h.View.Status, "New project created (not saved)");
    EXPECT_EQ(h.View.Title, "Quillmark - Untitled Documentation");
    // The empty Welcome page takes the confirmed settings at once.
    EXPECT_TRUE(FileExists(h.Workspace() + "topics/" + h.IdOf("Welcome") + ".html"));
}

TEST(MainWindowProjectTest, ConfirmedProjectSettingsReachEveryHeaderBackground) {
    MainWindowHarness h;
    h.Window.FormCreate({});
    WriteTextFileUtf8(h.Workspace() + "meta/headerbg_ABC.txt", "#fafafa");

    h.Window.btnProjectSettingsClick(); // declined
    EXPECT_FALSE(h.State().FProjectDirty);

    h.Prompts.ConfirmSettings = true;
    h.Window.btnProjectSettingsClick();

    const std::string color = ColorToHtml(h.State().FSettings.DefaultHeaderBgColor);
    EXPECT_EQ(ReadTextFileUtf8(h.Workspace() + "meta/headerbg_ABC.txt"), color);
    EXPECT_EQ(ReadTextFileUtf8(h.Workspace() + "meta/headerbg_default.txt"), color);
    EXPECT_TRUE(h.State().FProjectDirty);
}

// A project file whose "root" names a folder that is not beside it (a shared
// project folder, say): saving must keep the tree with its pages there.
TEST(MainWindowProjectTest, SaveKeepsAProjectWhoseFolderIsNotBesideItsFile) {
    MainWindowHarness h;
    h.Window.FormCreate({});
    const std::string folder = h.Temp.Path("shared/Pages/");
    const std::string hff = h.Temp.Path("files/Manual.hff");
    TDocProject project;
    project.Clear();
    project.FTitle = "Manual";
    WriteProjectFile(hff, project, folder);
    ASSERT_EQ(ReadProjectFile(hff).Folder, h.Temp.Path("shared/Pages"));

    h.Window.OpenProject(hff);
    h.Prompts.Inputs.push_back("Extra");
    h.Window.btnNewRootTopicClick();
    const std::size_t topics = h.Project().FTopics.Size();
    h.Window.btnSaveClick();

    EXPECT_EQ(ReadProjectFile(hff).Folder, h.Temp.Path("shared/Pages"));
    EXPECT_FALSE(DirectoryExists(h.Temp.Path("files/Manual")));
    h.Window.OpenProject(hff);
    EXPECT_EQ(h.Project().FTopics.Size(), topics);
    EXPECT_TRUE(h.Errors().empty());
}

// A project the window cannot open safely is refused before anything is
// written into it, and the open project stays.
TEST(MainWindowProjectTest, OpenRefusesDeepTreesAndFoldersLeadingOutside) {
    namespace fs = std::filesystem;
    for (const bool deep : {true, false}) {
        MainWindowHarness h;
        h.Window.FormCreate({});
        const std::string before = h.Project().FRootPath;
        const std::string hff = h.Temp.Path("docs/Guide.hff");
        CreateProjectFile(hff, "Guide", QUILLMARK_RESOURCES_DIR);
        const std::string folder = h.Temp.Path("docs/Guide/");
        fs::remove_all(folder + "internal");
        if (deep)
            WriteTextFileUtf8(folder + "meta/topics.json",
                              std::string(100000, '[') + std::string(100000, ']'));
        else
            fs::create_symlink(h.Temp.Path("elsewhere"), folder + "internal");
        const std::string error = testing::ErrorOf([&] { h.Window.OpenProject(hff); });
        EXPECT_NE(error.find(deep ? folder + "meta/topics.json" : folder + "internal"),
                  std::string::npos)
            << error;
        EXPECT_FALSE(fs::exists(deep ? folder + "internal" : h.Temp.Path("elsewhere")));
        EXPECT_EQ(h.Project().FRootPath, before);
    }
}

} // namespace
} // namespace quillmark
