#include "app/ProgramFiles.h"

#include "TempFolder.h"
#include "TestHelpers.h"
#include "base/FileHelpers.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace quillmark {
namespace {

using testing::ErrorOf;
using testing::ErrorUnderFileSizeLimit;
using testing::TempFolder;

class ProgramFilesTest : public ::testing::Test {
protected:
    ProgramFilesTest() {
        WriteTextFileUtf8(program + "AppFiles/editor/editor.html", "<html>editor</html>");
        WriteTextFileUtf8(program + "AppFiles/webhelp/app.js", "js");
        WriteTextFileUtf8(program + "styles/default.css", "css");
        WriteTextFileUtf8(outside, "precious");
    }

    TempFolder temp;
    std::string program = temp.Path("program/");
    std::string project = temp.Path("project/");
    std::string outside = temp.Path("outside.txt");
};

// Links in the places of program files are replaced, never written through.
TEST_F(ProgramFilesTest, LinksInTheirPlacesAreReplaced) {
    const std::string dangling = temp.Path("created-outside.css");
    for (const char* file : {"internal/editor/editor.html", "internal/webhelp/app.js"}) {
        fs::create_directories(fs::path(project + file).parent_path());
        fs::create_symlink(outside, project + file);
    }
    fs::create_directories(project + "styles");
    fs::create_symlink(dangling, project + "styles/default.css");

    CopyProgramFiles(program, project);
    EXPECT_EQ(ReadFileBytes(outside), "precious");
    EXPECT_FALSE(fs::exists(fs::symlink_status(dangling)));
    EXPECT_EQ(ReadFileBytes(project + "internal/editor/editor.html"), "<html>editor</html>");
    EXPECT_EQ(ReadFileBytes(project + "internal/webhelp/app.js"), "js");
    EXPECT_EQ(ReadFileBytes(project + "styles/default.css"), "css");
    EXPECT_FALSE(fs::is_symlink(project + "internal/editor/editor.html"));
}

TEST_F(ProgramFilesTest, AFolderLeadingOutsideIsRefused) {
    const std::string elsewhere = temp.Path("elsewhere");
    fs::create_directories(elsewhere);
    fs::create_directories(project + "internal");
    fs::create_symlink(elsewhere, project + "internal/webhelp");
    EXPECT_EQ(ErrorOf([&] { CopyProgramFiles(program, project); }),
              "The folder " + project + "internal/webhelp leads to " + elsewhere +
                  ", outside the project folder. Quillmark writes only inside the project "
                  "folder: put a real folder in the place of the link.");
    EXPECT_TRUE(fs::is_empty(elsewhere));
}

// A copy that cannot be finished leaves the file that was there; a file
// that is up to date is not written again.
TEST_F(ProgramFilesTest, AFailedCopyKeepsTheOldFileAndUnchangedFilesStay) {
    const std::string page = project + "internal/editor/editor.html";
    WriteTextFileUtf8(page, "old");
    WriteTextFileUtf8(program + "AppFiles/editor/editor.html", std::string(8192, 'e'));
    EXPECT_NE(ErrorUnderFileSizeLimit(1024, [&] { CopyProgramFiles(program, project); }), "");
    EXPECT_EQ(ReadFileBytes(page), "old");

    CopyProgramFiles(program, project);
    const auto inode = [&] {
        struct stat status {};
        ::stat(page.c_str(), &status);
        return status.st_ino;
    };
    const auto before = inode();
    EXPECT_EQ(ErrorUnderFileSizeLimit(1024, [&] { CopyProgramFiles(program, project); }), "");
    EXPECT_EQ(inode(), before);
}

} // namespace
} // namespace quillmark
