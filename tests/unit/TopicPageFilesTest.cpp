#include "model/TopicPageFiles.h"

#include "TempFolder.h"
#include "base/FileHelpers.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace quillmark;
using quillmark::testing::TempFolder;
using ::testing::ElementsAre;

TEST(TopicPageFiles, DeleteRemovesTheSubtreeWithItsPagesAndNothingElse) {
    TempFolder folder;
    TDocProject project;
    project.FRootPath = folder.Root();
    const std::string keep = project.AddTopic("Keep", "").FID;
    const std::string top = project.AddTopic("Top", "").FID;
    std::vector<std::string> doomed{top};
    for (int i = 0; i < 3; ++i) {
        const std::string child = project.AddTopic("Child", top).FID;
        doomed.push_back(child);
        doomed.push_back(project.AddTopic("Grandchild", child).FID);
    }
    for (const std::string& id : doomed)
        WriteTextFileUtf8(project.TopicPagePath(id), "<p>x</p>");
    WriteTextFileUtf8(project.TopicPagePath(keep), "<p>kept</p>");
    WriteTextFileUtf8(folder.Path("meta/header_" + top + ".html"), "<b>Top</b>");

    DeleteTopicWithPages(project, top);
    EXPECT_THAT(project.FRootTopicIDs, ElementsAre(keep));
    for (const std::string& id : doomed)
        EXPECT_FALSE(FileExists(folder.Path("topics/" + id + ".html"))) << id;
    EXPECT_TRUE(FileExists(project.TopicPagePath(keep)));
    EXPECT_TRUE(FileExists(folder.Path("meta/header_" + top + ".html")));

    DeleteTopicWithPages(project, "unknown");
    EXPECT_EQ(project.FTopics.Size(), 1u);
}
