#include "MainWindowHarness.h"
#include "app/PublishFlow.h"
#include "base/FileHelpers.h"
#include "base/QuillError.h"
#include "platform/IniStore.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace quillmark {
namespace {

using testing::FakeProgressDisplay;
using testing::MainWindowHarness;

TEST(MainWindowPublishTest, WebHelpSavesPagesPublishesAndOffersTheSite) {
    MainWindowHarness h;
    h.Window.FormCreate({});
    const std::string welcome = h.IdOf("Welcome");
    h.State().FUnsavedTopicHtml[welcome] = "<p>Fresh text</p>";
    h.Progress.Choice = {TOutcomeAction::OpenFile, 0};

    h.Window.btnExportWebClick();

    const std::string index = h.Workspace() + "build/webhelp/index.html";
    EXPECT_TRUE(h.Errors().empty());
    EXPECT_EQ(h.View.Status, "WebHelp exported: " + index);
    EXPECT_EQ(h.Progress.Titles, std::vector<std::string>{"Publishing WebHelp"});
    ASSERT_FALSE(h.Progress.Steps.empty());
    EXPECT_EQ(h.Progress.Steps.back(), "WebHelp: Writing pages 1/1");
    ASSERT_EQ(h.Progress.Finished.size(), 1u);
    const TWorkOutcome& outcome = h.Progress.Finished[0].at(0);
    EXPECT_TRUE(outcome.Succeeded());
    EXPECT_EQ(outcome.File, index);
    EXPECT_EQ(outcome.Folder, h.Workspace() + "build/webhelp");
    // What the author chose is opened.
    EXPECT_EQ(h.Shell.Opened, std::vector<std::string>{index});
    EXPECT_EQ(ReadTextFileUtf8(h.Workspace() + "topics/" + welcome + ".html"), "<p>Fresh text</p>");
    EXPECT_NE(ReadTextFileUtf8(h.Workspace() + "build/webhelp/topics/" + welcome + ".html")
                  .find("Fresh text"),
              std::string::npos);
    // No project file is written and the modified flag stays as it was.
    EXPECT_TRUE(h.Prompts.SaveRequests.empty());
}

// The CHM command saves first, runs the compiler found in the per-user
// settings, and shows its outcome in the progress display.
class MainWindowChmTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string compiler = h.Temp.Path("tools/chmcmd");
        WriteTextFileUtf8(compiler, "#!/bin/sh\n");
        TIniStore(h.Temp.Path("app/settings.ini")).WriteString("CHM", "HhcPath", compiler);
        h.Window.FormCreate({});
    }
    std::string ChmPath() { return h.Workspace() + "build/chm/help.chm"; }
    const TWorkOutcome& LastOutcome() { return h.Progress.Finished.back().at(0); }

    MainWindowHarness h;
};

TEST_F(MainWindowChmTest, ACompiledFileIsReportedWithItsFolder) {
    h.Runner.OnRun = [&](const TProcessRequest&) { WriteTextFileUtf8(ChmPath(), "ITSF"); };
    h.Progress.Choice = {TOutcomeAction::OpenFolder, 0};

    h.Window.btnExportChmClick();

    EXPECT_EQ(h.Prompts.SaveRequests.size(), 1u); // Save ran first: Save As on the workspace
    EXPECT_TRUE(h.Errors().empty());
    EXPECT_EQ(h.View.Status, "CHM exported: " + ChmPath());
    EXPECT_EQ(h.Progress.Steps.back(), "CHM: Compiling help.chm");
    EXPECT_EQ(LastOutcome().File, ChmPath());
    EXPECT_EQ(h.Shell.Opened, std::vector<std::string>{h.Workspace() + "build/chm"});
}

TEST_F(MainWindowChmTest, FailureAndDeclinedCompilerChoiceAreShownAsOutcomes) {
    h.Window.btnExportChmClick(); // the compiler writes nothing
    EXPECT_TRUE(h.Errors().empty());
    EXPECT_FALSE(LastOutcome().Error.empty());
    EXPECT_EQ(h.View.Status, "CHM: failed");
    EXPECT_TRUE(h.Shell.Opened.empty());

    h.Runner.Result = TProcessResult{false, false, -1, ""}; // cannot start
    h.Prompts.Answers.push_back(TPromptButton::Yes);        // pick another one: cancelled
    h.Window.btnExportChmClick();
    EXPECT_TRUE(LastOutcome().Cancelled);
    EXPECT_EQ(h.View.Status, "CHM: cancelled");
    ASSERT_EQ(h.Errors().size(), 1u); // the question, no failure box
    EXPECT_EQ(h.Errors()[0].rfind("Quillmark could not execute", 0), 0u) << h.Errors()[0];
}

// Publish All: the three outputs in turn under one display, one list of
// outcomes; a failed output does not stop the ones after it.
TEST_F(MainWindowChmTest, PublishAllRunsTheThreeOutputsUnderOneDisplay) {
    h.Runner.OnRun = [&](const TProcessRequest& request) {
        if (request.Program.find("chmcmd") != std::string::npos)
            WriteTextFileUtf8(ChmPath(), "ITSF");
    };

    h.Window.PublishAll1Click();

    EXPECT_EQ(h.Progress.Titles, std::vector<std::string>{"Publishing"});
    ASSERT_EQ(h.Progress.Finished.size(), 1u);
    const std::vector<TWorkOutcome>& outcomes = h.Progress.Finished[0];
    ASSERT_EQ(outcomes.size(), 3u);
    EXPECT_EQ(outcomes[0].Name, "WebHelp");
    EXPECT_EQ(outcomes[1].Name, "CHM");
    EXPECT_EQ(outcomes[2].Name, "PDF manual");
    EXPECT_TRUE(outcomes[0].Succeeded());
    EXPECT_EQ(outcomes[1].File, ChmPath());
    // The fake browser prints nothing: the PDF fails after the others were made.
    EXPECT_FALSE(outcomes[2].Succeeded());
    EXPECT_TRUE(std::filesystem::exists(h.Workspace() + "build/webhelp/index.html"));
}

TEST(MainWindowPublishTest, OutputFolderIsMadeWhenMissingAndAFailedOpenIsShown) {
    MainWindowHarness h;
    h.Window.FormCreate({});
    const std::string build = h.Workspace() + "build";
    std::filesystem::remove_all(build);

    h.Window.OpenOutputFolder1Click();
    EXPECT_TRUE(DirectoryExists(build));
    EXPECT_EQ(h.Shell.Opened, std::vector<std::string>{build});
    EXPECT_TRUE(h.Errors().empty());

    h.Shell.Result = false;
    h.Window.OpenOutputFolder1Click();
    ASSERT_EQ(h.Errors().size(), 1u);
    EXPECT_NE(h.Errors()[0].find(build), std::string::npos);
}

// The flow itself: several jobs under one display, a failure that does not
// stop the next job, and Cancel that stops at the next step.
TEST(PublishFlowTest, JobsRunInTurnFailuresAreKeptAndCancelStopsAtTheNextStep) {
    MainWindowHarness h;
    const TPublishContext base{h.Project(), h.State().FSettings, h.Runner, h.Clock, true, {}, {}};
    std::vector<std::string> ran;
    const auto job = [&](const std::string& name, bool fails) {
        return TPublishJob{name, "/out/" + name, [&ran, name, fails](const TPublishContext& c) {
                               ran.push_back(name);
                               c.Progress("half");
                               if (fails)
                                   throw QuillError(name + " broke");
                               c.Progress("done");
                               return "/out/" + name + "/main";
                           }};
    };
    const std::vector<TPublishJob> jobs = {job("A", true), job("B", false), job("C", false)};

    std::vector<TWorkOutcome> outcomes = RunPublishJobs(h.Progress, "All", base, jobs);
    EXPECT_EQ(ran, (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(outcomes.at(0).Error, "A broke");
    EXPECT_TRUE(outcomes.at(1).Succeeded());
    EXPECT_EQ(outcomes.at(1).File, "/out/B/main");
    EXPECT_EQ(h.Progress.Steps.at(1), "A: half");

    // Cancel pressed while B's "half" step is shown: B stops at its next
    // step, C never runs.
    FakeProgressDisplay cancelling;
    cancelling.CancelAtStep = 4; // A: Starting, half; B: Starting, half; then Cancel
    ran.clear();
    outcomes = RunPublishJobs(cancelling, "All", base, jobs);
    EXPECT_EQ(ran, (std::vector<std::string>{"A", "B"}));
    EXPECT_FALSE(outcomes.at(0).Cancelled);
    EXPECT_TRUE(outcomes.at(1).Cancelled);
    EXPECT_TRUE(outcomes.at(1).File.empty());
    EXPECT_TRUE(outcomes.at(2).Cancelled);
}

TEST(PublishFlowTest, ChoosingAnOutcomeOpensItOrSaysWhyNot) {
    MainWindowHarness h;
    const std::vector<TWorkOutcome> outcomes = {
        {"WebHelp", "/out/w/index.html", h.Temp.Path("w"), {}, false},
        {"PDF", {}, h.Temp.Path("p"), "printer broke", false}};

    OpenChosenOutcome({TOutcomeAction::OpenFile, 0}, outcomes, h.Shell, h.Prompts);
    OpenChosenOutcome({TOutcomeAction::OpenFolder, 1}, outcomes, h.Shell, h.Prompts);
    OpenChosenOutcome({TOutcomeAction::None, 0}, outcomes, h.Shell, h.Prompts);
    EXPECT_EQ(h.Shell.Opened, (std::vector<std::string>{"/out/w/index.html", h.Temp.Path("p")}));
    EXPECT_TRUE(h.Errors().empty());

    h.Shell.Result = false;
    OpenChosenOutcome({TOutcomeAction::OpenFile, 0}, outcomes, h.Shell, h.Prompts);
    ASSERT_EQ(h.Errors().size(), 1u);
    EXPECT_NE(h.Errors()[0].find("/out/w/index.html"), std::string::npos);
}

} // namespace
} // namespace quillmark
