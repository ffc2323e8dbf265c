#include "publish/OutputFile.h"

#include "TempFolder.h"
#include "TestHelpers.h"
#include "base/FileHelpers.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace quillmark {
namespace {

using testing::ErrorOf;
using testing::TempFolder;

// Whatever stands in the page's place, the page ends up a regular file of
// its own with exactly the new bytes, and nothing outside it changes.
TEST(OutputFileTest, EveryEntryInThePlaceEndsAsAPrivateFileWithTheNewBytes) {
    struct Case {
        const char* what;
        std::function<void(const TempFolder&)> prepare;
    };
    const Case cases[] = {
        {"nothing there", [](const TempFolder&) {}},
        {"a longer page", [](const TempFolder& t) {
             WriteFileAtomically(t.Path("page.html"), std::string(10000, 'x'));
         }},
        {"a shorter page", [](const TempFolder& t) { WriteFileAtomically(t.Path("page.html"), "x"); }},
        {"a link to a file outside",
         [](const TempFolder& t) { fs::create_symlink(t.Path("outside.txt"), t.Path("page.html")); }},
        {"a dangling link",
         [](const TempFolder& t) { fs::create_symlink(t.Path("missing.txt"), t.Path("page.html")); }},
        {"a second name of a file outside",
         [](const TempFolder& t) { fs::create_hard_link(t.Path("outside.txt"), t.Path("page.html")); }},
        {"a pipe nobody reads",
         [](const TempFolder& t) { ASSERT_EQ(mkfifo(t.Path("page.html").c_str(), 0600), 0); }},
        {"a read-only page", [](const TempFolder& t) {
             WriteFileAtomically(t.Path("page.html"), "old");
             fs::permissions(t.Path("page.html"), fs::perms::owner_read);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder temp;
        WriteFileAtomically(temp.Path("outside.txt"), "keep me");
        c.prepare(temp);
        WriteOutputFile(temp.Path("page.html"), "<p>new</p>");
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(temp.Path("page.html"))));
        EXPECT_EQ(fs::hard_link_count(temp.Path("page.html")), 1u);
        EXPECT_EQ(ReadFileBytes(temp.Path("page.html")), "<p>new</p>");
        EXPECT_EQ(ReadFileBytes(temp.Path("outside.txt")), "keep me");
    }
}

struct FileStamp {
    ino_t Inode = 0;
    timespec Modified{};
};

FileStamp StampOf(const std::string& path) {
    struct stat status {};
    ::lstat(path.c_str(), &status);
    return {status.st_ino, status.st_mtim};
}

// Publishing again leaves a page that did not change exactly as it was, and
// replaces one that did.
TEST(OutputFileTest, AnUnchangedPageIsLeftAloneAndAChangedOneReplaced) {
    TempFolder temp;
    const std::string page = temp.Path("page.html");
    WriteOutputFile(page, {"<p>same", " text</p>"});
    const FileStamp first = StampOf(page);
    WriteOutputFile(page, "<p>same text</p>");
    const FileStamp again = StampOf(page);
    EXPECT_EQ(again.Inode, first.Inode);
    EXPECT_EQ(again.Modified.tv_nsec, first.Modified.tv_nsec);
    for (const char* changed : {"<p>same text!</p>", "<p>sane text</p>"}) {
        WriteOutputFile(page, changed);
        EXPECT_EQ(ReadFileBytes(page), changed);
    }
}

TEST(OutputFileTest, AFolderInThePlaceOrAMissingFolderIsAnErrorNamingThePage) {
    TempFolder temp;
    fs::create_directory(temp.Path("page.html"));
    EXPECT_EQ(ErrorOf([&] { WriteOutputFile(temp.Path("page.html"), "x"); }),
              "Cannot write file \"" + temp.Path("page.html") + "\": Is a directory");
    EXPECT_EQ(ErrorOf([&] { WriteOutputFile(temp.Path("none/page.html"), "x"); }),
              "Cannot write file \"" + temp.Path("none/page.html") + "\": No such file or directory");
}

// A full disk is an error; a new page is not left half written and an
// earlier one stays whole.
TEST(OutputFileTest, AFullDiskIsAnErrorThatLeavesNoHalfWrittenPage) {
    TempFolder temp;
    const std::string fresh = temp.Path("fresh.html");
    const std::string earlier = temp.Path("earlier.html");
    WriteOutputFile(earlier, "<p>earlier</p>");
    for (const std::string& page : {fresh, earlier}) {
        const std::string error = testing::ErrorUnderFileSizeLimit(
            4096, [&] { WriteOutputFile(page, std::string(100000, 'x')); });
        EXPECT_EQ(error, "Cannot write file \"" + page + "\": File too large");
    }
    EXPECT_FALSE(fs::exists(fresh));
    EXPECT_EQ(ReadFileBytes(earlier), "<p>earlier</p>");
}

} // namespace
} // namespace quillmark
