#include "publish/TopicIndex.h"

#include "TempFolder.h"
#include "model/DocProject.h"

#include <gtest/gtest.h>

namespace quillmark {
namespace {

struct TListed {
    std::string Term;
    std::vector<std::string> Titles;
    bool operator==(const TListed&) const = default;
};

void PrintTo(const TListed& listed, std::ostream* os) {
    *os << listed.Term << " ->";
    for (const std::string& title : listed.Titles)
        *os << " " << title;
}

std::vector<TListed> Listing(const std::vector<TTopicIndexEntry>& entries) {
    std::vector<TListed> listing;
    for (const TTopicIndexEntry& entry : entries) {
        TListed listed{entry.Term, {}};
        for (const TTopic* topic : entry.Topics)
            listed.Titles.push_back(topic->FTitle);
        listing.push_back(listed);
    }
    return listing;
}

class TopicIndexTest : public ::testing::Test {
protected:
    void SetUp() override { project.FRootPath = folder.Root(); }

    TTopic& Add(const std::string& title, const std::string& parent,
                std::vector<std::string> entries, std::vector<std::string> keywords) {
        TTopic& topic = project.AddTopic(title, parent);
        topic.FIndexEntries = std::move(entries);
        topic.FKeywords = std::move(keywords);
        return topic;
    }
    testing::TempFolder folder;
    TDocProject project;
};

TEST_F(TopicIndexTest, MergesFoldedTermsSortsThemAndKeepsReadingOrder) {
    // "Second" comes first in the dictionary but after "Root" and "Child" in
    // the contents: the contents decide which spelling is kept.
    TTopic& second = Add("Second", "", {"Light modes", "", "   "}, {"2.4 GHz", "Ärger"});
    TTopic& root = Add("Root", "", {"Zoom", "café"}, {"Lamp"});
    Add("Child", root.FID, {"Cafe", "lamp", "  light   modes "}, {"Café"});
    Add("Loose", "", {"zoom"}, {});
    project.FRootTopicIDs = {root.FID, second.FID}; // "Loose" is outside the contents

    const std::vector<TListed> expected = {
        {"2.4 GHz", {"Second"}},
        {"Ärger", {"Second"}},
        {"café", {"Root", "Child"}},
        {"Lamp", {"Root", "Child"}},
        {"light modes", {"Child", "Second"}},
        {"Zoom", {"Root", "Loose"}},
    };
    EXPECT_EQ(Listing(BuildTopicIndex(project, [](const TTopic&) { return true; })), expected);
}

TEST_F(TopicIndexTest, LeavesOutTopicsTheOutputExcludes) {
    Add("Kept", "", {"shared"}, {});
    TTopic& dropped = Add("Dropped", "", {"shared", "only dropped"}, {});
    dropped.FExcludeChm = true;
    const auto entries =
        BuildTopicIndex(project, [](const TTopic& topic) { return !topic.FExcludeChm; });
    EXPECT_EQ(Listing(entries), (std::vector<TListed>{{"shared", {"Kept"}}}));
}

TEST(TopicIndexGroupTest, GroupsByFirstLetterOfTheFoldedTerm) {
    const struct {
        const char* Key;
        const char* Group;
    } cases[] = {{"arger", "a"}, {"zoom", "z"}, {"2.4 ghz", "#"}, {"#tags", "#"},
                 {"еж", "е"},    {"日本", "日"}};
    for (const auto& c : cases)
        EXPECT_EQ(TopicIndexGroup({"", c.Key, {}}), c.Group) << c.Key;
}

} // namespace
} // namespace quillmark
