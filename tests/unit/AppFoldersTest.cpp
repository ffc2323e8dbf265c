#include "base/FileHelpers.h"
#include "base/QuillError.h"
#include "platform/AppFolders.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <map>

using namespace quillmark;

namespace {

class AppFoldersTest : public ::testing::Test {
protected:
    // The program folder is writable unless the test says otherwise; no
    // variable is set unless the test sets it.
    AppFolderSources Sources() {
        AppFolderSources sources;
        sources.GetEnv = [this](const char* name) {
            const auto found = env.find(name);
            return found == env.end() ? std::string() : found->second;
        };
        sources.ProgramFolder = EnsureDir(temp.Path("program")) + "/";
        sources.IsWritableFolder = [this](const std::string& folder) {
            return writable.count(folder) ? writable[folder] : true;
        };
        return sources;
    }

    quillmark::testing::TempFolder temp;
    std::map<std::string, std::string> env;
    std::map<std::string, bool> writable;
};

} // namespace

TEST_F(AppFoldersTest, AppDataWins) {
    env["APPDATA"] = temp.Path("appdata");
    env["XDG_DATA_HOME"] = temp.Path("xdg");
    EXPECT_EQ(ApplicationFolder(Sources()), temp.Path("appdata/Quillmark/"));
    EXPECT_TRUE(DirectoryExists(temp.Path("appdata/Quillmark")));
    EXPECT_EQ(WorkspaceFolder(Sources()), temp.Path("appdata/Quillmark/Workspace/"));
    EXPECT_EQ(LastProjectFilePath(Sources()), temp.Path("appdata/Quillmark/last_project.txt"));
}

TEST_F(AppFoldersTest, WritableProgramFolderWithoutAppData) {
    env["APPDATA"] = "";
    env["XDG_DATA_HOME"] = temp.Path("xdg");
    EXPECT_EQ(ApplicationFolder(Sources()), temp.Path("program/Quillmark/"));
    EXPECT_TRUE(DirectoryExists(temp.Path("program/Quillmark")));
}

TEST_F(AppFoldersTest, ReadOnlyProgramFolderFallsBackToUserDataFolder) {
    writable[temp.Path("program/")] = false;
    env["HOME"] = temp.Path("home");

    env["XDG_DATA_HOME"] = temp.Path("xdg");
    EXPECT_EQ(ApplicationFolder(Sources()), temp.Path("xdg/Quillmark/"));

    env["XDG_DATA_HOME"] = "relative/data"; // not absolute, so not used
    EXPECT_EQ(ApplicationFolder(Sources()), temp.Path("home/.local/share/Quillmark/"));

    env.erase("XDG_DATA_HOME");
    EXPECT_EQ(ApplicationFolder(Sources()), temp.Path("home/.local/share/Quillmark/"));
    EXPECT_FALSE(DirectoryExists(temp.Path("program/Quillmark")));
}

TEST_F(AppFoldersTest, ExistingWritableFolderBesideReadOnlyProgram) {
    // An installer may create the folder beside a read-only program folder.
    EnsureDir(temp.Path("program/Quillmark"));
    writable[temp.Path("program/")] = false;
    env["XDG_DATA_HOME"] = temp.Path("xdg");
    EXPECT_EQ(ApplicationFolder(Sources()), temp.Path("program/Quillmark/"));

    writable[temp.Path("program/Quillmark")] = false;
    EXPECT_EQ(ApplicationFolder(Sources()), temp.Path("xdg/Quillmark/"));
}

TEST_F(AppFoldersTest, InstalledProgramNeverWritesBesideItself) {
    // Even a writable program folder (root running /usr/bin/quillmark) or a
    // folder already there beside it is left alone.
    EnsureDir(temp.Path("program/Quillmark"));
    env["XDG_DATA_HOME"] = temp.Path("xdg");
    AppFolderSources sources = Sources();
    sources.ProgramInstalled = true;
    EXPECT_EQ(ApplicationFolder(sources), temp.Path("xdg/Quillmark/"));
    EXPECT_EQ(WorkspaceFolder(sources), temp.Path("xdg/Quillmark/Workspace/"));

    env["APPDATA"] = temp.Path("appdata");
    EXPECT_EQ(ApplicationFolder(sources), temp.Path("appdata/Quillmark/"));
}

TEST_F(AppFoldersTest, FolderThatCannotBeCreatedFails) {
    WriteTextFileUtf8(temp.Path("file"), "x");
    env["APPDATA"] = temp.Path("file");
    EXPECT_THROW(ApplicationFolder(Sources()), QuillError);
}

TEST(ProgramFolderTest, IsTheFolderOfTheRunningExecutable) {
    const std::string folder = ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_TRUE(FileExists(folder + "quillmark_unit_tests"));
    // The build folder keeps the program's files beside the binaries.
    EXPECT_FALSE(RunsInstalled(folder));
    EXPECT_EQ(ProgramFilesFolder(), folder);
}

TEST(ProgramFolderTest, InstalledLayoutKeepsTheFilesInShare) {
    quillmark::testing::TempFolder temp;
    const std::string bin = EnsureDir(temp.Path("usr/bin")) + "/";
    EXPECT_FALSE(RunsInstalled(bin)); // no share/quillmark yet
    EXPECT_EQ(ProgramFilesFolder(bin), bin);

    EnsureDir(temp.Path("usr/share/quillmark")); // without AppFiles: not an installation
    EXPECT_FALSE(RunsInstalled(bin));

    EnsureDir(temp.Path("usr/share/quillmark/AppFiles"));
    EXPECT_TRUE(RunsInstalled(bin));
    EXPECT_EQ(ProgramFilesFolder(bin), temp.Path("usr/share/quillmark/"));
}
