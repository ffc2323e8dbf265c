#pragma once

#include "model/DocProject.h"
#include "settings/ProjectSettings.h"

#include <map>
#include <string>

namespace quillmark {

// What the editor content works on: the open project with its settings, the
// pages edited but not yet written, and the topic shown. The window logic
// owns it (as part of its own state); the editor content reads and changes it
// through IEditorContentHost.
struct TEditingState {
    // The open project; re-filled by every new or opened project.
    TDocProject FProject;
    // Style settings of the open project.
    TProjectSettings FSettings;
    // Topic identifier to edited page HTML not yet written.
    std::map<std::string, std::string> FUnsavedTopicHtml;
    // The topic shown in the editor; empty when none.
    std::string FCurrentTopicID;
};

} // namespace quillmark
