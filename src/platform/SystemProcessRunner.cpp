#include "platform/ProcessRunner.h"
#include "platform/ProgramSearch.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace quillmark {
namespace {

using Clock = std::chrono::steady_clock;

// More output than this is read and dropped, so that a program that writes
// without end neither blocks on a full pipe nor fills the memory.
constexpr size_t kMaxKeptOutput = 4 * 1024 * 1024;

// After the program has ended, its output pipe may still be held open by
// programs it left behind; they get this long to close it.
constexpr std::chrono::milliseconds kDrainGrace{300};

class TFd {
public:
    TFd() = default;
    explicit TFd(int fd) : FFd(fd) {}
    TFd(const TFd&) = delete;
    TFd& operator=(const TFd&) = delete;
    ~TFd() { Close(); }
    int Get() const { return FFd; }
    void Reset(int fd) {
        Close();
        FFd = fd;
    }
    void Close() {
        if (FFd >= 0)
            close(FFd);
        FFd = -1;
    }

private:
    int FFd = -1;
};

class TSpawnSetup {
public:
    TSpawnSetup() {
        posix_spawn_file_actions_init(&Actions);
        posix_spawnattr_init(&Attributes);
    }
    ~TSpawnSetup() {
        posix_spawn_file_actions_destroy(&Actions);
        posix_spawnattr_destroy(&Attributes);
    }
    TSpawnSetup(const TSpawnSetup&) = delete;
    TSpawnSetup& operator=(const TSpawnSetup&) = delete;

    posix_spawn_file_actions_t Actions;
    posix_spawnattr_t Attributes;
};

TProcessResult NotStarted(const std::string& text) {
    TProcessResult result;
    result.Output = text;
    return result;
}

int ExitCodeOf(int status) {
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Reads what the pipe holds now; false at end of file or on an error.
bool ReadAvailable(int fd, std::string& output) {
    char buffer[16384];
    for (;;) {
        const ssize_t count = read(fd, buffer, sizeof buffer);
        if (count > 0) {
            const size_t keep = std::min(static_cast<size_t>(count),
                                         kMaxKeptOutput - std::min(kMaxKeptOutput, output.size()));
            output.append(buffer, keep);
            continue;
        }
        if (count < 0 && errno == EINTR)
            continue;
        return count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
    }
}

// Waits until the pipe has data or reaches its end, at most `timeout`.
void PollPipe(int fd, std::chrono::milliseconds timeout) {
    pollfd entry{fd, POLLIN, 0};
    const int ms = static_cast<int>(std::clamp<long long>(timeout.count(), 0, 1000));
    while (poll(&entry, 1, ms) < 0 && errno == EINTR) {
    }
}

class TSystemProcessRunner final : public IProcessRunner {
public:
    TProcessResult Run(const TProcessRequest& request) override {
        const std::string program = FindProgramOnPath(request.Program);
        if (program.empty())
            return NotStarted(request.Program + ": program not found");

        int fds[2];
        if (pipe2(fds, O_CLOEXEC) != 0)
            return NotStarted(std::string("Could not create a pipe: ") + std::strerror(errno));
        TFd readEnd(fds[0]);
        TFd writeEnd(fds[1]);

        TSpawnSetup setup;
        posix_spawn_file_actions_addopen(&setup.Actions, 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_adddup2(&setup.Actions, writeEnd.Get(), 1);
        posix_spawn_file_actions_adddup2(&setup.Actions, writeEnd.Get(), 2);
        // No other file of this process reaches the program.
        posix_spawn_file_actions_addclosefrom_np(&setup.Actions, 3);
        if (!request.WorkingFolder.empty())
            posix_spawn_file_actions_addchdir_np(&setup.Actions, request.WorkingFolder.c_str());
        // A group of its own, so that a timeout ends the program together
        // with everything it started; signals as a fresh program expects.
        sigset_t noSignals;
        sigemptyset(&noSignals);
        sigset_t defaultSignals;
        sigfillset(&defaultSignals);
        posix_spawnattr_setpgroup(&setup.Attributes, 0);
        posix_spawnattr_setsigmask(&setup.Attributes, &noSignals);
        posix_spawnattr_setsigdefault(&setup.Attributes, &defaultSignals);
        posix_spawnattr_setflags(&setup.Attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK |
                                                        POSIX_SPAWN_SETSIGDEF);

        std::vector<std::string> words;
        words.push_back(program);
        words.insert(words.end(), request.Arguments.begin(), request.Arguments.end());
        std::vector<char*> argv;
        for (std::string& word : words)
            argv.push_back(word.data());
        argv.push_back(nullptr);

        pid_t pid = 0;
        const int spawnError = posix_spawn(&pid, program.c_str(), &setup.Actions, &setup.Attributes,
                                           argv.data(), environ);
        writeEnd.Close();
        if (spawnError != 0) {
            std::string text = program + ": " + std::strerror(spawnError);
            if (!request.WorkingFolder.empty())
                text += " (working folder " + request.WorkingFolder + ")";
            return NotStarted(text);
        }

        fcntl(readEnd.Get(), F_SETFL, fcntl(readEnd.Get(), F_GETFL) | O_NONBLOCK);
        TProcessResult result;
        result.Started = true;
        const auto deadline = Clock::now() + request.Timeout;
        bool pipeOpen = true;
        int status = 0;
        for (;;) {
            const pid_t done = waitpid(pid, &status, WNOHANG);
            if (done == pid)
                break;
            const auto now = Clock::now();
            if (now >= deadline) {
                kill(-pid, SIGKILL);
                while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
                }
                result.TimedOut = true;
                ReadAvailable(readEnd.Get(), result.Output);
                return result;
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now);
            if (pipeOpen) {
                PollPipe(readEnd.Get(), std::min(left, std::chrono::milliseconds(100)));
                pipeOpen = ReadAvailable(readEnd.Get(), result.Output);
            } else {
                usleep(static_cast<useconds_t>(std::min<long long>(left.count(), 20) * 1000));
            }
        }
        result.ExitCode = ExitCodeOf(status);

        const auto drainEnd = Clock::now() + kDrainGrace;
        while (pipeOpen && Clock::now() < drainEnd) {
            PollPipe(readEnd.Get(), std::chrono::milliseconds(50));
            pipeOpen = ReadAvailable(readEnd.Get(), result.Output);
        }
        // A pipe still open means the program left others of its group
        // running; they end with it.
        if (pipeOpen)
            kill(-pid, SIGKILL);
        return result;
    }
};

} // namespace

std::unique_ptr<IProcessRunner> MakeSystemProcessRunner() {
    return std::make_unique<TSystemProcessRunner>();
}

} // namespace quillmark
