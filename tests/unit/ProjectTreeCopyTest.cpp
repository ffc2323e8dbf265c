#include "app/ProjectTreeCopy.h"

#include "TempFolder.h"
#include "TestHelpers.h"
#include "base/FileHelpers.h"

#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace quillmark {
namespace {

using testing::ErrorOf;
using testing::TempFolder;

// Save As into a folder that holds links leading elsewhere writes nothing
// through them.
TEST(ProjectTreeCopyTest, LinksInTheTargetAreRefused) {
    for (const char* linked : {"meta", "notes"}) {
        TempFolder temp;
        WriteTextFileUtf8(temp.Path("old/meta/topics.json"), "{}");
        WriteTextFileUtf8(temp.Path("old/notes/sub/todo.txt"), "todo");
        fs::create_directories(temp.Path("elsewhere"));
        fs::create_directories(temp.Path("new"));
        fs::create_symlink(temp.Path("elsewhere"), temp.Path("new/") + linked);
        EXPECT_THAT(
            ErrorOf([&] { CopyProjectTree(temp.Path("old"), temp.Path("new")); }),
            ::testing::AllOf(::testing::StartsWith("The folder " + temp.Path("new/") + linked),
                             ::testing::HasSubstr(" leads to " + temp.Path("elsewhere"))))
            << linked;
        EXPECT_TRUE(fs::is_empty(temp.Path("elsewhere"))) << linked;
    }
}

} // namespace
} // namespace quillmark
