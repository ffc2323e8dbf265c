#pragma once

#include "model/DocProject.h"
#include "settings/ProjectSettings.h"

#include <map>
#include <string>

namespace quillmark {

// The application title: prefix of the window title and caption of every
// message box.
inline constexpr char kApplicationTitle[] = "Quillmark";

// What the main window holds for its whole life. The window logic owns one;
// the editor content reads and changes it through a reference (the current
// topic, the unsaved-page cache).
struct TMainWindowState {
    // The open project; re-filled by every new or opened project.
    TDocProject FProject;
    // Style settings of the open project.
    TProjectSettings FSettings;
    // Full path of the ".hff" file; empty for the workspace project.
    std::string FProjectFileName;
    // Changes that Save has not yet confirmed.
    bool FProjectDirty = false;
    // Topic identifier to edited page HTML not yet written.
    std::map<std::string, std::string> FUnsavedTopicHtml;
    // Full file path to text, written by the next save.
    std::map<std::string, std::string> FPendingTextFiles;
    // The topic shown in the editor; empty when none.
    std::string FCurrentTopicID;
};

} // namespace quillmark
