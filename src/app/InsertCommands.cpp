#include "app/InsertCommands.h"

#include "app/MainWindow.h"
#include "base/Json.h"
#include "base/TextUtils.h"
#include "base/Translation.h"
#include "editor/EditorBridge.h"
#include "model/TopicTreeOrder.h"

#include <cstdint>
#include <exception>

namespace quillmark {

std::vector<TTocNode> TopicPickerNodes(const TDocProject& project) {
    std::vector<TTocNode> nodes;
    for (const TTopicTreeEntry& entry : TopicTreeOrder(project))
        nodes.push_back({entry.Id, project.GetTopic(entry.Id).FTitle, entry.Depth});
    return nodes;
}

TInsertCommands::TInsertCommands(TMainWindow& window, TEditorBridge* bridge, IUserPrompts& prompts,
                                 ITopicPicker& picker)
    : FWindow(window), FBridge(bridge), FPrompts(prompts), FPicker(picker) {}

void TInsertCommands::Guarded(const std::function<void()>& command) {
    try {
        command();
    } catch (const std::exception& e) {
        FPrompts.ShowError(e.what());
    }
}

bool TInsertCommands::EditorReady() const {
    return FWindow.Editor().IsEditorReady();
}

void TInsertCommands::FocusEditorLater() {
    FWindow.Editor().FocusEditorLater();
}

void TInsertCommands::Send(const std::string& cmd, const std::string& arg) {
    if (FBridge != nullptr)
        FBridge->ExecCommand(cmd, arg);
}

// The Edit menu's words go to the page whether or not it has reported ready.
void TInsertCommands::SendEditWord(const char* cmd, bool focusEditor) {
    Guarded([&] {
        Send(cmd);
        if (focusEditor)
            FocusEditorLater();
    });
}

void TInsertCommands::Undo1Click() {
    SendEditWord("undo", true);
}

void TInsertCommands::Redo1Click() {
    SendEditWord("redo", true);
}

void TInsertCommands::Cut1Click() {
    SendEditWord("cut", true);
}

void TInsertCommands::Copy1Click() {
    SendEditWord("copy", true);
}

// Focus stays where it is: the page may still be reading the clipboard.
void TInsertCommands::Paste1Click() {
    SendEditWord("paste", false);
}

void TInsertCommands::Delete1Click() {
    SendEditWord("delete", true);
}

void TInsertCommands::SelectAll1Click() {
    SendEditWord("selectAll", true);
}

// The address goes to the page as typed: "https://" unchanged stays, and an
// empty text sends "link" without an argument (the page removes the link).
void TInsertCommands::btnLinkClick() {
    Guarded([&] {
        const std::optional<std::string> url =
            FPrompts.InputText(Translate("Insert Link"), Translate("URL:"), "https://");
        if (url)
            Send("link", *url);
    });
}

// The page receives a JSON text inside the "arg" string and parses it again.
void TInsertCommands::btnTopicLinkClick() {
    Guarded([&] {
        const TDocProject& project = FWindow.State().FProject;
        std::string id;
        if (!FPicker.Execute(&project, id) || id.empty() || !project.HasTopic(id))
            return;
        JsonValue link = JsonValue::Object();
        link.Add("href", JsonValue::String("doc:" + id));
        link.Add("text", JsonValue::String(project.GetTopic(id).FTitle));
        Send("topicLink", WriteJson(link));
    });
}

// "rows,cols": both whole numbers above 0 insert a table; other numbers
// insert nothing, and a text without a comma does nothing at all.
void TInsertCommands::btnInsertTableClick() {
    Guarded([&] {
        if (!EditorReady())
            return;
        const std::optional<std::string> size =
            FPrompts.InputText(Translate("Insert Table"), Translate("Rows,Cols"), "2,2");
        if (!size)
            return;
        const size_t comma = size->find(',');
        if (comma == std::string::npos)
            return;
        const int32_t rows = WholeNumberOrZero(Trim(size->substr(0, comma)));
        const int32_t cols = WholeNumberOrZero(Trim(size->substr(comma + 1)));
        if (rows > 0 && cols > 0 && FBridge != nullptr)
            FBridge->InsertTable(rows, cols);
        FocusEditorLater();
    });
}

std::vector<TTableMenuItem> TInsertCommands::TableDropdownMenuItems() {
    return {{Translate("Insert Row"), 1},
            {Translate("Remove Row"), 2},
            {Translate("Insert Column"), 3},
            {Translate("Remove Column"), 4}};
}

// The page acts on the table cell at its caret; no argument is sent.
void TInsertCommands::TableDropdownMenuItemClick(int tag) {
    Guarded([&] {
        if (!EditorReady())
            return;
        switch (tag) {
        case 1:
            Send("insertTableRowAfter");
            break;
        case 2:
            Send("removeTableRow");
            break;
        case 3:
            Send("insertTableColumnAfter");
            break;
        case 4:
            Send("removeTableColumn");
            break;
        default:
            break;
        }
        FocusEditorLater();
    });
}

} // namespace quillmark
