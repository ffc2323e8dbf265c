#include "model/HelpIds.h"

#include "PdfFixture.h"
#include "TempFolder.h"
#include "TestHelpers.h"
#include "app/HelpIdFields.h"
#include "base/FileHelpers.h"
#include "model/DocProject.h"
#include "model/ProjectStorage.h"
#include "publish/HelpIdMap.h"

#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace quillmark;
using quillmark::testing::ErrorOf;
using quillmark::testing::TempFolder;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

// Three topics with fixed identifiers A, B and C, titled "Alpha", "Beta"
// and "Gamma, \"the third\"".
class HelpIdsTest : public ::testing::Test {
protected:
    HelpIdsTest() {
        project.FRootPath = folder.Root();
        const std::pair<const char*, const char*> topics[] = {
            {"A", "Alpha"}, {"B", "Beta"}, {"C", "Gamma, \"the third\""}};
        for (const auto& [id, title] : topics) {
            auto topic = std::make_unique<TTopic>();
            topic->FID = id;
            topic->FTitle = title;
            project.FTopics.Add(std::move(topic));
            project.FRootTopicIDs.push_back(id);
        }
    }
    TTopic& Topic(const std::string& id) { return project.GetTopic(id); }

    std::vector<std::string> Names(const std::vector<THelpIdEntry>& entries) {
        std::vector<std::string> names;
        for (const THelpIdEntry& entry : entries)
            names.push_back(entry.Name + "=" + std::to_string(entry.Number) + "@" +
                            entry.Topic->FID);
        return names;
    }

    TempFolder folder;
    TDocProject project;
};

} // namespace

TEST(HelpIdNameTest, NamesAreCIdentifiers) {
    for (const char* good : {"IDH_PAIRING", "_x", "a1", "Z"})
        EXPECT_TRUE(IsHelpIdName(good)) << good;
    for (const char* bad : {"", "1ABC", "IDH PAIRING", "IDH-X", "Ä", "a\n", "#define"})
        EXPECT_FALSE(IsHelpIdName(bad)) << bad;
    EXPECT_EQ(HelpNumberFromText("1001"), 1001);
    EXPECT_EQ(HelpNumberFromText("2147483647"), kHighestHelpNumber);
    for (const char* bad : {"", "0", "-1", "+1", "2147483648", "1e3", "12a", " 1"})
        EXPECT_EQ(HelpNumberFromText(bad), 0) << bad;
}

// The outputs take each valid name and number once, sorted by number with
// the unnumbered IDs last; the link check names every problem on the topic
// that carries the later ID.
TEST_F(HelpIdsTest, DuplicatesAndBadNamesAreLeftOutAndReported) {
    Topic("A").FHelpIds = {{"IDH_B", 1002}, {"IDH_A", 1001}, {"IDH_LOOSE", 0}};
    Topic("B").FHelpIds = {{"IDH_A", 1003}, {"idh_a", 1004}, {"IDH_C", 1001}, {"bad name", 5}};
    Topic("C").FHelpIds = {{"IDH_G", 0}};

    EXPECT_THAT(Names(ProjectHelpIds(project)),
                ElementsAre("IDH_A=1001@A", "IDH_B=1002@A", "idh_a=1004@B", "IDH_G=0@C",
                            "IDH_LOOSE=0@A"));
    EXPECT_THAT(Names(ProjectHelpIds(project, [](const TTopic& t) { return t.FID != "A"; })),
                ElementsAre("idh_a=1004@B", "IDH_G=0@C"));

    std::vector<std::string> problems;
    for (const THelpIdProblem& problem : HelpIdProblems(project))
        problems.push_back(problem.TopicID + ": " + problem.Text);
    EXPECT_THAT(problems,
                ElementsAre("B: Duplicate help ID: IDH_A (also on the topic \"Alpha\")",
                            "B: Duplicate help ID number: 1001 of IDH_C (also IDH_A on the "
                            "topic \"Alpha\")",
                            "B: Help ID is not a C identifier: \"bad name\""));
}

TEST_F(HelpIdsTest, ClashesWithOtherTopicsOrWithinTheListFail) {
    Topic("A").FHelpIds = {{"IDH_PAIRING", 1001}};
    Topic("B").FHelpIds = {{"IDH_OLD", 1002}};
    struct Case {
        std::vector<THelpId> ids;
        std::string error; // empty: accepted
    };
    const Case cases[] = {
        {{{"IDH_PAIRING", 0}}, "The help ID IDH_PAIRING is already used by the topic \"Alpha\"."},
        {{{"IDH_NEW", 1001}},
         "The help ID number 1001 of IDH_NEW is already used by IDH_PAIRING of the topic "
         "\"Alpha\"."},
        {{{"IDH_X", 7}, {"IDH_X", 8}}, "The help ID IDH_X is given twice."},
        {{{"IDH_X", 7}, {"IDH_Y", 7}}, "The help ID number 7 is given twice."},
        // Names compare with letter case; the topic's own old IDs do not count.
        {{{"idh_pairing", 1002}, {"IDH_OLD", 0}}, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ErrorOf([&] { RequireUniqueHelpIds(project, "B", c.ids); }), c.error);
}

TEST_F(HelpIdsTest, NumbersAreAssignedAboveTheHighestOne) {
    std::vector<THelpId> ids = {{"IDH_X", 0}, {"IDH_Y", 0}};
    AssignHelpNumbers(project, "B", ids);
    EXPECT_EQ(ids, (std::vector<THelpId>{{"IDH_X", 1000}, {"IDH_Y", 1001}}));

    Topic("A").FHelpIds = {{"IDH_A", 1500}};
    Topic("B").FHelpIds = {{"IDH_B", 9000}}; // the topic's own stored IDs are replaced
    ids = {{"IDH_X", 0}, {"IDH_Y", 1200}, {"IDH_Z", 0}};
    AssignHelpNumbers(project, "B", ids);
    EXPECT_EQ(ids, (std::vector<THelpId>{{"IDH_X", 1501}, {"IDH_Y", 1200}, {"IDH_Z", 1502}}));

    Topic("A").FHelpIds = {{"IDH_A", kHighestHelpNumber}};
    ids = {{"IDH_X", 0}};
    EXPECT_THAT(ErrorOf([&] { AssignHelpNumbers(project, "B", ids); }),
                HasSubstr("No help ID number is free"));
}

TEST(HelpIdFieldsTest, PanelLinesParseAndShowBack) {
    const std::vector<THelpId> ids =
        ParseHelpIdLines("  IDH_A = 1001\n\nIDH_B=1002\r\nIDH_C 1003\nIDH_D\nIDH_E =\n");
    EXPECT_EQ(ids, (std::vector<THelpId>{
                       {"IDH_A", 1001}, {"IDH_B", 1002}, {"IDH_C", 1003}, {"IDH_D", 0},
                       {"IDH_E", 0}}));
    EXPECT_EQ(HelpIdLines(ids), "IDH_A = 1001\nIDH_B = 1002\nIDH_C = 1003\nIDH_D\nIDH_E");

    struct Case {
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {"IDH_A\n1ABC", "line 2: \"1ABC\" is not a help ID name"},
        {"IDH-A = 5", "line 1: \"IDH-A\" is not a help ID name"},
        {"= 5", "line 1: \"\" is not a help ID name"},
        {"IDH_A = 0", "line 1: the number of IDH_A must be a whole number from 1 to 2147483647"},
        {"IDH_A = 12 34", "the number of IDH_A"},
        {"IDH_A = -3", "the number of IDH_A"},
        {"IDH_A = 99999999999", "the number of IDH_A"},
    };
    for (const Case& c : cases)
        EXPECT_THAT(ErrorOf([&] { ParseHelpIdLines(c.text); }), HasSubstr(c.error)) << c.text;
}

// The three map formats of one project: IDs of a topic left out of
// WebHelp have no WebHelp address, topics not in the pages have no page.
TEST_F(HelpIdsTest, MapFormats) {
    Topic("A").FHelpIds = {{"IDH_PAIRING", 1001}, {"IDH_LOOSE", 0}};
    Topic("C").FHelpIds = {{"IDH_THIRD", 1002}};
    Topic("C").FExcludeWeb = true;
    const THelpIdPages pages = {{"A", 3}};

    EXPECT_EQ(HelpIdMapText(project, THelpIdMapFormat::Header, pages),
              "// Help IDs for context-sensitive help: the help context number of each topic. "
              "Written by Quillmark.\n"
              "#define IDH_PAIRING 1001\n#define IDH_THIRD 1002\n");
    EXPECT_EQ(HelpIdMapText(project, THelpIdMapFormat::Csv, pages),
              "name,number,topic,title,webhelp,page\n"
              "IDH_PAIRING,1001,A,Alpha,index.html#t=A,3\n"
              "IDH_THIRD,1002,C,\"Gamma, \"\"the third\"\"\",,\n"
              "IDH_LOOSE,,A,Alpha,index.html#t=A,3\n");
    EXPECT_EQ(HelpIdMapText(project, THelpIdMapFormat::Json, pages),
              R"([{"name":"IDH_PAIRING","number":1001,"topic":"A","title":"Alpha",)"
              R"("webhelp":"index.html#t=A","page":3},)"
              R"({"name":"IDH_THIRD","number":1002,"topic":"C","title":"Gamma, \"the third\"",)"
              R"("webhelp":"","page":null},)"
              R"({"name":"IDH_LOOSE","number":null,"topic":"A","title":"Alpha",)"
              R"("webhelp":"index.html#t=A","page":3}])"
              "\n");
    EXPECT_EQ(HelpIdMapFormatNamed("json"), THelpIdMapFormat::Json);
    EXPECT_EQ(HelpIdMapFormatNamed("H"), std::nullopt);
}

// The printed manual gives the pages only when it is newer than the tree
// file, and a damaged manual gives none.
TEST_F(HelpIdsTest, PrintedPagesComeFromAManualNewerThanTheTree) {
    namespace fs = std::filesystem;
    SaveProjectFolder(project);
    const std::string manual = folder.Path("build/pdf/manual.pdf");
    EXPECT_TRUE(PrintedTopicPages(project).empty());

    WriteTextFileUtf8(manual, MinimalPdf(4, {{"A", 2}, {"C", 4}}));
    const fs::file_time_type tree = fs::last_write_time(folder.Path("meta/topics.json"));
    fs::last_write_time(manual, tree + std::chrono::seconds(5));
    EXPECT_EQ(PrintedTopicPages(project), (THelpIdPages{{"A", 2}, {"C", 4}}));

    fs::last_write_time(manual, tree - std::chrono::seconds(5));
    EXPECT_TRUE(PrintedTopicPages(project).empty());

    WriteTextFileUtf8(manual, "%PDF-1.4 damaged");
    fs::last_write_time(manual, tree + std::chrono::seconds(5));
    EXPECT_TRUE(PrintedTopicPages(project).empty());
}
