#include "MainWindowHarness.h"
#include "app/TocDropZones.h"
#include "base/FileHelpers.h"
#include "editor/DefaultContent.h"
#include "model/HeaderFiles.h"
#include "model/ProjectStorage.h"

#include <gtest/gtest.h>

namespace quillmark {
namespace {

using testing::MainWindowHarness;
using Outline = std::vector<std::string>;

// A workspace project with the root topics R1 (children A, B, C, where A has
// the child A1) and R2 (child D), shown and written to disk, not modified.
class MainWindowTreeTest : public ::testing::Test {
protected:
    void SetUp() override {
        h.Window.FormCreate({});
        TDocProject& project = h.Project();
        project.DeleteTopic(h.IdOf("Welcome"));
        const std::string r1 = project.AddTopic("R1", "").FID;
        const std::string a = project.AddTopic("A", r1).FID;
        project.AddTopic("B", r1);
        project.AddTopic("C", r1);
        project.AddTopic("A1", a);
        const std::string r2 = project.AddTopic("R2", "").FID;
        project.AddTopic("D", r2);
        SaveProjectFolder(project);
        h.Window.RebuildTree();
    }

    void Select(const std::string& title) { h.Window.SelectTopicNode(h.IdOf(title)); }

    // Drags one topic onto the label of another: 18 pixels high, its top at
    // y = 100, the pointer `offset` pixels below that.
    bool Drag(const std::string& dragged, const std::string& target, int offset) {
        Select(dragged);
        h.Window.tvTocStartDrag();
        const bool accepted = h.Window.tvTocDragOver(h.IdOf(target), 100, 18, 100 + offset);
        h.Window.tvTocDragDrop(h.IdOf(target));
        return accepted;
    }

    std::string TreeFile() { return ReadTextFileUtf8(h.Workspace() + "meta/topics.json"); }

    MainWindowHarness h;
};

TEST(TocDropZonesTest, ThirdsOfAnEighteenPixelLabel) {
    for (int offset = 0; offset < 18; ++offset) {
        const TDropMode expected = offset <= 5    ? TDropMode::dmBefore
                                   : offset <= 12 ? TDropMode::dmChild
                                                  : TDropMode::dmAfter;
        EXPECT_EQ(DropModeForOffset(offset, 18), expected) << offset;
    }
}

TEST_F(MainWindowTreeTest, DropZonesPlaceTheDraggedTopic) {
    const struct {
        const char* Dragged;
        const char* Target;
        int Offset;
        Outline Expected;
    } cases[] = {
        {"A", "C", 15, {"R1", "  B", "  C", "  A", "    A1", "R2", "  D"}},
        {"A", "C", 2, {"R1", "  B", "  A", "    A1", "  C", "R2", "  D"}},
        {"A", "C", 9, {"R1", "  B", "  C", "    A", "      A1", "R2", "  D"}},
        {"C", "A", 0, {"R1", "  C", "  A", "    A1", "  B", "R2", "  D"}},
        {"D", "R1", 17, {"R1", "  A", "    A1", "  B", "  C", "D", "R2"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Dragged) + " onto " + c.Target);
        MainWindowTreeTest::SetUp();
        EXPECT_TRUE(Drag(c.Dragged, c.Target, c.Offset));
        EXPECT_EQ(h.Tree.Outline(), c.Expected);
        EXPECT_EQ(h.Tree.Selected, h.IdOf(c.Dragged));
        EXPECT_FALSE(h.State().FProjectDirty);
        EXPECT_TRUE(h.Tree.DropTarget.empty());
    }
}

TEST_F(MainWindowTreeTest, DropIntoTheOwnSubtreeIsRefused) {
    const Outline before = h.Tree.Outline();
    for (const char* target : {"A", "A1"}) {
        EXPECT_FALSE(Drag("A", target, 9)) << target;
        EXPECT_EQ(h.Tree.Outline(), before);
    }
    EXPECT_TRUE(h.Errors().empty());
}

TEST_F(MainWindowTreeTest, MoveCommandsAtTheEdgesChangeNothing) {
    const Outline before = h.Tree.Outline();
    Select("A");
    h.Window.Up1Click();
    Select("C");
    h.Window.Down1Click();
    Select("R1");
    h.Window.ChangeParent1Click();
    EXPECT_EQ(h.Tree.Outline(), before);
    EXPECT_FALSE(h.State().FProjectDirty);
}

TEST_F(MainWindowTreeTest, MoveCommandsMoveByOnePlace) {
    Select("B");
    h.Window.Up1Click();
    EXPECT_EQ(h.Tree.Outline(), (Outline{"R1", "  B", "  A", "    A1", "  C", "R2", "  D"}));
    h.Window.Down1Click();
    h.Window.Down1Click();
    EXPECT_EQ(h.Tree.Outline(), (Outline{"R1", "  A", "    A1", "  C", "  B", "R2", "  D"}));
    EXPECT_EQ(h.Tree.Selected, h.IdOf("B"));
    EXPECT_TRUE(h.State().FProjectDirty);
}

TEST_F(MainWindowTreeTest, MoveLevelUpMakesTheTopicFollowItsParent) {
    Select("D");
    h.Window.ChangeParent1Click();
    EXPECT_EQ(h.Tree.Outline(), (Outline{"R1", "  A", "    A1", "  B", "  C", "R2", "D"}));
    EXPECT_EQ(h.Project().FRootTopicIDs[2], h.IdOf("D"));
    Select("A1");
    h.Window.ChangeParent1Click();
    EXPECT_EQ(h.Tree.Outline(), (Outline{"R1", "  A", "  A1", "  B", "  C", "R2", "D"}));
    EXPECT_NE(TreeFile().find("\"rootTopicIds\":[\"" + h.IdOf("R1") + "\",\"" + h.IdOf("R2") +
                              "\",\"" + h.IdOf("D") + "\"]"),
              std::string::npos);
}

TEST_F(MainWindowTreeTest, DeleteRemovesTheSubtreeAndSelectsTheFirstNode) {
    const std::string a = h.IdOf("A");
    Select("A");
    // D links to A1 (below A) in its saved page, B to A in unsaved text; a
    // link from inside the deleted part is no loss.
    WriteTextFileUtf8(h.Project().TopicPagePath(h.IdOf("D")),
                      "<a href=\"doc:" + h.IdOf("A1") + "\">x</a>");
    h.State().FUnsavedTopicHtml[h.IdOf("B")] = "<a href=\"doc:" + a + "\">y</a>";
    WriteTextFileUtf8(h.Project().TopicPagePath(h.IdOf("A1")), "<a href=\"doc:" + a + "\">z</a>");
    h.Prompts.Answers.push_back(TPromptButton::No);
    h.Window.btnDeleteTopicClick();
    EXPECT_TRUE(h.Project().HasTopic(a));
    EXPECT_EQ(h.Warnings().back(), "Delete the topic \"A\" with its subtopics (1)?\r\n\r\n"
                                   "Links to it from these topics will lead nowhere:\r\n  B\r\n  D");

    h.Prompts.Answers.push_back(TPromptButton::Yes);
    h.Window.btnDeleteTopicClick();

    EXPECT_EQ(h.Tree.Outline(), (Outline{"R1", "  B", "  C", "R2", "  D"}));
    EXPECT_EQ(h.Tree.Selected, h.IdOf("R1"));
    EXPECT_EQ(h.State().FCurrentTopicID, h.IdOf("R1"));
    EXPECT_FALSE(h.State().FProjectDirty);
    EXPECT_EQ(TreeFile().find(a), std::string::npos);
}

TEST_F(MainWindowTreeTest, AddTopicUnderTheSelectionOrAtTheRoot) {
    h.Prompts.Inputs.push_back(std::nullopt);
    h.Window.btnNewSubTopicClick();
    EXPECT_EQ(h.Project().FTopics.Size(), 7u);

    h.Tree.Selected.clear();
    h.Prompts.Inputs.push_back("Loose");
    h.Window.btnNewSubTopicClick();
    EXPECT_EQ(h.Tree.Outline().back(), "Loose");

    Select("B");
    h.Prompts.Inputs.push_back("Under B");
    h.Window.btnNewSubTopicClick();
    const std::string added = h.IdOf("Under B");
    EXPECT_EQ(h.Project().GetTopic(added).FParentID, h.IdOf("B"));
    EXPECT_EQ(h.Tree.Selected, added);
    EXPECT_TRUE(FileExists(h.Workspace() + "topics/" + added + ".html"));
    EXPECT_NE(TreeFile().find(added), std::string::npos);
    EXPECT_TRUE(h.State().FProjectDirty);

    h.Prompts.Inputs.push_back("Top");
    h.Window.btnNewRootTopicClick();
    EXPECT_EQ(h.Project().GetTopic(h.IdOf("Top")).FParentID, "");
}

TEST_F(MainWindowTreeTest, RenameKeepsTheTextExactlyRefusesABlankTitleAndMarksModified) {
    Select("B");
    const std::string b = h.IdOf("B");
    for (const char* blank : {"", "  "}) {
        h.Prompts.Inputs.push_back(blank);
        h.Window.Rename1Click();
    }
    EXPECT_EQ(h.Project().GetTopic(b).FTitle, "B");
    EXPECT_EQ(h.Tree.Outline()[3], "  B");
    EXPECT_EQ(h.Warnings().size(), 2u);
    EXPECT_FALSE(h.State().FProjectDirty);

    h.Window.tvTocEdited(h.Tree.Selected, " Spaced ");
    EXPECT_EQ(h.Tree.Outline()[3], "   Spaced ");
    EXPECT_TRUE(h.State().FProjectDirty);
    EXPECT_EQ(TreeFile().find("Spaced"), std::string::npos); // written by the next save
}

// The header band still showing the old title follows a rename; one the
// author wrote stays, for the current topic and for any other.
TEST_F(MainWindowTreeTest, RenameCarriesTheDefaultHeaderAlong) {
    const std::string b = h.IdOf("B");
    const std::string c = h.IdOf("C");
    const std::string root = h.Project().FRootPath;
    const TProjectSettings& settings = h.State().FSettings;
    WriteTextFileUtf8(HeaderHtmlPath(root, b), DefaultHeaderHtml(settings, "B"));
    WriteTextFileUtf8(HeaderHtmlPath(root, c), "<p>C <i>by hand</i></p>");
    Select("B");

    h.Window.tvTocEdited(b, "Bee");
    h.Window.tvTocEdited(c, "Sea");
    EXPECT_EQ(ReadTextFileUtf8(HeaderHtmlPath(root, b)), DefaultHeaderHtml(settings, "Bee"));
    EXPECT_EQ(ReadTextFileUtf8(HeaderHtmlPath(root, c)), "<p>C <i>by hand</i></p>");

    // Not current: the header files follow too.
    WriteTextFileUtf8(HeaderHtmlPath(root, c), DefaultHeaderHtml(settings, "Sea"));
    h.Window.tvTocEdited(c, "Ocean");
    EXPECT_EQ(ReadTextFileUtf8(HeaderHtmlPath(root, c)), DefaultHeaderHtml(settings, "Ocean"));
}

} // namespace
} // namespace quillmark
