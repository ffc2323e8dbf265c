#pragma once

#include "editor/EditingState.h"

#include <map>
#include <string>

namespace quillmark {

// The application title: prefix of the window title and caption of every
// message box.
inline constexpr char kApplicationTitle[] = "Quillmark";

// What the main window holds for its whole life: the editing state it shares
// with the editor content (project, settings, unsaved pages, current topic)
// and what only the window logic uses. The window logic owns one.
struct TMainWindowState : TEditingState {
    // Full path of the ".hff" file; empty for the workspace project.
    std::string FProjectFileName;
    // Changes that Save has not yet confirmed.
    bool FProjectDirty = false;
    // Full file path to text, written by the next save.
    std::map<std::string, std::string> FPendingTextFiles;
};

} // namespace quillmark
