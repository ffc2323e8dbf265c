#pragma once

#include "app/WindowPorts.h"

#include <functional>
#include <string>
#include <vector>

namespace quillmark {

class TDocProject;
class TEditorBridge;
class TMainWindow;

// The modal topic picker (TfrmPickTopic): the project's topics as a tree in
// display order, OK and Cancel.
class ITopicPicker {
public:
    virtual ~ITopicPicker() = default;
    // False, with `topicId` empty, when there is no project or the author did
    // not confirm a topic; otherwise true with the chosen topic's identifier.
    virtual bool Execute(const TDocProject* project, std::string& topicId) = 0;
};

// The picker's nodes: the project's topics in display order, each with its
// depth below the root list.
std::vector<TTocNode> TopicPickerNodes(const TDocProject& project);

// One item of the table menu (TableDropdownMenu): its caption, already
// translated, and the tag TableDropdownMenuItemClick receives.
struct TTableMenuItem {
    std::string Caption;
    int Tag = 0;
};

// The "Add Image..." dialog's filter.
inline constexpr const char* kImageFileFilter = "Images|*.png;*.jpg;*.jpeg;*.gif;*.bmp;*.webp";

// The main window's commands that insert something into the edited topic or
// act on the page's selection: the Edit menu, links, topic links, images,
// tables with their menu, and "Add HTML...". Each one only sends "exec"
// words to the editor page; the page does the editing. An error that ends a
// command is shown in an error box and nothing more is sent.
class TInsertCommands {
public:
    // `bridge` may be null (no editor page): the commands then send nothing.
    TInsertCommands(TMainWindow& window, TEditorBridge* bridge, IUserPrompts& prompts,
                    ITopicPicker& picker);

    // Edit menu.
    void Undo1Click();
    void Redo1Click();
    void Cut1Click();
    void Copy1Click();
    void Paste1Click();
    void Delete1Click();
    void SelectAll1Click();

    void btnLinkClick();
    void btnTopicLinkClick();
    void btnImageClick();
    void btnReplaceImageClick();
    void btnInsertTableClick();

    // The items of the table menu, made anew each time it opens.
    static std::vector<TTableMenuItem> TableDropdownMenuItems();
    void TableDropdownMenuItemClick(int tag);

    void btnImportHTMLClick();

private:
    void Guarded(const std::function<void()>& command);
    bool EditorReady() const;
    void FocusEditorLater();
    void Send(const std::string& cmd, const std::string& arg = "");
    void SendEditWord(const char* cmd, bool focusEditor);
    // Lets the author choose a picture, copies it into the project's image
    // folder under a free name and sends `cmd` with its relative URL.
    void InsertPicture(const char* cmd);

    TMainWindow& FWindow;
    TEditorBridge* FBridge;
    IUserPrompts& FPrompts;
    ITopicPicker& FPicker;
};

} // namespace quillmark
