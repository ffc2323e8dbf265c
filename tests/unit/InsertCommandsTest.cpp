#include "app/InsertCommands.h"

#include "FakeEditorPage.h"
#include "FakeInsertPorts.h"
#include "MainWindowHarness.h"
#include "base/FileHelpers.h"
#include "base/Json.h"
#include "editor/EditorBridge.h"
#include "editor/HtmlImportCommand.h"

#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <map>

namespace quillmark {
namespace {

using ::testing::ElementsAre;
using testing::FakeEditorContent;
using testing::FakeEditorPage;
using testing::FakeTopicPicker;
using testing::InputRecordingPrompts;
using ::testing::IsEmpty;
using testing::MainWindowHarness;
namespace fs = std::filesystem;

// Every file below `folder`, relative to it, with its bytes.
std::map<std::string, std::string> FilesBelow(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), folder).string()] = ReadFileBytes(entry.path());
    return files;
}

// The insert commands of a main window on fakes: a project with the topics
// "Intro" and "Über" (a child of Intro), "Intro" current, and a ready page.
class InsertCommandsTest : public ::testing::Test {
protected:
    InsertCommandsTest()
        : bridge(&page), prompts(h.Prompts), commands(h.Window, &bridge, prompts, picker) {
        auto content = std::make_unique<FakeEditorContent>();
        editor = content.get();
        h.Window.SetEditorContent(std::move(content));
        TDocProject& project = h.Project();
        project.FRootPath = h.Temp.Path("project/");
        intro = project.AddTopic("Intro", "").FID;
        umlaut = project
                     .AddTopic("\xC3\x9C"
                               "ber",
                               intro)
                     .FID;
        h.State().FCurrentTopicID = intro;
    }

    // The "exec" messages sent so far as "cmd" or "cmd arg"; each must carry
    // the origin "user".
    std::vector<std::string> Sent() const {
        std::vector<std::string> sent;
        for (const JsonValue& message : page.Messages()) {
            const JsonValue* type = message.Find("type");
            if (type == nullptr || type->Text() != "exec")
                continue;
            const JsonValue* origin = message.Find("origin");
            EXPECT_TRUE(origin != nullptr && origin->Text() == "user");
            std::string line = message.Find("cmd")->Text();
            if (const JsonValue* arg = message.Find("arg"))
                line += " " + arg->Text();
            sent.push_back(line);
        }
        return sent;
    }

    void ClearSent() { page.Scripts.clear(); }

    std::string WriteSource(const std::string& relative, const std::string& bytes) {
        const std::string path = h.Temp.Path("source/" + relative);
        WriteTextFileUtf8(path, bytes);
        return path;
    }

    MainWindowHarness h;
    FakeEditorPage page;
    TEditorBridge bridge;
    InputRecordingPrompts prompts;
    FakeTopicPicker picker;
    TInsertCommands commands;
    FakeEditorContent* editor = nullptr;
    std::string intro;
    std::string umlaut;
};

TEST_F(InsertCommandsTest, EditMenuSendsItsWordEvenBeforeThePageIsReady) {
    const struct {
        void (TInsertCommands::*Handler)();
        const char* Word;
        bool Focus;
    } cases[] = {
        {&TInsertCommands::Undo1Click, "undo", true},
        {&TInsertCommands::Redo1Click, "redo", true},
        {&TInsertCommands::Cut1Click, "cut", true},
        {&TInsertCommands::Copy1Click, "copy", true},
        {&TInsertCommands::Paste1Click, "paste", false},
        {&TInsertCommands::Delete1Click, "delete", true},
        {&TInsertCommands::SelectAll1Click, "selectAll", true},
    };
    editor->Ready = false;
    for (const auto& c : cases) {
        ClearSent();
        const int focusBefore = editor->FocusRequests;
        (commands.*c.Handler)();
        EXPECT_THAT(Sent(), ElementsAre(c.Word));
        EXPECT_EQ(editor->FocusRequests - focusBefore, c.Focus ? 1 : 0) << c.Word;
    }
}

TEST_F(InsertCommandsTest, LinkSendsTheAddressAsTyped) {
    editor->Ready = false;
    h.Prompts.Inputs = {"https://example.com/a b", "https://", "", std::nullopt};
    for (int i = 0; i < 4; ++i)
        commands.btnLinkClick();

    ASSERT_EQ(prompts.InputRequests.size(), 4u);
    EXPECT_EQ(prompts.InputRequests[0].Caption, "Insert Link");
    EXPECT_EQ(prompts.InputRequests[0].Prompt, "URL:");
    EXPECT_EQ(prompts.InputRequests[0].InitialText, "https://");
    // An empty address goes without "arg"; the cancelled box sends nothing.
    EXPECT_THAT(Sent(), ElementsAre("link https://example.com/a b", "link https://", "link"));
    EXPECT_EQ(editor->FocusRequests, 0);
}

TEST_F(InsertCommandsTest, TopicLinkSendsHrefAndTitleAsAsciiJson) {
    picker.Answers = {umlaut};
    commands.btnTopicLinkClick();

    ASSERT_THAT(picker.Shown, ElementsAre(&h.Project()));
    const std::vector<JsonValue> messages = page.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Find("cmd")->Text(), "topicLink");
    const std::string arg = messages[0].Find("arg")->Text();
    EXPECT_EQ(arg, "{\"href\":\"doc:" + umlaut + "\",\"text\":\"\\u00DCber\"}");
    const std::optional<JsonValue> link = ParseJson(arg);
    ASSERT_TRUE(link);
    EXPECT_EQ(link->Find("text")->Text(), "\xC3\x9C"
                                          "ber");
    EXPECT_EQ(editor->FocusRequests, 0);
}

TEST_F(InsertCommandsTest, TopicLinkSendsNothingWithoutAKnownTopic) {
    picker.Answers = {std::nullopt, std::string(), std::string("0123456789ABCDEF0123456789ABCDEF")};
    for (int i = 0; i < 3; ++i)
        commands.btnTopicLinkClick();
    EXPECT_EQ(picker.Shown.size(), 3u);
    EXPECT_THAT(Sent(), IsEmpty());
    EXPECT_THAT(h.Errors(), IsEmpty());
}

TEST_F(InsertCommandsTest, TableSizeIsCheckedBeforeInserting) {
    const struct {
        const char* Typed;
        const char* Sent; // "" when no table is inserted
        bool Focus;
    } cases[] = {
        {"2,2", "table 2,2", true},  {"3, 4", "table 3,4", true}, {" 3 ,\t4 ", "table 3,4", true},
        {"+3,4", "table 3,4", true}, {"3x4", "", false},          {"", "", false},
        {"0,4", "", true},           {"4,0", "", true},           {"-1,2", "", true},
        {"3,abc", "", true},         {"3.5,2", "", true},         {"3,4,5", "", true},
        {"99999999999,2", "", true},
    };
    for (const auto& c : cases) {
        ClearSent();
        const int focusBefore = editor->FocusRequests;
        h.Prompts.Inputs = {std::string(c.Typed)};
        commands.btnInsertTableClick();
        if (*c.Sent == '\0')
            EXPECT_THAT(Sent(), IsEmpty()) << c.Typed;
        else
            EXPECT_THAT(Sent(), ElementsAre(c.Sent)) << c.Typed;
        EXPECT_EQ(editor->FocusRequests - focusBefore, c.Focus ? 1 : 0) << c.Typed;
    }
    EXPECT_EQ(prompts.InputRequests.back().Caption, "Insert Table");
    EXPECT_EQ(prompts.InputRequests.back().Prompt, "Rows,Cols");
    EXPECT_EQ(prompts.InputRequests.back().InitialText, "2,2");
}

TEST_F(InsertCommandsTest, TableCommandsWaitForAReadyPage) {
    editor->Ready = false;
    h.Prompts.Inputs = {std::string("2,2")};
    commands.btnInsertTableClick();
    for (int tag = 1; tag <= 4; ++tag)
        commands.TableDropdownMenuItemClick(tag);
    EXPECT_THAT(prompts.InputRequests, IsEmpty());
    EXPECT_THAT(Sent(), IsEmpty());
    EXPECT_EQ(editor->FocusRequests, 0);

    // A cancelled size box does nothing at all.
    editor->Ready = true;
    h.Prompts.Inputs = {std::nullopt};
    commands.btnInsertTableClick();
    EXPECT_THAT(Sent(), IsEmpty());
    EXPECT_EQ(editor->FocusRequests, 0);
}

TEST_F(InsertCommandsTest, TableMenuItemsSendTheirWordAtTheCaret) {
    const std::vector<TTableMenuItem> items = TInsertCommands::TableDropdownMenuItems();
    ASSERT_EQ(items.size(), 4u);
    std::vector<std::string> captions;
    for (const TTableMenuItem& item : items) {
        captions.push_back(item.Caption);
        commands.TableDropdownMenuItemClick(item.Tag);
    }
    EXPECT_THAT(captions,
                ElementsAre("Insert Row", "Remove Row", "Insert Column", "Remove Column"));
    EXPECT_THAT(Sent(), ElementsAre("insertTableRowAfter", "removeTableRow",
                                    "insertTableColumnAfter", "removeTableColumn"));

    ClearSent();
    commands.TableDropdownMenuItemClick(5);
    EXPECT_THAT(Sent(), IsEmpty());
    EXPECT_EQ(editor->FocusRequests, 5);
}

TEST_F(InsertCommandsTest, SamePictureTwiceGetsAFreeNameInTheImageFolder) {
    const std::string photo = WriteSource("pics/photo.png", "PNG-1");
    h.Prompts.OpenAnswers = {photo, photo, photo};
    commands.btnImageClick();
    commands.btnImageClick();
    commands.btnReplaceImageClick();

    EXPECT_THAT(Sent(),
                ElementsAre("image assets/images/photo.png", "image assets/images/photo_2.png",
                            "replaceSelectedImage assets/images/photo_3.png"));
    EXPECT_EQ(editor->FocusRequests, 3);
    ASSERT_EQ(h.Prompts.OpenRequests.size(), 3u);
    EXPECT_EQ(h.Prompts.OpenRequests[0].Filter, kImageFileFilter);
    EXPECT_TRUE(h.Prompts.OpenRequests[0].MustExist);
    // The copies are the only files written, all in the image folder.
    std::map<std::string, std::string> written = FilesBelow(h.Project().FRootPath);
    EXPECT_EQ(written,
              (std::map<std::string, std::string>{{"assets/images/photo.png", "PNG-1"},
                                                  {"assets/images/photo_2.png", "PNG-1"},
                                                  {"assets/images/photo_3.png", "PNG-1"}}));
    EXPECT_EQ(ReadFileBytes(photo), "PNG-1");
}

TEST_F(InsertCommandsTest, PictureCommandsNeedAReadyPageAndAChosenFile) {
    editor->Ready = false;
    commands.btnImageClick();
    commands.btnReplaceImageClick();
    EXPECT_THAT(h.Prompts.OpenRequests, IsEmpty());

    editor->Ready = true;
    commands.btnImageClick(); // the dialog is cancelled
    EXPECT_EQ(h.Prompts.OpenRequests.size(), 1u);
    EXPECT_THAT(Sent(), IsEmpty());
    EXPECT_EQ(editor->FocusRequests, 0);
    EXPECT_FALSE(fs::exists(h.Project().FRootPath + "assets"));
}

TEST_F(InsertCommandsTest, FailedPictureCopyIsReportedAndSendsNothing) {
    h.Prompts.OpenAnswers = {h.Temp.Path("source/missing.png")};
    commands.btnImageClick();
    ASSERT_EQ(h.Errors().size(), 1u);
    EXPECT_THAT(h.Errors()[0], ::testing::HasSubstr("missing.png"));
    EXPECT_THAT(Sent(), IsEmpty());
    EXPECT_EQ(editor->FocusRequests, 0);
    EXPECT_THAT(FilesBelow(h.Project().FRootPath), IsEmpty());
}

TEST_F(InsertCommandsTest, ImportedHtmlIsInsertedAsTheAuthorsChange) {
    const std::string page_ = WriteSource("doc/page.html", "<html><body><p>Hi</p></body></html>");
    h.Prompts.OpenAnswers = {page_};
    commands.btnImportHTMLClick();

    EXPECT_THAT(Sent(), ElementsAre("insertHTML <p>Hi</p>"));
    EXPECT_TRUE(h.State().FProjectDirty);
    EXPECT_EQ(h.View.Status, "Inserted HTML: page.html");
    EXPECT_EQ(editor->FocusRequests, 1);
    ASSERT_EQ(h.Prompts.OpenRequests.size(), 1u);
    EXPECT_EQ(h.Prompts.OpenRequests[0].Filter, kHtmlImportFileFilter);
    EXPECT_TRUE(h.Prompts.OpenRequests[0].MustExist);
}

TEST_F(InsertCommandsTest, ImportTellsWhyNothingWasInserted) {
    const std::string empty = WriteSource("doc/empty.html", "<html><body> </body></html>");
    const struct {
        bool Ready;
        bool HasTopic;
        std::optional<std::string> Chosen;
        const char* Information; // "" when no message is expected
    } cases[] = {
        {true, false, empty, "Please open or create a project and select a topic first."},
        {false, true, empty, "The editor is not ready yet."},
        {true, true, empty, "The selected HTML file does not contain importable body content."},
        {true, true, std::nullopt, ""},
    };
    for (const auto& c : cases) {
        h.Prompts.Messages.clear();
        editor->Ready = c.Ready;
        h.State().FCurrentTopicID = c.HasTopic ? intro : "";
        h.Prompts.OpenAnswers = {c.Chosen};
        commands.btnImportHTMLClick();
        const std::vector<std::string> shown = h.Prompts.TextsOf(TMessageKind::Information);
        if (*c.Information == '\0')
            EXPECT_THAT(shown, IsEmpty());
        else
            EXPECT_THAT(shown, ElementsAre(c.Information));
        h.Prompts.OpenAnswers.clear();
    }
    EXPECT_THAT(Sent(), IsEmpty());
    EXPECT_FALSE(h.State().FProjectDirty);
    EXPECT_EQ(editor->FocusRequests, 0);
}

TEST_F(InsertCommandsTest, CommandsWithoutABridgeSendNothing) {
    TInsertCommands detached(h.Window, nullptr, prompts, picker);
    h.Prompts.Inputs = {std::string("https://x"), std::string("2,2")};
    detached.Undo1Click();
    detached.btnLinkClick();
    detached.btnInsertTableClick();
    const std::string page_ = WriteSource("doc/page.html", "<p>x</p>");
    h.Prompts.OpenAnswers = {page_};
    detached.btnImportHTMLClick();
    EXPECT_THAT(page.Scripts, IsEmpty());
    EXPECT_THAT(h.Prompts.TextsOf(TMessageKind::Information),
                ElementsAre("The editor is not ready yet."));
}

TEST(TopicPickerNodesTest, DisplayOrderWithDepthsSkippingUnknownTopics) {
    TDocProject project;
    project.FRootPath = (fs::temp_directory_path() / "quillmark-picker-nodes/").string();
    const std::string a = project.AddTopic("A", "").FID;
    const std::string a1 = project.AddTopic("A1", a).FID;
    project.AddTopic("A1x", a1);
    project.AddTopic("B", "");
    project.FRootTopicIDs.insert(project.FRootTopicIDs.begin() + 1, "MISSING");
    project.GetTopic(a).FChildren.push_back("ALSO-MISSING");

    std::vector<std::string> outline;
    for (const TTocNode& node : TopicPickerNodes(project))
        outline.push_back(std::string(2 * node.Depth, ' ') + node.Title);
    EXPECT_THAT(outline, ElementsAre("A", "  A1", "    A1x", "B"));
    fs::remove_all(project.FRootPath);
}

} // namespace
} // namespace quillmark
