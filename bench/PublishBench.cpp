// Times publishing a generated project: WebHelp, the CHM sources and the PDF
// manual document (without running the compiler or the browser), the link
// check, and opening plus saving the project. Each phase runs in a fresh
// process (this program started again with --phase) so that its peak memory
// (VmHWM) is its own. Beside the WebHelp export the run times `cp -r` of the
// produced site, the floor for writing that many files. Each figure is the
// fastest of five runs, the sizes taking turns.
//
// For projects of up to 2,000 topics it also prints the finished manual
// ("pdf-book": the document, the browser's first print for the page
// numbers, the final print and its check) and, right after each such run,
// prints the same finished manual.html once with the browser alone, the
// floor of any printed manual. The browser's own memory is not in the
// figures: only this program's.
//
// Nothing is deleted until the end of the run. On ext4 without a journal
// (this machine's disk) the inode allocator passes over every inode freed in
// the last minute (six while its inode table is being written), one by one,
// so creating thousands of files soon after deleting thousands takes several
// times longer, whoever creates them. Every timed step therefore writes into
// a folder that did not exist: the output of an earlier run is moved aside,
// not deleted. For the same reason, wait six minutes after deleting many
// files, such as after an earlier run of this program, before starting it.
//
// usage: quillmark_publish_bench [TOPICS…]   (default: 2000 10000)
//        quillmark_publish_bench --generate TOPICS FOLDER   (keep a project for profiling)
//        quillmark_publish_bench --phase PHASE PROJECT.hff
#include "ProjectGenerator.h"
#include "app/ProjectLoading.h"
#include "base/FileHelpers.h"
#include "model/DocProject.h"
#include "model/ProjectStorage.h"
#include "platform/Clock.h"
#include "platform/ProcessRunner.h"
#include "publish/LinkChecker.h"
#include "publish/OutputFormat.h"
#include "publish/PdfExport.h"
#include "publish/PublishSteps.h"
#include "settings/ProjectSettings.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

using namespace quillmark;

namespace {

double Seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

long PeakKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return -1;
}

// The largest project whose manual the bench prints.
constexpr int kMaxPrintedTopics = 2000;

// Publishes into the format's output folder as the caller left it, running
// the outside program (compiler, browser) only when asked; the time covers
// the publishing alone.
double PublishFormat(const TDocProject& project, const std::string& name, bool runOutsideProgram) {
    const IOutputFormat* format = FindOutputFormat(name);
    const TProjectSettings settings = ReadSettingsAfresh(project);
    const auto runner = MakeSystemProcessRunner();
    TSteadyClock clock;
    TPublishContext context{project, settings, *runner, clock, runOutsideProgram, {}, {}};
    return Seconds([&] { format->Publish(context); });
}

// One bare print of the finished manual that "pdf-book" left.
double PrintFinishedManual(const TDocProject& project) {
    const std::string folder = FindOutputFormat("pdf")->OutputFolder(project);
    const auto runner = MakeSystemProcessRunner();
    TSteadyClock clock;
    return Seconds([&] {
        PrintHtmlToPdf(*runner, clock, JoinPath(folder, "manual.html"),
                       JoinPath(folder, "floor.pdf"));
    });
}

// The format a phase publishes: "webhelp-again" is WebHelp over its own
// earlier output, as an author publishes again after a change; "pdf-book"
// is the printed manual. "pdf-print" publishes nothing.
std::string PhaseFormat(const std::string& phase) {
    if (phase == "webhelp-again")
        return "webhelp";
    if (phase == "pdf-book")
        return "pdf";
    return phase == "pdf-print" ? "" : phase;
}

// What a phase's floor is called in the report.
const char* FloorName(const std::string& phase) {
    if (phase == "webhelp")
        return "cp -r";
    return phase == "pdf-book" ? "one print" : "cp -rT over";
}

// One phase in this process; prints "seconds peak-kilobytes".
int RunPhase(const std::string& phase, const std::string& projectFile) {
    TDocProject project;
    double seconds = 0;
    if (phase == "open-save") {
        seconds = Seconds([&] {
            LoadProjectFromFile(projectFile, project);
            WriteProjectFile(projectFile, project);
        });
    } else {
        LoadProjectFromFile(projectFile, project);
        if (phase == "check-links")
            seconds = Seconds([&] {
                if (CheckLinks(project).size() != 0)
                    std::fprintf(stderr, "unexpected link findings\n");
            });
        else if (phase == "pdf-print")
            seconds = PrintFinishedManual(project);
        else
            seconds = PublishFormat(project, PhaseFormat(phase), phase == "pdf-book");
    }
    std::printf("%.4f %ld\n", seconds, PeakKilobytes());
    return 0;
}

struct Measure {
    double Seconds = 0;
    long PeakKb = 0;
};

// Where folders go instead of being deleted (see the top of this file).
class TSpentFolders {
public:
    explicit TSpentFolders(std::string folder) : folder_(std::move(folder)) {
        std::filesystem::create_directories(folder_);
    }
    // A fresh path inside the spent folder.
    std::string NewPath() { return folder_ + "/" + std::to_string(++count_); }
    void MoveAside(const std::string& path) {
        if (std::filesystem::exists(path))
            std::filesystem::rename(path, NewPath());
    }

private:
    std::string folder_;
    int count_ = 0;
};

std::string OutputFolderOf(const std::string& phase, const std::string& projectFile) {
    const IOutputFormat* format = FindOutputFormat(PhaseFormat(phase));
    if (format == nullptr)
        return {};
    TDocProject project;
    LoadProjectFromFile(projectFile, project);
    return format->OutputFolder(project);
}

Measure RunPhaseProcess(const std::string& phase, const std::string& projectFile,
                        TSpentFolders& spent) {
    // A first export writes into a folder that does not exist yet; publishing
    // again writes over the output the previous run left.
    if (phase != "webhelp-again")
        if (const std::string output = OutputFolderOf(phase, projectFile); !output.empty())
            spent.MoveAside(output);
    // Written data of the earlier steps goes to disk first, so that its
    // write-back does not fall into this phase's time.
    sync();
    const std::string command =
        "/proc/" + std::to_string(getpid()) + "/exe --phase " + phase + " '" + projectFile + "'";
    Measure measure;
    if (std::FILE* pipe = popen(command.c_str(), "r")) {
        if (std::fscanf(pipe, "%lf %ld", &measure.Seconds, &measure.PeakKb) != 2)
            measure.Seconds = -1;
        pclose(pipe);
    }
    return measure;
}

// Other work on the machine only ever slows a run down, so the fastest of a
// few runs is the measure.
constexpr int kRuns = 5;

double TimedCopy(const std::string& command) {
    sync();
    return Seconds([&] {
        if (std::system(command.c_str()) != 0)
            std::fprintf(stderr, "cp failed\n");
    });
}

// The floor of a first export: `cp -r` into a folder that does not exist.
double CopyFloor(const std::string& from, TSpentFolders& spent) {
    return TimedCopy("cp -r '" + from + "' '" + spent.NewPath() + "'");
}

// The floor of publishing again: `cp -rT` over an earlier copy, which opens
// each existing file and writes it anew.
double CopyOverFloor(const std::string& from, const std::string& earlierCopy) {
    return TimedCopy("cp -rT '" + from + "' '" + earlierCopy + "'");
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--phase")
        return RunPhase(argv[2], argv[3]);
    if (argc == 4 && std::string(argv[1]) == "--generate") {
        std::printf("%s\n", bench::GenerateProject(argv[3], std::atoi(argv[2])).c_str());
        return 0;
    }

    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(std::atoi(argv[i]));
    if (sizes.empty())
        sizes = {2000, 10000};

    std::vector<std::string> phases = {"webhelp", "webhelp-again"};
    for (const char* optional : {"chm", "pdf"})
        if (FindOutputFormat(optional) != nullptr)
            phases.push_back(optional);
    phases.push_back("check-links");
    phases.push_back("open-save");
    phases.push_back("pdf-book");

    const std::string base =
        (std::filesystem::temp_directory_path() / "quillmark-publish-bench").string();
    std::filesystem::remove_all(base);
    TSpentFolders spent(base + "/spent");

    struct TSizeRun {
        int Topics = 0;
        std::string ProjectFile;
        std::string Site;        // the WebHelp output
        std::string EarlierCopy; // the copy that `cp -rT` writes over
        std::map<std::string, Measure> Best;
        std::map<std::string, double> BestFloor;
    };
    std::vector<TSizeRun> runs;
    for (const int topics : sizes) {
        std::printf("generating %d topics…\n", topics);
        std::fflush(stdout);
        const std::string folder = base + "/" + std::to_string(topics);
        runs.push_back({topics, bench::GenerateProject(folder, topics),
                        folder + "/Generated/build/webhelp", "", {}, {}});
    }

    // The floors of the WebHelp phases run right after each of their runs,
    // and the sizes take turns, so that what is compared sees the machine in
    // the same state: the time to write new data here swings several-fold
    // from minute to minute.
    const auto floorOf = [&](const std::string& phase, TSizeRun& run) -> double {
        if (phase == "webhelp")
            return CopyFloor(run.Site, spent);
        if (phase == "pdf-book")
            return RunPhaseProcess("pdf-print", run.ProjectFile, spent).Seconds;
        if (phase != "webhelp-again")
            return 0;
        if (run.EarlierCopy.empty()) {
            run.EarlierCopy = spent.NewPath();
            TimedCopy("cp -r '" + run.Site + "' '" + run.EarlierCopy + "'");
        }
        return CopyOverFloor(run.Site, run.EarlierCopy);
    };
    for (int round = 0; round < kRuns; ++round)
        for (const std::string& phase : phases)
            for (TSizeRun& run : runs) {
                if (phase == "pdf-book" && run.Topics > kMaxPrintedTopics)
                    continue;
                const Measure m = RunPhaseProcess(phase, run.ProjectFile, spent);
                Measure& best = run.Best[phase];
                if (round == 0 || m.Seconds < best.Seconds)
                    best.Seconds = m.Seconds;
                best.PeakKb = std::max(best.PeakKb, m.PeakKb);
                const double floor = floorOf(phase, run);
                if (floor > 0 && (round == 0 || floor < run.BestFloor[phase]))
                    run.BestFloor[phase] = floor;
            }

    for (const TSizeRun& run : runs) {
        std::printf("\n%d topics, fastest of %d runs\n", run.Topics, kRuns);
        std::printf("%-13s %9s %12s %9s\n", "phase", "seconds", "topics/s", "peak MB");
        for (const std::string& phase : phases) {
            if (run.Best.count(phase) == 0)
                continue; // not run at this size
            const Measure& m = run.Best.at(phase);
            std::printf("%-13s %9.3f %12.0f %9.1f\n", phase.c_str(), m.Seconds,
                        run.Topics / m.Seconds, m.PeakKb / 1024.0);
            if (const auto floor = run.BestFloor.find(phase); floor != run.BestFloor.end())
                std::printf("  %-11s %9.3f   (%s = %.2f x this floor)\n", FloorName(phase),
                            floor->second, phase.c_str(), m.Seconds / floor->second);
        }
    }
    if (runs.size() >= 2) {
        const TSizeRun& small = runs.front();
        const TSizeRun& large = runs.back();
        std::printf("\ncost ratio %d / %d topics (linear: %.1f)\n", large.Topics, small.Topics,
                    static_cast<double>(large.Topics) / small.Topics);
        for (const std::string& phase : phases)
            if (large.Best.count(phase) != 0 && small.Best.count(phase) != 0)
                std::printf("%-13s %6.2f\n", phase.c_str(),
                            large.Best.at(phase).Seconds / small.Best.at(phase).Seconds);
        for (const auto& [phase, floor] : large.BestFloor)
            if (small.BestFloor.count(phase) != 0)
                std::printf("%-13s %6.2f  (its floor)\n", phase.c_str(),
                            floor / small.BestFloor.at(phase));
    }
    std::filesystem::remove_all(base);
    sync();
    return 0;
}
