#include "TestHelpers.h"
#include "base/QuillError.h"
#include "model/DocProject.h"
#include "model/TopicTreeOrder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace quillmark;
using quillmark::testing::ErrorOf;
using ::testing::ElementsAre;
using ::testing::UnorderedElementsAreArray;

namespace {

// The model touches no files: its project folder need not exist.
const std::string kRoot = "/nonexistent/manual/";

class DocProjectTest : public ::testing::Test {
protected:
    void SetUp() override {
        project.Clear();
        project.FRootPath = kRoot;
    }
    std::string Add(const std::string& title, const std::string& parent = "") {
        return project.AddTopic(title, parent).FID;
    }
    TDocProject project;
};

} // namespace

TEST_F(DocProjectTest, AddTopicRegistersWithoutWritingAPage) {
    const TTopic& topic = project.AddTopic("", "");
    EXPECT_EQ(topic.FTitle, "");
    EXPECT_EQ(topic.FHtmlPath, kRoot + "topics/" + topic.FID + ".html");
    EXPECT_THAT(project.FRootTopicIDs, ElementsAre(topic.FID));

    const std::string child = Add("  Child  ", topic.FID);
    EXPECT_EQ(project.GetTopic(child).FTitle, "  Child  ");
    EXPECT_THAT(project.GetTopic(topic.FID).FChildren, ElementsAre(child));
}

TEST_F(DocProjectTest, AddTopicUnderMissingParentFailsAndChangesNothing) {
    EXPECT_EQ(ErrorOf([&] { Add("x", "NOPE"); }), "Topic not found: NOPE");
    EXPECT_TRUE(project.FTopics.Empty());
    EXPECT_EQ(ErrorOf([&] { project.GetTopic("abc"); }), "Topic not found: abc");
}

TEST_F(DocProjectTest, NewIdentifiersAre32UpperHexDigitsAndDiffer) {
    const std::string a = TDocProject::NewTopicID();
    const std::string b = TDocProject::NewTopicID();
    EXPECT_NE(a, b);
    for (const std::string& id : {a, b}) {
        EXPECT_EQ(id.size(), 32u);
        EXPECT_EQ(id.find_first_not_of("0123456789ABCDEF"), std::string::npos) << id;
    }
}

TEST_F(DocProjectTest, DeleteRemovesWholeSubtreeAndNamesItsPages) {
    const std::string keep = Add("Keep");
    const std::string top = Add("Top");
    std::vector<std::string> pages{kRoot + "topics/" + top + ".html"};
    for (int i = 0; i < 3; ++i) {
        const std::string child = Add("Child", top);
        const std::string grandchild = Add("Grandchild", child);
        for (const std::string& id : {child, grandchild})
            pages.push_back(kRoot + "topics/" + id + ".html");
    }
    ASSERT_EQ(pages.size(), 7u);

    EXPECT_THAT(project.DeleteTopic(top), UnorderedElementsAreArray(pages));
    EXPECT_EQ(project.FTopics.Size(), 1u);
    EXPECT_THAT(project.FRootTopicIDs, ElementsAre(keep));

    EXPECT_TRUE(project.DeleteTopic("unknown").empty());
    EXPECT_EQ(project.FTopics.Size(), 1u);
}

TEST_F(DocProjectTest, DeleteChildLeavesParentList) {
    const std::string parent = Add("P");
    const std::string a = Add("A", parent);
    const std::string b = Add("B", parent);
    project.DeleteTopic(a);
    EXPECT_THAT(project.GetTopic(parent).FChildren, ElementsAre(b));
}

TEST_F(DocProjectTest, MoveTopicPositionsAndClamps) {
    const std::string a = Add("A"), b = Add("B"), c = Add("C");
    project.MoveTopic(a, "", 1);
    EXPECT_THAT(project.FRootTopicIDs, ElementsAre(b, a, c));
    project.MoveTopic(c, "", -5);
    EXPECT_THAT(project.FRootTopicIDs, ElementsAre(c, b, a));
    project.MoveTopic(c, b, 99);
    EXPECT_THAT(project.FRootTopicIDs, ElementsAre(b, a));
    EXPECT_THAT(project.GetTopic(b).FChildren, ElementsAre(c));
    EXPECT_EQ(project.GetTopic(c).FParentID, b);
    project.MoveTopic(c, "", 0); // to root level is always allowed
    EXPECT_THAT(project.FRootTopicIDs, ElementsAre(c, b, a));
}

TEST_F(DocProjectTest, MoveIntoItselfOrDescendantFailsUnchanged) {
    const std::string a = Add("A");
    const std::string child = Add("C", a);
    const std::string grandchild = Add("G", child);
    for (const std::string& target : {a, child, grandchild}) {
        EXPECT_EQ(ErrorOf([&] { project.MoveTopic(a, target, 0); }),
                  "Cannot move a topic into itself/its descendant.");
    }
    EXPECT_EQ(ErrorOf([&] { project.MoveTopic(a, "NOPE", 0); }), "Topic not found: NOPE");
    EXPECT_EQ(ErrorOf([&] { project.MoveTopic("NOPE", "", 0); }), "Topic not found: NOPE");
    EXPECT_THAT(project.FRootTopicIDs, ElementsAre(a));
    EXPECT_THAT(project.GetTopic(a).FChildren, ElementsAre(child));
}

TEST_F(DocProjectTest, IsDescendant) {
    const std::string a = Add("A");
    const std::string b = Add("B", a);
    EXPECT_TRUE(project.IsDescendant(a, a));
    EXPECT_TRUE(project.IsDescendant(b, a));
    EXPECT_FALSE(project.IsDescendant(a, b));
    EXPECT_FALSE(project.IsDescendant("", a));
    EXPECT_FALSE(project.IsDescendant("", ""));
    EXPECT_FALSE(project.IsDescendant("NOPE", a));
}

TEST_F(DocProjectTest, WalksEndOnHandMadeCycles) {
    // x and y name each other as parent and child; z is a root topic.
    const std::string x = Add("X"), y = Add("Y", x), z = Add("Z");
    project.GetTopic(x).FParentID = y;
    project.GetTopic(y).FChildren.push_back(x);
    EXPECT_FALSE(project.IsDescendant(x, z));

    const auto order = TopicTreeOrder(project);
    ASSERT_EQ(order.size(), 3u);
    EXPECT_EQ(order[0].Id, x);
    EXPECT_EQ(order[1].Id, y);
    EXPECT_EQ(order[1].Depth, 1);
    EXPECT_EQ(order[2].Id, z);

    project.DeleteTopic(x);
    EXPECT_FALSE(project.HasTopic(x));
    EXPECT_FALSE(project.HasTopic(y));
    EXPECT_TRUE(project.HasTopic(z));
}

TEST_F(DocProjectTest, TreeOrderSkipsMissingIdentifiersWithTheirSubtree) {
    const std::string a = Add("A");
    const std::string b = Add("B", a);
    project.FRootTopicIDs.insert(project.FRootTopicIDs.begin(), "GHOST");
    project.GetTopic(a).FChildren.insert(project.GetTopic(a).FChildren.begin(), "GONE");
    const auto order = TopicTreeOrder(project);
    ASSERT_EQ(order.size(), 2u);
    EXPECT_EQ(order[0].Id, a);
    EXPECT_EQ(order[1].Id, b);
}

TEST_F(DocProjectTest, ClearKeepsRootPath) {
    Add("A");
    project.FTitle = "Manual";
    project.FStyleProfile = "dark";
    project.Clear();
    EXPECT_TRUE(project.FTopics.Empty());
    EXPECT_TRUE(project.FRootTopicIDs.empty());
    EXPECT_EQ(project.FTitle, "Untitled Documentation");
    EXPECT_EQ(project.FStyleProfile, "default");
    EXPECT_EQ(project.FRootPath, kRoot);
}

TEST_F(DocProjectTest, SetRootPathMovesPagePaths) {
    const std::string a = Add("A");
    project.SetRootPath("/elsewhere/");
    EXPECT_EQ(project.GetTopic(a).FHtmlPath, "/elsewhere/topics/" + a + ".html");
}
