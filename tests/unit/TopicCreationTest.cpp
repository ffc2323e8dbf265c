#include "model/TopicCreation.h"

#include "TempFolder.h"
#include "TestHelpers.h"
#include "base/FileHelpers.h"
#include "model/ProjectStorage.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace quillmark {
namespace {

using testing::ErrorOf;
using testing::ErrorUnderFileSizeLimit;
using testing::TempFolder;

class TopicCreationTest : public ::testing::Test {
protected:
    TopicCreationTest() {
        project.Clear();
        project.FRootPath = temp.Root();
        EnsureProjectFolders(temp.Root());
        SaveProjectFolder(project);
    }
    size_t PagesOnDisk() const {
        return static_cast<size_t>(
            std::distance(fs::directory_iterator(temp.Path("topics")), fs::directory_iterator()));
    }

    TempFolder temp;
    TDocProject project;
};

TEST_F(TopicCreationTest, WritesThePageThenTheTree) {
    const TTopic& topic = AddTopicWithPage(project, "Intro", "", "<p>x</p>");
    EXPECT_EQ(ReadFileBytes(topic.FHtmlPath), "<p>x</p>");
    TDocProject reloaded;
    LoadProjectFolder(temp.Root(), reloaded);
    EXPECT_TRUE(reloaded.HasTopic(topic.FID));
}

// Whichever write fails, no page is left that no topic owns.
TEST_F(TopicCreationTest, AFailedWriteLeavesNoPageBehind) {
    const std::string treeFile = temp.Path("meta/topics.json");
    const std::string tree = ReadFileBytes(treeFile);
    fs::remove(treeFile);
    fs::create_directory(treeFile); // the tree cannot be replaced
    EXPECT_NE(ErrorOf([&] { AddTopicWithPage(project, "Intro", "", "<p>x</p>"); }), "");
    EXPECT_EQ(PagesOnDisk(), 0u);
    EXPECT_EQ(project.FTopics.Size(), 0u);
    EXPECT_TRUE(project.FRootTopicIDs.empty());
    fs::remove(treeFile);
    WriteTextFileUtf8(treeFile, tree);

    // The page itself cannot be written.
    EXPECT_NE(ErrorUnderFileSizeLimit(
                  16, [&] { AddTopicWithPage(project, "Intro", "", std::string(64, 'p')); }),
              "");
    EXPECT_EQ(PagesOnDisk(), 0u);
    EXPECT_EQ(project.FTopics.Size(), 0u);
    EXPECT_EQ(ReadFileBytes(treeFile), tree);
}

} // namespace
} // namespace quillmark
