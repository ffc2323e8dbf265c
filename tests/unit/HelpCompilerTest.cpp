#include "publish/HelpCompiler.h"

#include "TempFolder.h"
#include "TestHelpers.h"
#include "base/FileHelpers.h"
#include "platform/IniStore.h"
#include "platform/ProcessRunner.h"

#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>
#include <thread>

namespace quillmark {
namespace {

using testing::ErrorOf;
using testing::TempFolder;

class FakeRunner final : public IProcessRunner {
public:
    std::function<TProcessResult(const TProcessRequest&)> OnRun = [](const TProcessRequest&) {
        TProcessResult result;
        result.Started = true;
        result.ExitCode = 0;
        return result;
    };
    std::vector<TProcessRequest> Requests;

    TProcessResult Run(const TProcessRequest& request) override {
        Requests.push_back(request);
        return OnRun(request);
    }
};

// Behaves like a compiler that writes `bytes` as help.chm in its folder.
TProcessResult WriteChm(const TProcessRequest& request, const std::string& bytes, int exitCode = 0,
                        const std::string& output = "") {
    WriteFileAtomically(JoinPath(request.WorkingFolder, "help.chm"), bytes);
    TProcessResult result;
    result.Started = true;
    result.ExitCode = exitCode;
    result.Output = output;
    return result;
}

class FakePrompts final : public IHelpCompilerPrompts {
public:
    std::deque<std::optional<std::string>> Picks; // answers of the file dialog
    bool AnswerYes = false;
    std::vector<std::string> Calls; // "info: ...", "warning: ...", "ask: ...", "pick"

    void ShowInformation(const std::string& text) override { Calls.push_back("info: " + text); }
    void ShowWarning(const std::string& text) override { Calls.push_back("warning: " + text); }
    bool AskYesNoError(const std::string& text) override {
        Calls.push_back("ask: " + text);
        return AnswerYes;
    }
    std::optional<std::string> PickFile(const TCompilerFileDialog& dialog) override {
        Calls.push_back("pick");
        LastDialog = dialog;
        if (Picks.empty())
            return std::nullopt;
        auto pick = Picks.front();
        Picks.pop_front();
        return pick;
    }
    TCompilerFileDialog LastDialog;
};

class HelpCompilerTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureDir(Folder.Path("out"));
        Places.SettingsFile = Folder.Path("app/settings.ini");
        Places.ProgramFolder = Folder.Path("program");
        Places.GetEnv = [this](const char* name) {
            auto it = Env.find(name);
            return it == Env.end() ? std::string() : it->second;
        };
    }
    std::string MakeFile(const std::string& relative) {
        const std::string path = Folder.Path(relative);
        WriteTextFileUtf8(path, "#!/bin/sh\n");
        chmod(path.c_str(), 0755);
        return path;
    }
    void Compile(const std::string& compilerPath = {}) {
        CompileChm(Folder.Path("out/project.hhp"), Folder.Path("out"), "help.chm", Runner, Prompts,
                   Places, compilerPath);
    }

    TempFolder Folder;
    std::map<std::string, std::string> Env;
    THelpCompilerPlaces Places;
    FakeRunner Runner;
    FakePrompts Prompts;
};

TEST_F(HelpCompilerTest, DiscoveryTakesTheFirstPlaceThatHasTheCompiler) {
    Env["ProgramFiles(x86)"] = Folder.Path("pf86");
    Env["ProgramFiles"] = Folder.Path("pf");
    Env["ProgramW6432"] = Folder.Path("pfw");
    Env["PATH"] = Folder.Path("bin1") + ":" + Folder.Path("bin2");
    EXPECT_EQ(FindHtmlHelpCompiler(Places), "");

    // Added from the last place to the first, each one must win over the
    // ones added before it.
    const std::vector<std::string> places = {
        "bin2/hhc.exe",
        "bin1/chmcmd",
        "pfw/HTML Help Workshop/hhc.exe",
        "pf/HTML Help Workshop/hhc.exe",
        "pf86/HTML Help Workshop/hhc.exe",
        "program/hhc.exe",
        "program/chmcmd",
    };
    for (const std::string& place : places) {
        const std::string path = MakeFile(place);
        EXPECT_EQ(FindHtmlHelpCompiler(Places), path) << place;
    }
    const std::string stored = MakeFile("chosen/chmcmd");
    WriteHhcPath(Places, "  " + stored + "  ");
    EXPECT_EQ(ReadHhcPath(Places), stored);
    EXPECT_EQ(FindHtmlHelpCompiler(Places), stored);

    // A stored path that no longer exists is passed over without a word.
    DeleteFileIfExists(stored);
    EXPECT_EQ(FindHtmlHelpCompiler(Places), Folder.Path("program/chmcmd"));
    EXPECT_TRUE(Prompts.Calls.empty());
}

TEST_F(HelpCompilerTest, LocateRepeatsUntilAnAcceptableFileIsPicked) {
    const std::string other = MakeFile("tools/compile");
    const std::string picked = MakeFile("tools/CHMCMD");
    Prompts.Picks = {other, Folder.Path("tools/hhc.exe"), picked};
    EXPECT_EQ(LocateHtmlHelpCompiler(Places, Prompts), picked);
    EXPECT_EQ(Prompts.Calls, (std::vector<std::string>{
                                 "pick", std::string("warning: ") + kWrongCompilerNameText, "pick",
                                 std::string("warning: ") + kPickedFileMissingText, "pick"}));
    EXPECT_EQ(Prompts.LastDialog.Title, kLocateCompilerTitle);
    // Remembered for the next export, which then asks nothing.
    EXPECT_EQ(TIniStore(Places.SettingsFile).ReadValue("CHM", "HhcPath"), picked);
    EXPECT_EQ(FindHtmlHelpCompiler(Places), picked);

    Prompts.Picks = {std::nullopt};
    EXPECT_EQ(LocateHtmlHelpCompiler(Places, Prompts), std::nullopt);
}

TEST_F(HelpCompilerTest, MissingCompilerAsksAndCancelAborts) {
    EXPECT_THROW(Compile(), TCompilerSelectionCancelled);
    EXPECT_EQ(Prompts.Calls,
              (std::vector<std::string>{std::string("info: ") + kCompilerNotFoundText, "pick"}));
    EXPECT_TRUE(Runner.Requests.empty());
    EXPECT_EQ(ErrorOf([&] { Compile(); }), kCompilerCancelledText);
}

TEST_F(HelpCompilerTest, PickedCompilerRunsOnTheProjectFile) {
    const std::string compiler = MakeFile("tools/chmcmd");
    Prompts.Picks = {compiler};
    Runner.OnRun = [](const TProcessRequest& request) { return WriteChm(request, "ITSF"); };
    Compile();
    ASSERT_EQ(Runner.Requests.size(), 1u);
    EXPECT_EQ(Runner.Requests[0].Program, compiler);
    EXPECT_EQ(Runner.Requests[0].Arguments,
              std::vector<std::string>{Folder.Path("out/project.hhp")});
    EXPECT_EQ(Runner.Requests[0].WorkingFolder, Folder.Path("out"));
    EXPECT_EQ(Runner.Requests[0].Timeout, std::chrono::minutes(5));
}

TEST_F(HelpCompilerTest, StartFailureOffersAnotherCompiler) {
    const std::string missing = Folder.Path("gone/chmcmd");
    // No: the start failure goes to the caller.
    const std::string error = ErrorOf([&] { Compile(missing); });
    EXPECT_EQ(error, "The HTML Help compiler was not found at:\r\n" + missing);
    ASSERT_EQ(Prompts.Calls.size(), 1u);
    EXPECT_EQ(Prompts.Calls[0], "ask: Quillmark could not execute the configured HTML Help "
                                "compiler:\r\n" +
                                    missing + "\r\n\r\n" + error +
                                    "\r\n\r\nWould you like to select a different chmcmd file?");

    // Yes, then a pick: the new compiler runs once.
    const std::string good = MakeFile("tools/chmcmd");
    Prompts.Calls.clear();
    Prompts.AnswerYes = true;
    Prompts.Picks = {good};
    Runner.OnRun = [](const TProcessRequest& request) { return WriteChm(request, "ITSF"); };
    Compile(missing);
    ASSERT_EQ(Runner.Requests.size(), 1u);
    EXPECT_EQ(Runner.Requests[0].Program, good);

    // Yes, then cancel: an abort.
    Prompts.Picks = {std::nullopt};
    EXPECT_THROW(Compile(missing), TCompilerSelectionCancelled);
}

TEST_F(HelpCompilerTest, ARunWithoutFreshHelpFileIsAFailure) {
    const std::string compiler = MakeFile("tools/chmcmd");
    struct Case {
        const char* Name;
        std::function<TProcessResult(const TProcessRequest&)> Run;
        const char* Expected; // part of the message; empty: success
    } cases[] = {
        {"writes the file", [](const TProcessRequest& r) { return WriteChm(r, "ITSF", 1); }, ""},
        {"writes nothing",
         [](const TProcessRequest&) {
             TProcessResult result;
             result.Started = true;
             result.ExitCode = 0;
             result.Output = "Error: bad project";
             return result;
         },
         "did not create help.chm (exit code 0).\r\n\r\nCompiler output:\r\nError: bad project"},
        {"crashes leaving an empty file",
         [](const TProcessRequest& r) {
             return WriteChm(r, "", 217,
                             "Writing CHM help.chm\nEAccessViolation: Access violation");
         },
         "no topic page contains a word in plain ASCII letters"},
        {"misses a source file",
         [](const TProcessRequest& r) {
             return WriteChm(r, "", 217, "Warning: File topics/B.html does not exist\nEFOpenError");
         },
         "These files of the help project are missing:\r\ntopics/B.html"},
        {"misses a file with a name outside ASCII",
         [](const TProcessRequest& r) {
             // The name as chmcmd echoes it from the project file: Windows-1251.
             return WriteChm(r, "", 217,
                             "Warning: File assets/\xF4\xEE\xF2\xEE.png does not exist");
         },
         "missing:\r\nassets/фото.png\r\n\r\nchmcmd finds no file whose name has letters outside "
         "ASCII"},
        {"hangs",
         [](const TProcessRequest&) {
             TProcessResult result;
             result.Started = true;
             result.TimedOut = true;
             return result;
         },
         "did not finish within 300 seconds and was ended"},
    };
    for (const Case& c : cases) {
        DeleteFileIfExists(Folder.Path("out/help.chm"));
        Runner.OnRun = c.Run;
        const std::string error = ErrorOf([&] { Compile(compiler); });
        if (*c.Expected == '\0')
            EXPECT_EQ(error, "") << c.Name;
        else
            EXPECT_NE(error.find(c.Expected), std::string::npos) << c.Name << ": " << error;
    }
}

TEST_F(HelpCompilerTest, AnOldHelpFileLeftInPlaceIsNoSuccess) {
    const std::string compiler = MakeFile("tools/chmcmd");
    WriteFileAtomically(Folder.Path("out/help.chm"), "old help");
    Runner.OnRun = [](const TProcessRequest&) {
        TProcessResult result;
        result.Started = true;
        result.ExitCode = 0;
        return result;
    };
    EXPECT_NE(ErrorOf([&] { Compile(compiler); }).find("did not create help.chm"),
              std::string::npos);
    EXPECT_EQ(ReadFileBytes(Folder.Path("out/help.chm")), "old help");
}

TEST_F(HelpCompilerTest, RealHungCompilerIsEnded) {
    const std::string compiler = Folder.Path("tools/chmcmd");
    WriteTextFileUtf8(compiler, "#!/bin/sh\nsleep 30\n");
    chmod(compiler.c_str(), 0755);
    auto runner = MakeSystemProcessRunner();
    const auto start = std::chrono::steady_clock::now();
    const std::string error =
        ErrorOf([&] { RunAndWait(*runner, compiler, {"p.hhp"}, Folder.Path("out"), 300); });
    EXPECT_NE(error.find("did not finish"), std::string::npos) << error;
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

} // namespace
} // namespace quillmark
