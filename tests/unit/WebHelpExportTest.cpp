#include "publish/WebHelpExport.h"

#include "FakeClock.h"
#include "TempFolder.h"
#include "TestHelpers.h"
#include "base/FileHelpers.h"
#include "model/DocProject.h"
#include "model/ProjectStorage.h"
#include "platform/ProcessRunner.h"
#include "publish/OutputFormat.h"
#include "settings/ProjectSettings.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

namespace fs = std::filesystem;

namespace quillmark {
namespace {

using testing::ErrorOf;
using testing::TempFolder;

const std::string kRoot = std::string(31, 'A') + "1";
const std::string kChild = std::string(31, 'A') + "2";
const std::string kExcluded = std::string(31, 'A') + "3";
const std::string kBelowExcluded = std::string(31, 'A') + "4";

class TNoProcesses final : public IProcessRunner {
public:
    TProcessResult Run(const TProcessRequest& request) override {
        ADD_FAILURE() << "WebHelp started " << request.Program;
        return {};
    }
};

// The sample project of tests/fixtures/webhelp copied into a temporary
// folder, loaded, and published through the format registry.
class WebHelpExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::copy(std::string(QUILLMARK_SOURCE_DIR) + "/tests/fixtures/webhelp/project",
                 temp.Path("project"), fs::copy_options::recursive);
        LoadProjectFolder(temp.Path("project/"), project);
        windowSettings.TocTextColor = MakeColor(0x10, 0x20, 0x30);
        windowSettings.TocTextSize = 15;
        windowSettings.DefaultPageBgColor = MakeColor(0xFE, 0xFD, 0xFC);
    }

    std::string Publish() {
        quillmark::testing::FakeClock clock;
        TPublishContext context{project, windowSettings, runner, clock, true, {}, {}};
        context.Progress = [this](const std::string& line) { progress.push_back(line); };
        const IOutputFormat* format = FindOutputFormat("webhelp");
        EXPECT_NE(format, nullptr);
        return format->Publish(context);
    }

    std::string Output(const std::string& relative) const {
        return temp.Path("project/build/webhelp/" + relative);
    }

    TempFolder temp;
    TDocProject project;
    TProjectSettings windowSettings;
    TNoProcesses runner;
    std::vector<std::string> progress;
};

TEST_F(WebHelpExportTest, WritesTheSiteByteForByte) {
    EXPECT_EQ(Publish(), Output("index.html"));

    const fs::path expected =
        std::string(QUILLMARK_SOURCE_DIR) + "/tests/fixtures/webhelp/expected";
    int compared = 0;
    for (const auto& entry : fs::recursive_directory_iterator(expected)) {
        if (!entry.is_regular_file())
            continue;
        const std::string relative = fs::relative(entry.path(), expected).string();
        ASSERT_TRUE(FileExists(Output(relative))) << relative;
        EXPECT_EQ(ReadFileBytes(Output(relative)), ReadFileBytes(entry.path().string()))
            << relative;
        ++compared;
    }
    EXPECT_EQ(compared, 17);
    EXPECT_FALSE(FileExists(Output("topics/" + kExcluded + ".html")));
    // The shared fallbacks, the profile stylesheet, then the settings block.
    const std::string css = ReadFileBytes(Output("style.css"));
    EXPECT_NE(css.find("}\r\nbody{color:red}\r\n/* Project settings overrides */\r\nbody {"),
              std::string::npos)
        << css.substr(0, 300);
    EXPECT_EQ(progress.back(), "Writing pages 3/3");
}

TEST_F(WebHelpExportTest, ExportingAgainReplacesPagesAndRemovesWhatItNoLongerWrites) {
    Publish();
    WriteTextFileUtf8(Output("topics/MINE.html"), "the author's own");
    WriteTextFileUtf8(project.TopicPagePath(kBelowExcluded), "<p>changed</p>");
    project.FTopics.Find(kChild)->FExcludeWeb = true;
    fs::remove(temp.Path("project/assets/images/a.png"));
    Publish();
    EXPECT_NE(ReadFileBytes(Output("topics/" + kBelowExcluded + ".html")).find("<p>changed</p>"),
              std::string::npos);
    EXPECT_FALSE(fs::exists(Output("topics/" + kChild + ".html")));
    EXPECT_FALSE(fs::exists(Output("assets/images/a.png")));
    EXPECT_EQ(ReadFileBytes(Output("topics/MINE.html")), "the author's own");
}

// context.js maps the help IDs of the topics in the site; a site without
// such IDs has none.
TEST_F(WebHelpExportTest, HelpIdsOfTopicsInTheSiteGoToContextJs) {
    project.FTopics.Find(kChild)->FHelpIds = {{"IDH_CHILD", 1001}, {"IDH_NAMED", 0}};
    project.FTopics.Find(kExcluded)->FHelpIds = {{"IDH_EXCLUDED", 1002}};
    Publish();
    EXPECT_EQ(ReadFileBytes(Output("context.js")),
              R"(window.__SV_CONTEXT = [{"name":"IDH_CHILD","number":1001,"topic":")" + kChild +
                  R"(","file":"topics\/)" + kChild + R"(.html"},{"name":"IDH_NAMED","number":null,"topic":")" +
                  kChild + R"(","file":"topics\/)" + kChild + R"(.html"}];)");

    project.FTopics.Find(kChild)->FHelpIds.clear();
    Publish();
    EXPECT_FALSE(fs::exists(Output("context.js")));
}

TEST_F(WebHelpExportTest, PagesCarryTheContentLanguage) {
    TProjectSettings settings;
    settings.LoadFromFile(TProjectSettings::DefaultSettingsPathForProject(project.FRootPath));
    settings.ContentLanguage = "fr-CA";
    settings.SaveToFile(TProjectSettings::DefaultSettingsPathForProject(project.FRootPath));
    Publish();
    EXPECT_EQ(ReadFileBytes(Output("topics/" + kRoot + ".html"))
                  .rfind("<!doctype html><html lang=\"fr-CA\"", 0),
              0u);
}

TEST_F(WebHelpExportTest, WithoutTemplateFolderTheSiteHasNoStartPage) {
    fs::remove_all(temp.Path("project/internal/webhelp"));
    EXPECT_EQ(Publish(), Output("index.html"));
    EXPECT_FALSE(FileExists(Output("index.html")));
    EXPECT_TRUE(FileExists(Output("toc.js")));
}

TEST_F(WebHelpExportTest, TemplateFolderMissingAFileFails) {
    fs::remove(temp.Path("project/internal/webhelp/app.js"));
    EXPECT_NE(ErrorOf([&] { Publish(); }).find("app.js"), std::string::npos);
}

TEST_F(WebHelpExportTest, TemplateWithAnotherTitleKeepsIt) {
    WriteTextFileUtf8(temp.Path("project/internal/webhelp/app.html"), "<title>Help</title>");
    Publish();
    EXPECT_EQ(ReadFileBytes(Output("index.html")), "<title>Help</title>");
}

TEST_F(WebHelpExportTest, UnsafeTopicIdentifierFailsBeforeAnythingIsWritten) {
    // Identifiers read from files are checked on loading; the export checks
    // again for projects built in memory.
    auto evil = std::make_unique<TTopic>();
    evil->FID = "../../escaped";
    evil->FTitle = "Evil";
    project.FTopics.Add(std::move(evil));
    project.FRootTopicIDs.push_back("../../escaped");

    EXPECT_NE(ErrorOf([&] { Publish(); }).find("../../escaped"), std::string::npos);
    EXPECT_FALSE(fs::exists(temp.Path("project/build/escaped.html")));
    EXPECT_FALSE(fs::exists(temp.Path("project/escaped.html")));
    EXPECT_FALSE(FileExists(Output("topics/" + kRoot + ".html")));
}

TEST_F(WebHelpExportTest, LinksLeftInTheOutputFolderAreNotWrittenThrough) {
    fs::create_directories(temp.Path("outside/images"));
    WriteTextFileUtf8(temp.Path("outside/page.html"), "outside");
    WriteTextFileUtf8(temp.Path("outside/images/a.png"), "outside");
    fs::create_directories(Output(""));
    fs::create_directory_symlink(temp.Path("outside"), Output("topics"));
    fs::create_directories(Output("assets/images"));
    fs::create_symlink(temp.Path("outside/images/a.png"), Output("assets/images/a.png"));
    fs::create_symlink(temp.Path("outside/page.html"), Output("toc.js"));

    Publish();

    EXPECT_EQ(ReadFileBytes(temp.Path("outside/page.html")), "outside");
    EXPECT_EQ(ReadFileBytes(temp.Path("outside/images/a.png")), "outside");
    EXPECT_FALSE(fs::exists(temp.Path("outside/" + kRoot + ".html")));
    EXPECT_FALSE(fs::is_symlink(Output("topics")));
    EXPECT_TRUE(FileExists(Output("topics/" + kRoot + ".html")));
    EXPECT_FALSE(fs::is_symlink(Output("assets/images/a.png")));
    EXPECT_FALSE(fs::is_symlink(Output("toc.js")));
}

TEST_F(WebHelpExportTest, ProjectWithoutFolderIsRefused) {
    project.FRootPath.clear();
    EXPECT_EQ(ErrorOf([&] { Publish(); }), "The project has no folder to publish into.");
}

TEST_F(WebHelpExportTest, FullDiskIsReportedAndLeavesEarlierFilesWhole) {
    Publish();
    const std::string before = ReadFileBytes(Output("topics/" + kRoot + ".html"));
    WriteTextFileUtf8(project.TopicPagePath(kRoot), std::string(4096, 'x'));
    const std::string error = testing::ErrorUnderFileSizeLimit(1024, [&] { Publish(); });
    EXPECT_NE(error.find("Cannot write file"), std::string::npos) << error;
    EXPECT_EQ(ReadFileBytes(Output("topics/" + kRoot + ".html")), before);
}

} // namespace
} // namespace quillmark
