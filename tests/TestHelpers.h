#pragma once

#include "base/QuillError.h"

#include <csignal>
#include <functional>
#include <string>
#include <sys/resource.h>

namespace quillmark::testing {

// The message of the QuillError that `action` raises, or "" when it raises none.
inline std::string ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const QuillError& e) {
        return e.what();
    }
    return "";
}

// Runs `action` while no file may grow beyond `bytes`, which makes writes
// fail the way a full disk does (and works for root, unlike a read-only
// folder); returns the message of the QuillError it raised, or "".
inline std::string ErrorUnderFileSizeLimit(rlim_t bytes, const std::function<void()>& action) {
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = old;
    limited.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limited);
    std::string error = ErrorOf(action);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    return error;
}

} // namespace quillmark::testing
