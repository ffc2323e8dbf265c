#include "reuse/ReusableContentDialogModel.h"

#include "FakeEditorPage.h"
#include "MainWindowHarness.h"
#include "app/ReusableContentCommand.h"
#include "base/TextUtils.h"
#include "editor/EditorBridge.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace quillmark {
namespace {

using testing::FakeEditorPage;
using testing::MainWindowHarness;

TEST(ReusableContentDialogModelTest, GridsHoldEntriesThenAtLeastElevenEmptyRows) {
    EXPECT_EQ(ReusableGridRowCount(0), 16u);
    EXPECT_EQ(ReusableGridRowCount(4), 16u);
    EXPECT_EQ(ReusableGridRowCount(5), 17u);

    TReusableProjectContent store;
    for (int i = 0; i < 5; ++i)
        store.FVariables.push_back({"V" + std::to_string(i), "x"});
    store.FConditions.push_back({"Pro", true});
    store.FConditions.push_back({"Lite", false});
    const TReusableGrids grids = GridsFromContent(store);
    ASSERT_EQ(grids.Variables.size(), 16u);
    EXPECT_EQ(grids.Variables[4][0], "V4");
    EXPECT_EQ(grids.Variables[5][0], "");
    EXPECT_EQ(grids.Snippets.size(), 15u);
    EXPECT_EQ(grids.Conditions[0][1], "true");
    EXPECT_EQ(grids.Conditions[1][1], "false");
}

TEST(ReusableContentDialogModelTest, TruthOfTheEnabledCell) {
    const std::pair<const char*, bool> cases[] = {
        {"true", true},     {"Yes", true}, {" on ", true},        {"1", true},    {"TRUE", true},
        {"false", false},   {"no", false}, {"0", false},          {"off", false}, {"", false},
        {"enabled", false}, {"y", false},  {"yes please", false},
    };
    for (const auto& [cell, enabled] : cases)
        EXPECT_EQ(ConditionTruth(cell), enabled) << '"' << cell << '"';
}

TEST(ReusableContentDialogModelTest, GridsToStoreSkipsNamelessRowsAndKeepsOrder) {
    TReusableGrids grids = GridsFromContent({});
    grids.Variables[0] = {"  Product  ", " Dedu Vader "};
    grids.Variables[1] = {"   ", "value of a cleared name"};
    grids.Variables[2] = {"Empty", ""};
    grids.Variables[3] = {"Product", "second"};
    grids.Snippets[5] = {"Note", "<p>a</p>\r\n<p>b</p>"};
    grids.Conditions[0] = {"Pro", " On "};
    grids.Conditions[1] = {"Lite", "enabled"};

    TReusableProjectContent store;
    store.FSnippets.push_back({"Stale", "<p>gone</p>"});
    ContentFromGrids(grids, store);

    ASSERT_EQ(store.FVariables.size(), 3u);
    EXPECT_EQ(store.FVariables[0].Name, "Product");
    EXPECT_EQ(store.FVariables[0].Value, " Dedu Vader "); // values stay as typed
    EXPECT_EQ(store.FVariables[1].Name, "Empty");
    EXPECT_EQ(store.FVariables[2].Value, "second"); // duplicates kept in grid order
    ASSERT_EQ(store.FSnippets.size(), 1u);
    EXPECT_EQ(store.FSnippets[0].Html, "<p>a</p>\r\n<p>b</p>");
    ASSERT_EQ(store.FConditions.size(), 2u);
    EXPECT_TRUE(store.FConditions[0].Enabled);
    EXPECT_FALSE(store.FConditions[1].Enabled);
}

TEST(ReusableContentDialogModelTest, HelpTextsAndInsertButtons) {
    const std::string vars = ReusableHelpText(TReusableTab::Variables);
    EXPECT_EQ(vars.rfind("Variables let you define text once and reuse it in many topics. \r\n", 0),
              0u);
    EXPECT_EQ(vars.substr(vars.size() - 6), "value.");
    EXPECT_EQ(SplitLines(ReusableHelpText(TReusableTab::Conditions)).size(), 6u);
    EXPECT_EQ(ReusableGridHeadings(TReusableTab::Snippets)[1], "HTML");

    EXPECT_EQ(InsertButtonsEnabled(TReusableTab::Variables),
              (std::array<bool, 4>{true, false, false, false}));
    EXPECT_EQ(InsertButtonsEnabled(TReusableTab::Conditions),
              (std::array<bool, 4>{false, false, true, true}));
}

// The dialog as the author uses it: `Act` edits the grids it was shown and
// picks the result and current rows.
class ScriptedDialog final : public IReusableContentDialog {
public:
    std::function<void(TReusableDialogOutcome&)> Act;
    int Shown = 0;
    TReusableDialogOutcome Execute(const TReusableGrids& grids) override {
        ++Shown;
        TReusableDialogOutcome outcome;
        outcome.Grids = grids;
        if (Act)
            Act(outcome);
        return outcome;
    }
};

class ReusableContentCommandTest : public ::testing::Test {
protected:
    ReusableContentCommandTest() : Bridge(&Page) {
        auto editor = std::make_unique<testing::FakeEditorContent>();
        Editor = editor.get();
        H.Window.SetEditorContent(std::move(editor));
        H.Window.FormCreate({});
        H.State().FProjectDirty = false;
        WriteTextFileUtf8(StoreFile(),
                          R"({"variables":[{"name":"Product","value":"Dedu"}],"snippets":[],)"
                          R"("conditions":[{"name":"Pro","enabled":false}]})");
    }

    std::string StoreFile() const { return H.Workspace() + "meta/reusable_content.json"; }
    void Run() { Command.btnVariablesConditionsSnippetsClick(); }

    // The "insertHTML" arguments sent to the page.
    std::vector<std::string> Inserted() const {
        std::vector<std::string> args;
        for (const JsonValue& message : Page.Messages()) {
            const JsonValue* cmd = message.Find("cmd");
            const JsonValue* arg = message.Find("arg");
            if (cmd && cmd->Text() == "insertHTML" && arg)
                args.push_back(arg->Text());
        }
        return args;
    }
    std::vector<std::string> Infos() const { return H.Prompts.TextsOf(TMessageKind::Information); }

    MainWindowHarness H;
    testing::FakeEditorContent* Editor = nullptr;
    FakeEditorPage Page;
    TEditorBridge Bridge;
    ScriptedDialog Dialog;
    TReusableContentCommand Command{H.Window, Dialog, H.Prompts, [this] { return &Bridge; }};
};

TEST_F(ReusableContentCommandTest, CancelKeepsTheFileEvenAfterEdits) {
    const std::string before = ReadTextFileUtf8(StoreFile());
    Dialog.Act = [](TReusableDialogOutcome& o) { o.Grids.Variables[0][1] = "changed"; };
    Run();
    EXPECT_EQ(Dialog.Shown, 1);
    EXPECT_EQ(ReadTextFileUtf8(StoreFile()), before);
    EXPECT_FALSE(H.State().FProjectDirty);
    EXPECT_TRUE(Inserted().empty());
}

TEST_F(ReusableContentCommandTest, NewRowIsSavedAndItsTokenInsertedInOneStep) {
    Dialog.Act = [](TReusableDialogOutcome& o) {
        o.Grids.Variables[1] = {" A&B<C ", "Tom & Jerry"};
        o.Grids.Variables[0][0] = ""; // clearing a name deletes the entry
        o.CurrentRows[0] = 1;
        o.Result = TReusableDialogResult::InsertVariable;
    };
    Run();
    TReusableProjectContent store;
    store.LoadFromProject(H.Project());
    ASSERT_EQ(store.FVariables.size(), 1u);
    EXPECT_EQ(store.FVariables[0].Name, "A&B<C");
    EXPECT_EQ(Inserted(), std::vector<std::string>{"{var:A&amp;B&lt;C}"});
    EXPECT_EQ(Editor->FocusRequests, 1);
    EXPECT_TRUE(H.State().FProjectDirty);
}

TEST_F(ReusableContentCommandTest, EachInsertButtonTakesItsOwnGridAndRow) {
    struct TCase {
        TReusableDialogResult Result;
        std::array<int, 3> Rows;
        std::vector<std::string> Inserted;
        std::vector<std::string> Infos;
    };
    const TCase cases[] = {
        {TReusableDialogResult::InsertBeginCondition, {0, 0, 0}, {"{begincond:Pro}"}, {}},
        {TReusableDialogResult::InsertBeginCondition, {0, 0, -1}, {"{begincond:Pro}"}, {}},
        {TReusableDialogResult::InsertEndCondition, {0, 0, 7}, {"{endcond}"}, {}},
        {TReusableDialogResult::InsertSnippet,
         {0, 0, 0},
         {},
         {"Select or enter a snippet name first."}},
        {TReusableDialogResult::InsertVariable,
         {3, 0, 0},
         {},
         {"Select or enter a variable name first."}},
        {TReusableDialogResult::InsertBeginCondition,
         {0, 0, 2},
         {},
         {"Select or enter a condition name first."}},
        {TReusableDialogResult::Save, {0, 0, 0}, {}, {}},
    };
    for (const TCase& c : cases) {
        Page.Scripts.clear();
        H.Prompts.Messages.clear();
        H.State().FProjectDirty = false;
        Dialog.Act = [&c](TReusableDialogOutcome& o) {
            o.Result = c.Result;
            o.CurrentRows = c.Rows;
        };
        Run();
        EXPECT_EQ(Inserted(), c.Inserted) << static_cast<int>(c.Result);
        EXPECT_EQ(Infos(), c.Infos) << static_cast<int>(c.Result);
        EXPECT_TRUE(H.State().FProjectDirty) << "the grids were saved in every case";
    }
}

TEST_F(ReusableContentCommandTest, EditorNotReadyStillSavesWithoutInserting) {
    Editor->Ready = false;
    Dialog.Act = [](TReusableDialogOutcome& o) {
        o.Grids.Conditions[0][1] = "yes";
        o.Result = TReusableDialogResult::InsertEndCondition;
    };
    Run();
    TReusableProjectContent store;
    store.LoadFromProject(H.Project());
    EXPECT_TRUE(store.ConditionEnabled("Pro", false));
    EXPECT_TRUE(Inserted().empty());
    EXPECT_EQ(Editor->Commits, 0);
}

TEST_F(ReusableContentCommandTest, FailedSaveReportsAndNeitherMarksNorInserts) {
    std::filesystem::remove(StoreFile());
    std::filesystem::create_directories(StoreFile() + "/blocked"); // not writable as a file
    Dialog.Act = [](TReusableDialogOutcome& o) {
        o.Grids.Variables[0] = {"Product", "x"};
        o.Result = TReusableDialogResult::InsertVariable;
    };
    Run();
    EXPECT_EQ(H.Errors().size(), 1u);
    EXPECT_FALSE(H.State().FProjectDirty);
    EXPECT_TRUE(Inserted().empty());
}

TEST_F(ReusableContentCommandTest, UnreadableStoreIsReportedWithoutTheDialog) {
    WriteTextFileUtf8(StoreFile(), "[1,2]");
    Run();
    EXPECT_EQ(H.Errors(), std::vector<std::string>{StoreFile() + ": Invalid class typecast"});
    EXPECT_EQ(Dialog.Shown, 0);
}

TEST_F(ReusableContentCommandTest, NothingWithoutAProjectFolder) {
    H.Project().FRootPath.clear();
    Run();
    EXPECT_EQ(Dialog.Shown, 0);
    EXPECT_TRUE(H.Prompts.Messages.empty());
}

} // namespace
} // namespace quillmark
