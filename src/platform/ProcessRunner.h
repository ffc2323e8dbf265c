#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace quillmark {

// One run of an outside program (the help compiler, the PDF printer).
struct TProcessRequest {
    std::string Program;                 // path, or a name looked up on PATH
    std::vector<std::string> Arguments;  // passed as they are, no shell
    std::string WorkingFolder;           // empty: the current folder
    std::chrono::milliseconds Timeout{std::chrono::minutes(5)};
};

struct TProcessResult {
    bool Started = false;   // false: the program could not be started at all
    bool TimedOut = false;  // the run exceeded the timeout and was ended
    int ExitCode = -1;      // the exit status; -1 when killed by a signal or not started
    std::string Output;     // standard output and standard error, interleaved
};

// Starts a program without a window, waits for it to end (never longer than
// the timeout) and reports how it ended.
class IProcessRunner {
public:
    virtual ~IProcessRunner() = default;
    virtual TProcessResult Run(const TProcessRequest& request) = 0;
};

// The runner that starts real processes.
std::unique_ptr<IProcessRunner> MakeSystemProcessRunner();

} // namespace quillmark
