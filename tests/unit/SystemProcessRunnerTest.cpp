#include "TempFolder.h"
#include "base/FileHelpers.h"
#include "base/TextUtils.h"
#include "platform/ProcessRunner.h"
#include "platform/ProgramSearch.h"

#include <chrono>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace quillmark {
namespace {

using namespace std::chrono_literals;
using testing::TempFolder;

TProcessResult RunShell(const std::string& script, const std::string& folder = {},
                        std::chrono::milliseconds timeout = 10s) {
    TProcessRequest request;
    request.Program = "sh"; // looked up on PATH
    request.Arguments = {"-c", script};
    request.WorkingFolder = folder;
    request.Timeout = timeout;
    return MakeSystemProcessRunner()->Run(request);
}

TEST(SystemProcessRunnerTest, ReportsExitCodeAndOutput) {
    struct Case {
        const char* Script;
        int ExitCode;
        const char* Output;
    } cases[] = {
        {"echo out; echo err >&2; exit 0", 0, "out\nerr\n"},
        {"printf 'x'; exit 3", 3, "x"},
        {"exit 217", 217, ""},
        {"cat", 0, ""}, // standard input is empty, not the caller's
    };
    for (const Case& c : cases) {
        const TProcessResult result = RunShell(c.Script);
        EXPECT_TRUE(result.Started) << c.Script;
        EXPECT_FALSE(result.TimedOut) << c.Script;
        EXPECT_EQ(result.ExitCode, c.ExitCode) << c.Script;
        EXPECT_EQ(result.Output, c.Output) << c.Script;
    }
}

TEST(SystemProcessRunnerTest, ArgumentsReachTheProgramUnchangedWithoutAShell) {
    TProcessRequest request;
    request.Program = "/bin/sh";
    request.Arguments = {"-c", "printf '[%s]' \"$@\"", "sh", "a b", "$HOME", "\"q\"", ""};
    const TProcessResult result = MakeSystemProcessRunner()->Run(request);
    EXPECT_EQ(result.Output, "[a b][$HOME][\"q\"][]");
}

TEST(SystemProcessRunnerTest, RunsInTheWorkingFolder) {
    TempFolder folder;
    const TProcessResult result = RunShell("pwd; echo made > made.txt", folder.Path("."));
    EXPECT_EQ(result.ExitCode, 0);
    EXPECT_TRUE(FileExists(folder.Path("made.txt")));
}

TEST(SystemProcessRunnerTest, ProgramInheritsNoOpenFiles) {
    const int fd = open("/dev/null", O_RDONLY); // inheritable: no O_CLOEXEC
    ASSERT_GE(fd, 3);
    const std::string script =
        "[ -e /proc/$$/fd/" + std::to_string(fd) + " ] && echo leaked; exit 0";
    EXPECT_EQ(RunShell(script).Output, "");
    close(fd);
}

TEST(SystemProcessRunnerTest, ChattyProgramDoesNotBlock) {
    // Far more than a pipe buffer holds, on both streams.
    const TProcessResult result =
        RunShell("i=0; while [ $i -lt 2000 ]; do echo 0123456789012345678901234567890123456789; "
                 "echo e >&2; i=$((i+1)); done; exit 5");
    EXPECT_EQ(result.ExitCode, 5);
    EXPECT_EQ(result.Output.size(), 2000u * 41 + 2000u * 2);
}

// Whether the process has ended: gone, or a zombie that nobody reaped yet.
bool HasEnded(const std::string& pid) {
    std::ifstream stat("/proc/" + pid + "/stat");
    std::string line;
    if (!std::getline(stat, line))
        return true;
    const size_t close = line.rfind(')'); // the state follows the name
    return close != std::string::npos && close + 2 < line.size() && line[close + 2] == 'Z';
}

TEST(SystemProcessRunnerTest, TimeoutEndsTheProgramAndItsChildren) {
    TempFolder folder;
    const auto start = std::chrono::steady_clock::now();
    // The background child would write the file after the timeout if it
    // survived; it holds the output pipe open too.
    const TProcessResult result =
        RunShell("echo begun; (sleep 2; touch late.txt) & echo $! > child.pid; sleep 30",
                 folder.Path("."), 500ms);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_TRUE(result.Started);
    EXPECT_TRUE(result.TimedOut);
    EXPECT_EQ(result.ExitCode, -1);
    EXPECT_EQ(result.Output, "begun\n");
    EXPECT_LT(elapsed, 5s);
    // The child ends with the program at once, long before it would write.
    const std::string child = Trim(ReadTextFileUtf8(folder.Path("child.pid")));
    ASSERT_FALSE(child.empty());
    for (int i = 0; i < 100 && !HasEnded(child); ++i)
        std::this_thread::sleep_for(10ms);
    EXPECT_TRUE(HasEnded(child));
    EXPECT_FALSE(FileExists(folder.Path("late.txt")));
}

TEST(SystemProcessRunnerTest, ProgramThatCannotStart) {
    TempFolder folder;
    const std::string notExecutable = folder.Path("tool");
    WriteTextFileUtf8(notExecutable, "#!/bin/sh\n");
    struct Case {
        std::string Program;
        std::string Folder;
    } cases[] = {
        {"quillmark-no-such-program", ""},
        {folder.Path("missing/tool"), ""},
        {notExecutable, ""},
        {"sh", folder.Path("no-such-folder")},
    };
    for (const Case& c : cases) {
        TProcessRequest request;
        request.Program = c.Program;
        request.Arguments = {"-c", "exit 0"};
        request.WorkingFolder = c.Folder;
        const TProcessResult result = MakeSystemProcessRunner()->Run(request);
        EXPECT_FALSE(result.Started) << c.Program;
        EXPECT_EQ(result.ExitCode, -1) << c.Program;
        EXPECT_FALSE(result.Output.empty()) << c.Program;
    }
}

TEST(ProgramSearchTest, FindsExecutablesOnTheGivenPath) {
    TempFolder folder;
    EnsureDir(folder.Path("a"));
    EnsureDir(folder.Path("b"));
    WriteTextFileUtf8(folder.Path("a/tool"), "not executable");
    WriteTextFileUtf8(folder.Path("b/tool"), "#!/bin/sh\n");
    chmod(folder.Path("b/tool").c_str(), 0755);
    const std::string path = folder.Path("a") + ":" + folder.Path("b");
    EXPECT_EQ(FindProgramOnPath("tool", path), folder.Path("b") + "/tool");
    EXPECT_EQ(FindProgramOnPath("other", path), "");
    EXPECT_EQ(FindProgramOnPath(folder.Path("b/tool"), ""), folder.Path("b/tool"));
    EXPECT_EQ(FindProgramOnPath(folder.Path("a/tool"), path), "");
    EXPECT_EQ(FindProgramOnPath("", path), "");
}

} // namespace
} // namespace quillmark
