#pragma once

#include "app/ProgressDisplay.h"
#include "publish/OutputFormat.h"

#include <functional>
#include <string>
#include <vector>

namespace quillmark {

class IShell;
class IUserPrompts;

// One output of a publishing run.
struct TPublishJob {
    std::string Name;   // shown to the author, translated ("WebHelp")
    std::string Folder; // the output folder, opened from the outcome
    // Writes the output with the context given and returns its main file.
    std::function<std::string(const TPublishContext&)> Publish;
};

// Publishes the jobs one after the other under one progress display (Begin,
// Run, one outcome per job) and returns the outcomes without finishing the
// display. Each job's progress lines appear as steps named by the job. A
// failing job does not stop the ones after it. Cancel takes effect at the
// next step: the job under way is reported cancelled (its output folder may
// be incomplete; the project itself is only read) and the jobs after it are
// not run. `base` gives every job its project, settings, runner and clock.
std::vector<TWorkOutcome> RunPublishJobs(IProgressDisplay& display, const std::string& title,
                                         const TPublishContext& base,
                                         const std::vector<TPublishJob>& jobs);

// Does what the author chose in the finished display: opens the file or the
// folder of the chosen outcome, with an error box naming it when the
// desktop cannot open it. A folder that is not there yet is made first.
void OpenChosenOutcome(const TOutcomeChoice& choice, const std::vector<TWorkOutcome>& outcomes,
                       IShell& shell, IUserPrompts& prompts);

// Opens a folder of the project's with the desktop, making it first when
// it does not exist yet; an error box names it when it cannot be opened.
void OpenFolderShowingFailure(const std::string& folder, IShell& shell, IUserPrompts& prompts);

} // namespace quillmark
