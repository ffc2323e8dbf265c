#include "MainWindowHarness.h"
#include "base/FileHelpers.h"
#include "base/Translation.h"
#include "platform/IniStore.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace quillmark {
namespace {

using testing::MainWindowHarness;

TEST(MainWindowPropertiesTest, PanelTogglesAndShowsTheSelectedTopic) {
    MainWindowHarness h;
    h.Window.FormCreate({});
    h.Project().GetTopic(h.IdOf("Welcome")).FKeywords = {"alpha", "beta"};

    h.Window.TopicProperties1Click();
    EXPECT_TRUE(h.View.PropertiesVisible);
    EXPECT_EQ(h.View.Properties.Keywords, "alpha\nbeta");
    h.Window.TopicProperties1Click();
    EXPECT_FALSE(h.View.PropertiesVisible);
}

TEST(MainWindowPropertiesTest, ApplyStoresTrimmedEntriesAndFlags) {
    MainWindowHarness h;
    h.Window.FormCreate({});
    const std::string id = h.IdOf("Welcome");
    h.View.Properties = {" alpha\n\nbeta \r\n  ", "Index one\n", false, true, false, ""};

    h.Window.btnApplyPropsClick();

    const TTopic& topic = h.Project().GetTopic(id);
    EXPECT_EQ(topic.FKeywords, (std::vector<std::string>{"alpha", "beta"}));
    EXPECT_EQ(topic.FIndexEntries, std::vector<std::string>{"Index one"});
    EXPECT_TRUE(topic.FExcludeChm);
    EXPECT_NE(ReadTextFileUtf8(h.Workspace() + "meta/topics.json")
                  .find("\"keywords\":[\"alpha\",\"beta\"]"),
              std::string::npos);
    EXPECT_EQ(h.View.Status, "Properties saved");
    EXPECT_FALSE(h.State().FProjectDirty);
}

// Help IDs from the panel reach the tree file; a clash is an error that
// leaves the topic as it was.
TEST(MainWindowPropertiesTest, HelpIdsAreAppliedNumberedAndChecked) {
    MainWindowHarness h;
    h.Window.FormCreate({});
    const std::string welcome = h.IdOf("Welcome");
    h.Window.TopicProperties1Click();
    h.View.Properties.HelpIds = "IDH_WELCOME\nIDH_START = 1500\nIDH_NEXT";
    h.Window.btnAssignHelpNumbersClick();
    EXPECT_EQ(h.View.Properties.HelpIds, "IDH_WELCOME = 1501\nIDH_START = 1500\nIDH_NEXT = 1502");
    EXPECT_TRUE(h.Project().GetTopic(welcome).FHelpIds.empty()); // Apply saves them
    h.Window.btnApplyPropsClick();
    EXPECT_EQ(h.Project().GetTopic(welcome).FHelpIds,
              (std::vector<THelpId>{{"IDH_WELCOME", 1501}, {"IDH_START", 1500}, {"IDH_NEXT", 1502}}));
    EXPECT_NE(ReadTextFileUtf8(h.Workspace() + "meta/topics.json")
                  .find(R"("helpIds":[{"name":"IDH_WELCOME","number":1501},)"),
              std::string::npos);

    h.Prompts.Inputs = {"Other"};
    h.Window.btnNewRootTopicClick();
    const std::string other = h.Tree.Selected;
    ASSERT_NE(other, welcome);
    h.View.Properties.HelpIds = "IDH_OTHER\nIDH_START";
    h.View.Properties.Keywords = "changed";
    h.Window.btnApplyPropsClick();
    EXPECT_EQ(h.Errors().back(), "The help ID IDH_START is already used by the topic \"Welcome\".");
    EXPECT_TRUE(h.Project().GetTopic(other).FHelpIds.empty());
    EXPECT_TRUE(h.Project().GetTopic(other).FKeywords.empty());

    h.View.Properties.HelpIds = "IDH_OTHER";
    h.Window.btnAssignHelpNumbersClick();
    EXPECT_EQ(h.View.Properties.HelpIds, "IDH_OTHER = 1503");
}

// Publish > Save Help ID Map: the extension chooses the format.
TEST(MainWindowPropertiesTest, HelpIdMapIsSavedInTheFormatOfItsExtension) {
    MainWindowHarness h;
    h.Window.FormCreate({});
    h.Project().GetTopic(h.IdOf("Welcome")).FHelpIds = {{"IDH_WELCOME", 1001}};
    const std::string header = h.Workspace() + "ids.H";
    const std::string csv = h.Workspace() + "ids.csv";
    h.Prompts.SaveAnswers = {header, csv, h.Workspace() + "ids.txt", std::nullopt};
    for (int i = 0; i < 4; ++i)
        h.Window.SaveHelpIdMap1Click();
    EXPECT_NE(ReadFileBytes(header).find("#define IDH_WELCOME 1001\n"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(csv).rfind("name,number,topic,title,webhelp,page\nIDH_WELCOME,1001,", 0),
              0u);
    ASSERT_EQ(h.Errors().size(), 1u);
    EXPECT_NE(h.Errors()[0].find("ids.txt\" is none of these"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(h.Workspace() + "ids.txt"));
    EXPECT_EQ(h.Prompts.SaveRequests.front().DefaultExt, "h");
}

// Typed help IDs that clash cannot be kept: closing stops with the error,
// so the author can mend them instead of losing them.
TEST(MainWindowPropertiesTest, TypedHelpIdsThatClashKeepTheWindowOpen) {
    MainWindowHarness h;
    h.Window.FormCreate({});
    h.Project().GetTopic(h.IdOf("Welcome")).FHelpIds = {{"IDH_TAKEN", 1001}};
    h.Prompts.Inputs.push_back("Second");
    h.Window.btnNewRootTopicClick();
    h.Window.SelectTopicNode(h.IdOf("Second"));
    h.View.Properties.HelpIds = "IDH_TAKEN";

    EXPECT_FALSE(h.Window.FormCloseQuery());
    EXPECT_EQ(h.Errors().back(), "The help ID IDH_TAKEN is already used by the topic \"Welcome\".");
    EXPECT_EQ(h.View.Properties.HelpIds, "IDH_TAKEN"); // still there to mend
}

// Typed without Apply: kept when another topic is shown and when the
// window closes, so nothing typed is lost.
TEST(MainWindowPropertiesTest, TypedPropertiesAreKeptOnTopicSwitchAndClose) {
    MainWindowHarness h;
    h.Window.FormCreate({});
    const std::string welcome = h.IdOf("Welcome");
    h.Prompts.Inputs.push_back("Second");
    h.Window.btnNewRootTopicClick();
    const std::string other = h.IdOf("Second");
    h.Window.SelectTopicNode(welcome);
    h.View.Properties.Keywords = "typed\nwords";

    h.Window.SelectTopicNode(other);
    EXPECT_EQ(h.Project().GetTopic(welcome).FKeywords, (std::vector<std::string>{"typed", "words"}));
    EXPECT_EQ(h.View.Properties.Keywords, ""); // now the other topic's

    h.View.Properties.IndexEntries = "Entry";
    h.Window.FormCloseQuery();
    EXPECT_EQ(h.Project().GetTopic(other).FIndexEntries, std::vector<std::string>{"Entry"});
    EXPECT_NE(ReadTextFileUtf8(h.Workspace() + "meta/topics.json").find("\"Entry\""),
              std::string::npos);
}

TEST(MainWindowPropertiesTest, ApplyWithoutSelectionOnlyShowsTheStatus) {
    MainWindowHarness h;
    h.Window.FormCreate({});
    h.Tree.Selected.clear();
    h.View.Properties.Keywords = "ignored";
    h.Window.btnApplyPropsClick();
    EXPECT_TRUE(h.Project().GetTopic(h.IdOf("Welcome")).FKeywords.empty());
    EXPECT_EQ(h.View.Status, "Properties saved");
}

TEST(MainWindowPropertiesTest, StyleProfilesComeFromTheStylesFolder) {
    MainWindowHarness h;
    h.Window.FormCreate({});
    EXPECT_EQ(h.View.StyleProfiles, std::vector<std::string>{"default"});

    WriteTextFileUtf8(h.Workspace() + "styles/print.CSS", "p{}");
    WriteTextFileUtf8(h.Workspace() + "styles/notes.txt", "");
    h.Window.FillStyleProfiles();
    EXPECT_EQ(h.View.StyleProfiles, (std::vector<std::string>{"default", "print"}));
    EXPECT_EQ(h.View.SelectedStyle, 0);

    h.Window.cbStyleChange("print");
    EXPECT_EQ(h.View.Status, "Style set: print");
    EXPECT_NE(ReadTextFileUtf8(h.Workspace() + "project.json").find("\"styleProfile\":\"print\""),
              std::string::npos);
    h.Window.FillStyleProfiles();
    EXPECT_EQ(h.View.SelectedStyle, 1);

    std::filesystem::remove_all(h.Workspace() + "styles");
    h.Window.FillStyleProfiles();
    EXPECT_EQ(h.View.StyleProfiles, std::vector<std::string>{"default"});
}

TEST(MainWindowPropertiesTest, LanguageMenuSwitchesCaptionsAndRemembersTheChoice) {
    ASSERT_TRUE(
        LoadTranslationTable("2\nEnglish\nDeutsch\nen\nde\nFile\nDatei\nProperties...\n\n"));
    MainWindowHarness h;
    h.Window.FormCreate({});
    EXPECT_EQ(h.View.Languages, (std::vector<std::string>{"English", "Deutsch"}));
    EXPECT_EQ(h.View.CheckedLanguage, 0);

    h.Window.LanguageMenuItemClick(1);

    EXPECT_EQ(h.View.CheckedLanguage, 1);
    EXPECT_EQ(h.View.Captions["File1"], "Datei");
    EXPECT_EQ(h.View.Captions["Edit1"], "Edit");
    EXPECT_EQ(h.View.Captions["TopicProperties1"], "Properties...");
    EXPECT_EQ(TIniStore(h.Temp.Path("app/settings.ini"))
                  .ReadString(kLanguageSection, kCurrentLanguageKey, ""),
              "de");
    ResetTranslation();
}

TEST(MainWindowPropertiesTest, CheckLinksReportsFindingsOrTheAllClear) {
    MainWindowHarness h;
    h.Window.FormCreate({});
    const std::string id = h.IdOf("Welcome");
    WriteTextFileUtf8(h.Project().TopicPagePath(id), "<p>fine</p>");
    h.Window.btnCheckLinksClick();
    EXPECT_EQ(h.Prompts.TextsOf(TMessageKind::Information),
              std::vector<std::string>{"No link issues found."});

    WriteTextFileUtf8(h.Project().TopicPagePath(id),
                      "<a href=\"doc:0123456789ABCDEF0123456789ABCDEF\">x</a><a "
                      "href=\"doc:0123456789ABCDEF0123456789ABCDEF\">y</a>");
    h.Window.btnCheckLinksClick();
    EXPECT_EQ(h.Warnings(),
              std::vector<std::string>{
                  "Welcome: Broken internal link: doc:0123456789ABCDEF0123456789ABCDEF\r\n"
                  "Welcome: Broken internal link: doc:0123456789ABCDEF0123456789ABCDEF\r\n"});
}

} // namespace
} // namespace quillmark
