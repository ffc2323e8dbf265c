#include "model/ProjectLinks.h"

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
using testing::TempFolder;

TEST(ProjectLinksTest, OnlyRegularFilesInsideTheProjectAreRead) {
    TempFolder temp;
    const std::string root = temp.Path("project/");
    WriteTextFileUtf8(root + "topics/bom.html", "\xEF\xBB\xBF<p>x</p>");
    WriteTextFileUtf8(root + "assets/shared.html", "<p>shared</p>");
    WriteTextFileUtf8(temp.Path("secret.txt"), "secret");
    fs::create_directories(root + "topics/folder.html");
    ASSERT_EQ(mkfifo((root + "topics/pipe.html").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", root + "topics/endless.html");
    fs::create_symlink("../assets/shared.html", root + "topics/inside.html");
    fs::create_symlink(temp.Path("secret.txt"), root + "topics/outside.html");
    fs::create_symlink("../../secret.txt", root + "topics/relative-outside.html");

    std::string text = "stale";
    EXPECT_TRUE(ReadProjectTextFile(root, root + "topics/bom.html", text));
    EXPECT_EQ(text, "<p>x</p>");
    EXPECT_TRUE(ReadProjectTextFile(root, root + "topics/inside.html", text));
    EXPECT_EQ(text, "<p>shared</p>");
    for (const char* none : {"missing.html", "folder.html", "pipe.html", "endless.html",
                             "bom.html/below", "outside.html", "relative-outside.html"}) {
        text = "stale";
        EXPECT_FALSE(ReadProjectTextFile(root, root + "topics/" + none, text)) << none;
        EXPECT_EQ(text, "") << none;
    }
}

TEST(ProjectLinksTest, FoldersLeadingOutsideAreRefusedAndLeftAlone) {
    const struct {
        const char* folder;
        bool dangling;
    } cases[] = {{"meta", false},          {"build", false},
                 {"build/webhelp", false}, {"internal/webhelp", false},
                 {"assets/images", true},  {"styles", true}};
    for (const auto& c : cases) {
        TempFolder temp;
        const std::string root = temp.Path("project/");
        const std::string elsewhere = temp.Path("elsewhere");
        if (!c.dangling)
            WriteTextFileUtf8(elsewhere + "/keep.txt", "keep");
        fs::create_directories(fs::path(root + c.folder).parent_path());
        fs::create_symlink(elsewhere, root + c.folder);
        EXPECT_EQ(ErrorOf([&] { RequireProjectFoldersInside(root); }),
                  "The folder " + root + c.folder + " leads to " + elsewhere +
                      ", outside the project folder. Quillmark writes only inside the project "
                      "folder: put a real folder in the place of the link.")
            << c.folder;
        EXPECT_TRUE(fs::is_symlink(root + c.folder)) << c.folder;
        if (c.dangling)
            EXPECT_FALSE(fs::exists(elsewhere)) << c.folder;
        else
            EXPECT_EQ(ReadFileBytes(elsewhere + "/keep.txt"), "keep") << c.folder;
    }
}

TEST(ProjectLinksTest, LinksThatStayInsideAreFine) {
    TempFolder temp;
    const std::string root = temp.Path("project/");
    fs::create_directories(root + "shared/out");
    fs::create_symlink("shared/out", root + "build");
    fs::create_symlink(".", root + "meta");
    fs::create_symlink(root + "missing-inside", root + "styles");
    EXPECT_EQ(ErrorOf([&] { RequireProjectFoldersInside(root); }), "");
    EXPECT_TRUE(IsInsideProjectFolder(root, root + "build/webhelp/index.html"));
    EXPECT_FALSE(IsInsideProjectFolder(root, root + "meta/../../x"));
}

} // namespace
} // namespace quillmark
