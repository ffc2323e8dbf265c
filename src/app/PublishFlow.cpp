#include "app/PublishFlow.h"

#include "app/WindowPorts.h"
#include "base/FileHelpers.h"
#include "base/TextUtils.h"
#include "base/Translation.h"
#include "platform/Shell.h"

#include <exception>

namespace quillmark {

namespace {

// The progress callback of one job: every line becomes a step named by the
// job, and a pressed Cancel ends the job there.
std::function<void(const std::string&)> StepReporter(IProgressDisplay& display,
                                                     const std::string& jobName) {
    return [&display, jobName](const std::string& line) {
        if (display.CancelRequested())
            throw TWorkCancelled();
        display.Step(jobName + ": " + line);
    };
}

TWorkOutcome RunOneJob(IProgressDisplay& display, const TPublishContext& base,
                       const TPublishJob& job) {
    TWorkOutcome outcome{job.Name, {}, job.Folder, {}, false};
    TPublishContext context = base;
    context.Progress = StepReporter(display, job.Name);
    try {
        context.Progress(Translate("Starting"));
        display.Run([&] { outcome.File = job.Publish(context); });
    } catch (const TWorkCancelled&) {
        outcome.Cancelled = true;
    } catch (const std::exception& failure) {
        outcome.Error = failure.what();
    }
    return outcome;
}

} // namespace

std::vector<TWorkOutcome> RunPublishJobs(IProgressDisplay& display, const std::string& title,
                                         const TPublishContext& base,
                                         const std::vector<TPublishJob>& jobs) {
    display.Begin(title);
    std::vector<TWorkOutcome> outcomes;
    bool cancelled = false;
    for (const TPublishJob& job : jobs) {
        if (cancelled) {
            outcomes.push_back({job.Name, {}, job.Folder, {}, true});
            continue;
        }
        outcomes.push_back(RunOneJob(display, base, job));
        cancelled = outcomes.back().Cancelled;
    }
    return outcomes;
}

void OpenFolderShowingFailure(const std::string& folder, IShell& shell, IUserPrompts& prompts) {
    try {
        EnsureDir(folder);
    } catch (const std::exception& failure) {
        prompts.ShowError(failure.what());
        return;
    }
    if (!shell.OpenPath(folder))
        prompts.ShowError(Translate("The folder could not be opened:") + "\r\n\r\n" + folder);
}

void OpenChosenOutcome(const TOutcomeChoice& choice, const std::vector<TWorkOutcome>& outcomes,
                       IShell& shell, IUserPrompts& prompts) {
    if (choice.Action == TOutcomeAction::None || choice.Index >= outcomes.size())
        return;
    const TWorkOutcome& outcome = outcomes[choice.Index];
    if (choice.Action == TOutcomeAction::OpenFolder) {
        OpenFolderShowingFailure(outcome.Folder, shell, prompts);
        return;
    }
    if (outcome.File.empty() || !shell.OpenPath(outcome.File))
        prompts.ShowError(Translate("The file could not be opened:") + "\r\n\r\n" + outcome.File);
}

} // namespace quillmark
