#include "MainWindowHarness.h"
#include "base/FileHelpers.h"
#include "platform/IniStore.h"

#include <gtest/gtest.h>

namespace quillmark {
namespace {

using testing::MainWindowHarness;

TEST(MainWindowPublishTest, WebHelpSavesPagesPublishesAndOpensTheSite) {
    MainWindowHarness h;
    h.Window.FormCreate({});
    const std::string welcome = h.IdOf("Welcome");
    h.State().FUnsavedTopicHtml[welcome] = "<p>Fresh text</p>";

    h.Window.btnExportWebClick();

    const std::string index = h.Workspace() + "build/webhelp/index.html";
    EXPECT_TRUE(h.Errors().empty());
    EXPECT_EQ(h.View.Status, "WebHelp exported: " + index);
    EXPECT_EQ(h.Shell.Opened, std::vector<std::string>{index});
    EXPECT_EQ(ReadTextFileUtf8(h.Workspace() + "topics/" + welcome + ".html"), "<p>Fresh text</p>");
    EXPECT_NE(ReadTextFileUtf8(h.Workspace() + "build/webhelp/topics/" + welcome + ".html")
                  .find("Fresh text"),
              std::string::npos);
    // No project file is written and the modified flag stays as it was.
    EXPECT_TRUE(h.Prompts.SaveRequests.empty());
}

// The CHM command saves first, runs the compiler found in the per-user
// settings, and turns its outcome into the status text or an error box.
class MainWindowChmTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string compiler = h.Temp.Path("tools/chmcmd");
        WriteTextFileUtf8(compiler, "#!/bin/sh\n");
        TIniStore(h.Temp.Path("app/settings.ini")).WriteString("CHM", "HhcPath", compiler);
        h.Window.FormCreate({});
    }
    std::string ChmPath() { return h.Workspace() + "build/chm/help.chm"; }

    MainWindowHarness h;
};

TEST_F(MainWindowChmTest, ACompiledFileIsReportedAndOpened) {
    h.Runner.OnRun = [&](const TProcessRequest&) { WriteTextFileUtf8(ChmPath(), "ITSF"); };

    h.Window.btnExportChmClick();

    EXPECT_EQ(h.Prompts.SaveRequests.size(), 1u); // Save ran first: Save As on the workspace
    EXPECT_TRUE(h.Errors().empty());
    EXPECT_EQ(h.View.Status, "CHM exported: " + ChmPath());
    EXPECT_EQ(h.Shell.Opened, std::vector<std::string>{ChmPath()});
    EXPECT_EQ(h.View.BusyChanges, (std::vector<bool>{true, false}));
}

TEST_F(MainWindowChmTest, FailureAndDeclinedCompilerChoice) {
    h.Window.btnExportChmClick(); // the compiler writes nothing
    ASSERT_EQ(h.Errors().size(), 1u);
    EXPECT_EQ(h.Errors()[0].rfind("CHM export failed: ", 0), 0u) << h.Errors()[0];
    EXPECT_TRUE(h.Shell.Opened.empty());

    h.Runner.Result = TProcessResult{false, false, -1, ""}; // cannot start
    h.Prompts.Answers.push_back(TPromptButton::Yes);        // pick another one: cancelled
    h.Window.btnExportChmClick();
    EXPECT_EQ(h.View.Status, "CHM export cancelled");
    ASSERT_EQ(h.Errors().size(), 2u); // the second is the question, no failure box
    EXPECT_EQ(h.Errors()[1].rfind("Quillmark could not execute", 0), 0u) << h.Errors()[1];
    EXPECT_EQ(h.View.BusyChanges.back(), false);
}

} // namespace
} // namespace quillmark
