#pragma once

#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace quillmark::cli {

// Wrong usage of a command (exit code 2), as opposed to a failure (1).
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The words after the command name: positional arguments and "--name VALUE"
// (or "--name=VALUE") options, each option allowed once.
class CliArgs {
public:
    // Fails with UsageError on an option not in `allowedOptions`, a missing
    // value, a repeated option, or a positional count other than `positionals`.
    CliArgs(const std::vector<std::string>& words, const std::vector<std::string>& allowedOptions,
            size_t positionals);

    const std::string& Positional(size_t i) const { return positionals_.at(i); }
    std::optional<std::string> Option(const std::string& name) const;

private:
    std::vector<std::string> positionals_;
    std::map<std::string, std::string> options_;
};

// Removes a switch (an option without a value, such as "--no-compile") from
// the words before they go to CliArgs; true when it was there.
bool TakeSwitch(std::vector<std::string>& words, const std::string& name);

} // namespace quillmark::cli
