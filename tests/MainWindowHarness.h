#pragma once

#include "FakeClock.h"
#include "FakeProgressDisplay.h"
#include "FakeWindowPorts.h"
#include "TempFolder.h"
#include "TestHelpers.h"
#include "app/MainWindow.h"
#include "base/FileHelpers.h"

#include <string>

namespace quillmark::testing {

// A main window on fakes, with its per-user places in a temporary folder
// and the program files of the source tree's resources folder.
class MainWindowHarness {
public:
    TempFolder Temp;
    FakeMainWindowView View;
    FakeTocTreeView Tree;
    FakeUserPrompts Prompts;
    FakeShell Shell;
    FakeProcessRunner Runner;
    FakeClock Clock;
    FakeProgressDisplay Progress;
    TMainWindow Window;

    // `emptyProgramFolder`: the program folder is "program/" of the temporary
    // folder (nothing in it) instead of the source tree's resources.
    explicit MainWindowHarness(bool emptyProgramFolder = false)
        : Window({View, Tree, Prompts, Shell, Runner, Clock}, Places(Temp, emptyProgramFolder)) {
        Window.SetProgressDisplay(Progress);
    }

    TMainWindowState& State() { return Window.State(); }
    TDocProject& Project() { return Window.State().FProject; }
    std::string Workspace() const { return Temp.Path("app/Workspace/"); }
    std::string LastProjectFile() const { return Temp.Path("app/last_project.txt"); }

    // The topic whose title is given (the first such one).
    std::string IdOf(const std::string& title) {
        for (const std::string& id : Project().FTopics.Ids())
            if (Project().GetTopic(id).FTitle == title)
                return id;
        return "";
    }

    std::vector<std::string> Errors() const { return Prompts.TextsOf(TMessageKind::Error); }
    std::vector<std::string> Warnings() const { return Prompts.TextsOf(TMessageKind::Warning); }

private:
    static TMainWindowPlaces Places(const TempFolder& temp, bool emptyProgramFolder) {
        TMainWindowPlaces places;
        places.ProgramFolder = emptyProgramFolder
                                   ? temp.Path("program/")
                                   : IncludeTrailingPathDelimiter(QUILLMARK_RESOURCES_DIR);
        places.WorkspaceFolder = temp.Path("app/Workspace/");
        places.LastProjectFile = temp.Path("app/last_project.txt");
        places.UserSettingsFile = temp.Path("app/settings.ini");
        places.CompilerPlaces.SettingsFile = places.UserSettingsFile;
        places.CompilerPlaces.ProgramFolder = temp.Path("program/");
        places.CompilerPlaces.GetEnv = [](const char*) { return std::string(); };
        return places;
    }
};

} // namespace quillmark::testing
