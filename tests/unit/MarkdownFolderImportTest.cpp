#include "editor/MarkdownFolderImport.h"

#include "TempFolder.h"
#include "TestHelpers.h"
#include "base/FileHelpers.h"
#include "editor/MarkdownNoteStyles.h"
#include "model/ProjectStorage.h"
#include "model/TopicTreeOrder.h"

#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace quillmark {
namespace {

using testing::ErrorOf;
using testing::TempFolder;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

const std::string kFixture = std::string(QUILLMARK_SOURCE_DIR) + "/tests/fixtures/markdown";

class MarkdownFolderImportTest : public ::testing::Test {
protected:
    MarkdownFolderImportTest() {
        project.Clear();
        project.FRootPath = temp.Root() + "project/";
        EnsureProjectFolders(project.FRootPath);
        SaveProjectFolder(project);
    }

    // "<indent><title>" per topic of the tree.
    std::vector<std::string> Tree() const {
        std::vector<std::string> lines;
        for (const TTopicTreeEntry& entry : TopicTreeOrder(project))
            lines.push_back(std::string(2 * entry.Depth, ' ') + project.GetTopic(entry.Id).FTitle);
        return lines;
    }
    std::string IdOf(const std::string& title) const {
        for (const std::string& id : project.FTopics.Ids())
            if (project.GetTopic(id).FTitle == title)
                return id;
        return "";
    }
    std::string PageOf(const std::string& title) const {
        return ReadFileBytes(project.TopicPagePath(IdOf(title)));
    }
    std::vector<std::string> FilesIn(const std::string& folder) const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(project.FRootPath + folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    // A source file below the temporary folder.
    std::string Write(const std::string& relative, const std::string& text) {
        WriteTextFileUtf8(temp.Path(relative), text);
        return temp.Path(relative);
    }

    TempFolder temp;
    TDocProject project;
};

TEST_F(MarkdownFolderImportTest, FollowsTheNav) {
    const TMarkdownImportReport report = ImportMarkdownFolder(project, kFixture);
    EXPECT_THAT(Tree(), ElementsAre("Home", "Getting Started", "User Guide", "  Guide Overview",
                                    "  Setup", "  Advanced", "    Tuning the Light",
                                    "Troubleshooting"));
    EXPECT_EQ(report.RootIDs.size(), 4u);
    EXPECT_EQ(report.TopicCount, 8u);
    EXPECT_THAT(report.SkippedNavEntries, ElementsAre("https://example.com/aurora/releases"));
    EXPECT_TRUE(report.MissingLinks.empty());
    EXPECT_TRUE(report.MissingNavPages.empty());
    EXPECT_TRUE(MarkdownImportReportLines(report).size() == 2u);

    // Links between pages are topic links, with their anchors.
    const std::string setup = PageOf("Setup");
    EXPECT_THAT(PageOf("Getting Started"), HasSubstr("<a href=\"doc:" + IdOf("Setup") + "#pairing\">"));
    EXPECT_THAT(PageOf("Guide Overview"),
                HasSubstr("href=\"doc:" + IdOf("Tuning the Light") + "#colour-temperature\""));
    EXPECT_THAT(setup, HasSubstr("<a href=\"doc:" + IdOf("Getting Started") + "\">"));
    EXPECT_THAT(setup, HasSubstr("<h2 id=\"pairing\">"));
    // Pictures and other files are copied once, into their asset folders.
    EXPECT_THAT(setup, HasSubstr("<img src=\"assets/images/lamp.png\""));
    EXPECT_THAT(PageOf("Home"), HasSubstr("<img src=\"assets/images/lamp.png\""));
    EXPECT_THAT(setup, HasSubstr("<a href=\"assets/files/datasheet.txt\">"));
    EXPECT_THAT(FilesIn("assets/images"), ElementsAre("lamp.png"));
    EXPECT_EQ(ReadFileBytes(project.FRootPath + "assets/images/lamp.png"),
              ReadFileBytes(kFixture + "/docs/images/lamp.png"));
    // Tables, code with its language, note boxes.
    for (const char* piece : {"<table>", "<code class=\"language-python\">",
                              "<div class=\"admonition note\"><p class=\"admonition-title\">Before you pair</p>"})
        EXPECT_THAT(setup, HasSubstr(piece));
    // A page without a level-1 heading starts with its title; one with it
    // keeps it once.
    EXPECT_THAT(PageOf("Tuning the Light"), StartsWith("<h1>Tuning the Light</h1>\n"));
    EXPECT_THAT(PageOf("Getting Started"), StartsWith("<h1 id=\"getting-started\">"));
    // A section lists its entries.
    EXPECT_EQ(PageOf("Advanced"), "<h1>Advanced</h1>\n<ul>\n<li><a href=\"doc:" +
                                      IdOf("Tuning the Light") + "\">Tuning the Light</a></li>\n</ul>\n");

    TDocProject reloaded;
    LoadProjectFolder(project.FRootPath, reloaded);
    EXPECT_EQ(reloaded.FTopics.Ids().size(), 8u);
}

// Without a nav: the folder tree, an index page as the parent of its folder.
TEST_F(MarkdownFolderImportTest, FollowsTheFolderTreeUnderATopic) {
    const std::string parent = project.AddTopic("Existing", "").FID;
    const TMarkdownImportReport report =
        ImportMarkdownFolder(project, kFixture + "/docs", {parent, false});
    EXPECT_THAT(Tree(), ElementsAre("Existing", "  Welcome to Aurora", "  Getting Started",
                                    "  Troubleshooting", "  Guide Overview", "    Setting Up",
                                    "    advanced", "      Tuning the Light"));
    EXPECT_EQ(report.RootIDs.size(), 4u);
}

// A nav naming missing pages, links to missing files: reported, the rest
// imported.
TEST_F(MarkdownFolderImportTest, ReportsWhatIsMissing) {
    Write("src/mkdocs.yml", "nav:\n  - a.md\n  - gone.md\n  - ../../etc/passwd.md\n  - Sec:\n    - b.md\n");
    Write("src/docs/a.md", "# A\n\n[x](nothere.md) ![p](nope.png) [y](b.md#frag) [z](sub/)\n");
    Write("src/docs/b.md", "# B\n");
    Write("src/docs/sub/README.md", "# Sub\n");
    const TMarkdownImportReport report = ImportMarkdownFolder(project, temp.Path("src"));
    EXPECT_THAT(Tree(), ElementsAre("A", "Sec", "  B", "Sub"));
    EXPECT_THAT(report.MissingNavPages, ElementsAre("gone.md", "../../etc/passwd.md"));
    EXPECT_THAT(report.MissingLinks, ElementsAre("docs/a.md: nothere.md", "docs/a.md: nope.png"));
    EXPECT_THAT(PageOf("A"), HasSubstr("href=\"doc:" + IdOf("B") + "#frag\""));
    EXPECT_THAT(PageOf("A"), HasSubstr("href=\"doc:" + IdOf("Sub") + "\""));
    EXPECT_THAT(MarkdownImportReportLines(report),
                ElementsAre("Links to missing files:", "  docs/a.md: nothere.md", "  docs/a.md: nope.png",
                            "Pages the nav names that do not exist:", "  gone.md",
                            "  ../../etc/passwd.md"));
}

// Bad input gives a clear message and changes nothing.
TEST_F(MarkdownFolderImportTest, BadInputChangesNothing) {
    Write("text/notes.txt", "no markdown");
    Write("broken/mkdocs.yml", "nav: [a.md\n");
    Write("broken/docs/a.md", "# A\n");
    Write("escape/mkdocs.yml", "docs_dir: ../text\n");
    Write("escape/docs/a.md", "# A\n");
    const std::pair<std::string, std::string> cases[] = {
        {temp.Path("none"), "Folder not found: " + temp.Path("none")},
        {temp.Path("text"), "The folder holds no Markdown files: " + temp.Path("text")},
        {temp.Path("broken"), "Cannot read \"" + temp.Path("broken/mkdocs.yml") + "\": "},
        {temp.Path("escape"), "The docs folder of \"" + temp.Path("escape/mkdocs.yml") +
                                  "\" is no folder inside it: ../text"},
    };
    const std::string treeBefore = ReadFileBytes(project.FRootPath + "meta/topics.json");
    for (const auto& [folder, message] : cases)
        EXPECT_THAT(ErrorOf([&] { ImportMarkdownFolder(project, folder); }), StartsWith(message));
    EXPECT_THAT(ErrorOf([&] { ImportMarkdownFolder(project, kFixture, {"NOSUCHTOPIC", false}); }),
                StartsWith("No topic with the identifier NOSUCHTOPIC"));
    if (geteuid() != 0) { // the superuser reads every file
        const std::string page = Write("locked/a.md", "# A\n");
        fs::permissions(page, fs::perms::none);
        EXPECT_THAT(ErrorOf([&] { ImportMarkdownFolder(project, temp.Path("locked")); }),
                    HasSubstr(page));
    }
    EXPECT_TRUE(project.FTopics.Ids().empty());
    EXPECT_TRUE(FilesIn("topics").empty());
    EXPECT_EQ(ReadFileBytes(project.FRootPath + "meta/topics.json"), treeBefore);
}

// Files outside the folder are copied only when allowed; pages reached
// through links leading outside are not imported.
TEST_F(MarkdownFolderImportTest, FilesOutsideTheFolder) {
    Write("outside.png", "png");
    Write("secret.md", "# Secret\n");
    Write("src/a.md", "# A\n\n![o](../outside.png)\n");
    fs::create_symlink(temp.Path("secret.md"), temp.Path("src/linked.md"));
    TMarkdownImportReport report = ImportMarkdownFolder(project, temp.Path("src"));
    EXPECT_THAT(Tree(), ElementsAre("A"));
    EXPECT_THAT(report.SkippedFiles.OutsideFiles, ElementsAre(temp.Path("outside.png")));
    EXPECT_THAT(PageOf("A"), HasSubstr("src=\"../outside.png\""));

    report = ImportMarkdownFolder(project, temp.Path("src"), {"", true});
    EXPECT_TRUE(report.SkippedFiles.OutsideFiles.empty());
    EXPECT_THAT(FilesIn("assets/images"), ElementsAre("outside.png"));
}

// A failure while writing takes the topics, pages and copies out again.
TEST_F(MarkdownFolderImportTest, FailedSaveTakesEverythingBack) {
    fs::remove(project.FRootPath + "meta/topics.json");
    fs::create_directory(project.FRootPath + "meta/topics.json");
    EXPECT_FALSE(ErrorOf([&] { ImportMarkdownFolder(project, kFixture); }).empty());
    EXPECT_TRUE(project.FTopics.Ids().empty());
    EXPECT_TRUE(project.FRootTopicIDs.empty());
    EXPECT_TRUE(FilesIn("topics").empty());
    EXPECT_TRUE(FilesIn("assets/images").empty());
}

// Note boxes bring their rules into the project's style profile once.
TEST_F(MarkdownFolderImportTest, NoteBoxStylesJoinTheProfile) {
    const std::string profile = project.FRootPath + "styles/default.css";
    WriteTextFileUtf8(profile, "body { color: black; }");
    ImportMarkdownFolder(project, kFixture);
    ImportMarkdownFolder(project, kFixture);
    EXPECT_EQ(ReadFileBytes(profile), "body { color: black; }\n\n" + std::string(kNoteBoxCss));
    // The program's default profile has them already.
    EXPECT_THAT(ReadFileBytes(std::string(QUILLMARK_RESOURCES_DIR) + "/styles/default.css"),
                HasSubstr(std::string(kNoteBoxCss)));
}

} // namespace
} // namespace quillmark
