#include "reuse/ReusableContent.h"

#include "TempFolder.h"
#include "TestHelpers.h"
#include "base/FileHelpers.h"
#include "base/QuillError.h"
#include "model/DocProject.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace quillmark;
using quillmark::testing::TempFolder;

namespace {

class ReusableContentFile : public ::testing::Test {
protected:
    ReusableContentFile() { project_.FRootPath = folder_.Root(); }

    std::string FilePath() const { return folder_.Path("meta/reusable_content.json"); }
    void WriteFile(const std::string& text) { WriteTextFileUtf8(FilePath(), text); }
    TReusableProjectContent Load() {
        TReusableProjectContent store;
        store.LoadFromProject(project_);
        return store;
    }

    TempFolder folder_;
    TDocProject project_;
};

TEST_F(ReusableContentFile, PathIsMetaReusableContentJson) {
    EXPECT_EQ(ReusableContentFilePath(project_), FilePath());
}

TEST_F(ReusableContentFile, MissingFileLoadsEmptyAndEmptyStoreSavesThreeEmptyLists) {
    TReusableProjectContent store;
    store.FVariables.push_back({"Left", "over"});
    store.LoadFromProject(project_);
    EXPECT_TRUE(store.FVariables.empty());
    EXPECT_TRUE(store.FSnippets.empty());
    EXPECT_TRUE(store.FConditions.empty());

    ASSERT_FALSE(std::filesystem::exists(folder_.Path("meta")));
    store.SaveToProject(project_);
    EXPECT_EQ(ReadFileBytes(FilePath()), R"({"variables":[],"snippets":[],"conditions":[]})");
}

TEST_F(ReusableContentFile, EmptyRootPathNeitherReadsNorWrites) {
    WriteFile("[1]"); // would fail to load if it were read
    TDocProject rootless;
    TReusableProjectContent store;
    EXPECT_NO_THROW(store.LoadFromProject(rootless));
    store.FVariables.push_back({"A", "1"});
    EXPECT_NO_THROW(store.SaveToProject(rootless));
    EXPECT_EQ(ReadFileBytes(FilePath()), "[1]");
}

TEST_F(ReusableContentFile, LoadsLenientlyTrimsNamesAndKeepsValues) {
    WriteFile(R"({
      "variables": [
        {"name": "  ProductName ", "value": "  Aurora  "},
        {"name": "productname", "value": "second"},
        {"name": "   ", "value": "dropped"},
        {"value": "no name"},
        "not an object", 7, null,
        {"name": null, "value": 12.50},
        {"name": "Flag", "value": true},
        {"name": "Nested", "value": {"a": 1}},
        {"name": "NoValue"}
      ],
      "snippets": [{"name": "Note", "html": "<p>Hi</p>"}, {"name": "\t"}],
      "conditions": [
        {"name": "Missing"},
        {"name": "Yes", "enabled": "yes"},
        {"name": "On", "enabled": "on"},
        {"name": "Maybe", "enabled": "maybe"},
        {"name": "Zero", "enabled": "0"},
        {"name": "FalseText", "enabled": "false"},
        {"name": "Spaced", "enabled": " FALSE "},
        {"name": "One", "enabled": "1"},
        {"name": "True", "enabled": true},
        {"name": "False", "enabled": false}
      ]
    })");
    const TReusableProjectContent store = Load();

    ASSERT_EQ(store.FVariables.size(), 6u);
    const std::vector<std::pair<std::string, std::string>> variables = {
        {"ProductName", "  Aurora  "}, {"productname", "second"}, {"null", "12.50"},
        {"Flag", "true"},              {"Nested", ""},            {"NoValue", ""}};
    for (size_t i = 0; i < variables.size(); ++i) {
        EXPECT_EQ(store.FVariables[i].Name, variables[i].first);
        EXPECT_EQ(store.FVariables[i].Value, variables[i].second);
    }

    ASSERT_EQ(store.FSnippets.size(), 1u);
    EXPECT_EQ(store.FSnippets[0].Html, "<p>Hi</p>");

    const std::vector<std::pair<std::string, bool>> conditions = {
        {"Missing", true}, {"Yes", true},     {"On", true},      {"Maybe", true},
        {"Zero", false},   {"FalseText", false}, {"Spaced", false}, {"One", true},
        {"True", true},    {"False", false}};
    ASSERT_EQ(store.FConditions.size(), conditions.size());
    for (size_t i = 0; i < conditions.size(); ++i) {
        EXPECT_EQ(store.FConditions[i].Name, conditions[i].first);
        EXPECT_EQ(store.FConditions[i].Enabled, conditions[i].second) << conditions[i].first;
    }
}

TEST_F(ReusableContentFile, WrongTypesFailAndKeepWhatWasReadBefore) {
    struct Case {
        const char* text;
        size_t variables, snippets;
        const char* member; // named in the error, after the file
    };
    const Case cases[] = {
        {R"([{"variables":[]}])", 0, 0, ""},
        {R"("text")", 0, 0, ""},
        {R"({"variables":null})", 0, 0, "\"variables\": "},
        {R"({"variables":[{"name":"A"}],"snippets":{"name":"B"}})", 1, 0, "\"snippets\": "},
        {R"({"variables":[{"name":"A"}],"snippets":[{"name":"B"}],"conditions":"x"})", 1, 1,
         "\"conditions\": "},
    };
    for (const Case& c : cases) {
        WriteFile(c.text);
        TReusableProjectContent store;
        try {
            store.LoadFromProject(project_);
            ADD_FAILURE() << "no error for " << c.text;
        } catch (const QuillError& e) {
            EXPECT_EQ(e.what(), FilePath() + ": " + c.member + "Invalid class typecast");
        }
        EXPECT_EQ(store.FVariables.size(), c.variables) << c.text;
        EXPECT_EQ(store.FSnippets.size(), c.snippets) << c.text;
        EXPECT_TRUE(store.FConditions.empty());
    }
}

TEST_F(ReusableContentFile, TextThatIsNotJsonLoadsEmptyOrFailsForPublishing) {
    WriteFile(R"({"variables":[{"name":"A","value":"1"}],)");
    TReusableProjectContent store;
    store.FConditions.push_back({"Old", true});
    EXPECT_NO_THROW(store.LoadFromProject(project_));
    EXPECT_TRUE(store.FVariables.empty());
    EXPECT_TRUE(store.FConditions.empty());
    EXPECT_EQ(quillmark::testing::ErrorOf([&] {
                  store.LoadFromProject(project_, TDamagedFile::Fail);
              }),
              FilePath() + ": the file is damaged: it holds no valid JSON text.");

    // Saved over from the dialog, the damaged text is kept aside first.
    store.SaveToProject(project_);
    EXPECT_EQ(ReadFileBytes(FilePath() + ".unreadable"),
              R"({"variables":[{"name":"A","value":"1"}],)");
    EXPECT_NO_THROW(store.LoadFromProject(project_, TDamagedFile::Fail));
}

TEST_F(ReusableContentFile, SavesExactCompactTextAndReadsItBack) {
    TReusableProjectContent store;
    store.FVariables = {{" ProductName ", " A & B "}, {"  ", "dropped"}, {"Caf\xC3\xA9", "\xC3\xA9"}};
    store.FSnippets = {{"Note", "<p>\"Hi\"\n</p>"}, {"", "dropped"}};
    store.FConditions = {{"Pro", false}, {"Beta", true}};
    store.SaveToProject(project_);

    EXPECT_EQ(ReadFileBytes(FilePath()),
              R"({"variables":[{"name":"ProductName","value":" A & B "},)"
              R"({"name":"Caf\u00E9","value":"\u00E9"}],)"
              R"("snippets":[{"name":"Note","html":"<p>\"Hi\"\n<\/p>"}],)"
              R"("conditions":[{"name":"Pro","enabled":false},{"name":"Beta","enabled":true}]})");

    const TReusableProjectContent loaded = Load();
    ASSERT_EQ(loaded.FVariables.size(), 2u);
    EXPECT_EQ(loaded.FVariables[0].Name, "ProductName");
    EXPECT_EQ(loaded.FVariables[0].Value, " A & B ");
    EXPECT_EQ(loaded.FVariables[1].Name, "Caf\xC3\xA9");
    EXPECT_EQ(loaded.FVariables[1].Value, "\xC3\xA9");
    ASSERT_EQ(loaded.FSnippets.size(), 1u);
    EXPECT_EQ(loaded.FSnippets[0].Html, "<p>\"Hi\"\n</p>");
    ASSERT_EQ(loaded.FConditions.size(), 2u);
    EXPECT_FALSE(loaded.FConditions[0].Enabled);
    EXPECT_TRUE(loaded.FConditions[1].Enabled);
}

TEST(ReusableContentLookup, FirstEntryWinsWithAsciiOnlyCaseFolding) {
    TReusableProjectContent store;
    store.FVariables = {{"ProductName", "first"}, {"productname", "second"},
                        {"\xC3\x89t\xC3\xA9", "upper"}}; // "Été"
    store.FSnippets = {{"Note", "<b>n</b>"}};
    store.FConditions = {{"Pro", false}, {"PRO", true}};

    EXPECT_EQ(store.VariableValue("PRODUCTNAME", "d"), "first");
    EXPECT_EQ(store.VariableValue("productname", "d"), "first");
    EXPECT_EQ(store.VariableValue("\xC3\xA9t\xC3\xA9", "none"), "none"); // "été"
    EXPECT_EQ(store.VariableValue(" ProductName", "d"), "d"); // not trimmed
    EXPECT_EQ(store.VariableValue("Missing", ""), "");
    EXPECT_EQ(store.VariableValue("Missing", " x "), " x ");
    EXPECT_EQ(store.SnippetHtml("NOTE", ""), "<b>n</b>");
    EXPECT_EQ(store.SnippetHtml("Other", "fallback"), "fallback");
    EXPECT_FALSE(store.ConditionEnabled("pro", true));
    EXPECT_TRUE(store.ConditionEnabled("Missing", true));
    EXPECT_FALSE(store.ConditionEnabled("Missing", false));
}

TEST_F(ReusableContentFile, FailedWriteKeepsThePreviousFileAndRaises) {
    TReusableProjectContent previous;
    previous.FVariables = {{"A", "1"}};
    previous.SaveToProject(project_);
    const std::string before = ReadFileBytes(FilePath());

    TReusableProjectContent bigger;
    bigger.FSnippets = {{"Long", std::string(4096, 'x')}};

    EXPECT_NE(quillmark::testing::ErrorUnderFileSizeLimit(64, [&] { bigger.SaveToProject(project_); }),
              "");
    EXPECT_EQ(ReadFileBytes(FilePath()), before);
    const TReusableProjectContent loaded = Load();
    ASSERT_EQ(loaded.FVariables.size(), 1u);
    EXPECT_TRUE(loaded.FSnippets.empty());
}

} // namespace
