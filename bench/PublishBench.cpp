// Times publishing a generated project: WebHelp, the CHM sources and the PDF
// manual document (without running the compiler or the browser), the link
// check, and opening plus saving the project. Each phase runs in a fresh
// process (this program started again with --phase) so that its peak memory
// (VmHWM) is its own. Beside the WebHelp export the run times `cp -r` of the
// produced site, the floor for writing that many files. Each figure is the
// fastest of three runs.
//
// usage: quillmark_publish_bench [TOPICS…]   (default: 2000 10000)
//        quillmark_publish_bench --generate TOPICS FOLDER   (keep a project for profiling)
//        quillmark_publish_bench --phase PHASE PROJECT.hff
#include "ProjectGenerator.h"
#include "app/ProjectLoading.h"
#include "base/FileHelpers.h"
#include "model/DocProject.h"
#include "model/ProjectStorage.h"
#include "platform/ProcessRunner.h"
#include "publish/LinkChecker.h"
#include "publish/OutputFormat.h"
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

// Publishes into a fresh output folder, without the compiler or the browser;
// the time covers the publishing alone.
double PublishFormat(const TDocProject& project, const std::string& name) {
    const IOutputFormat* format = FindOutputFormat(name);
    const TProjectSettings settings = ReadSettingsAfresh(project);
    const auto runner = MakeSystemProcessRunner();
    TPublishContext context{project, settings, *runner, false, {}, {}};
    std::filesystem::remove_all(format->OutputFolder(project));
    return Seconds([&] { format->Publish(context); });
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
        else
            seconds = PublishFormat(project, phase);
    }
    std::printf("%.4f %ld\n", seconds, PeakKilobytes());
    return 0;
}

struct Measure {
    double Seconds = 0;
    long PeakKb = 0;
};

Measure RunPhaseProcess(const std::string& phase, const std::string& projectFile) {
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
constexpr int kRuns = 3;

Measure Fastest(int runs, const std::function<Measure()>& run) {
    Measure best = run();
    for (int i = 1; i < runs; ++i) {
        const Measure next = run();
        if (next.Seconds < best.Seconds)
            best.Seconds = next.Seconds;
        best.PeakKb = std::max(best.PeakKb, next.PeakKb);
    }
    return best;
}

double CopyFloor(const std::string& from, const std::string& to) {
    std::filesystem::remove_all(to);
    sync();
    const std::string command = "cp -r '" + from + "' '" + to + "'";
    double seconds = Seconds([&] {
        if (std::system(command.c_str()) != 0)
            std::fprintf(stderr, "cp failed\n");
    });
    std::filesystem::remove_all(to);
    return seconds;
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

    std::vector<std::string> phases = {"webhelp"};
    for (const char* optional : {"chm", "pdf"})
        if (FindOutputFormat(optional) != nullptr)
            phases.push_back(optional);
    phases.push_back("check-links");
    phases.push_back("open-save");

    const std::string base =
        (std::filesystem::temp_directory_path() / "quillmark-publish-bench").string();
    std::map<std::string, std::map<int, double>> seconds;
    for (const int topics : sizes) {
        const std::string folder = base + "/" + std::to_string(topics);
        std::printf("\n%d topics (generating…)\n", topics);
        std::fflush(stdout);
        const std::string projectFile = bench::GenerateProject(folder, topics);
        std::printf("%-12s %9s %12s %9s\n", "phase", "seconds", "topics/s", "peak MB");
        for (const std::string& phase : phases) {
            const Measure m = Fastest(kRuns, [&] { return RunPhaseProcess(phase, projectFile); });
            seconds[phase][topics] = m.Seconds;
            std::printf("%-12s %9.3f %12.0f %9.1f\n", phase.c_str(), m.Seconds, topics / m.Seconds,
                        m.PeakKb / 1024.0);
            std::fflush(stdout);
        }
        const double floor =
            Fastest(kRuns, [&] {
                return Measure{CopyFloor(folder + "/Generated/build/webhelp", folder + "/copy"), 0};
            }).Seconds;
        std::printf("%-12s %9.3f   (WebHelp export = %.2f x the copy)\n", "cp -r site", floor,
                    seconds["webhelp"][topics] / floor);
        std::filesystem::remove_all(folder);
    }
    if (sizes.size() >= 2) {
        const int small = sizes.front();
        const int large = sizes.back();
        std::printf("\ncost ratio %d / %d topics (linear: %.1f)\n", large, small,
                    static_cast<double>(large) / small);
        for (const std::string& phase : phases)
            std::printf("%-12s %6.2f\n", phase.c_str(),
                        seconds[phase][large] / seconds[phase][small]);
    }
    return 0;
}
