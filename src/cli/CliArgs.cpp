#include "cli/CliArgs.h"

#include <algorithm>

namespace quillmark::cli {

CliArgs::CliArgs(const std::vector<std::string>& words,
                 const std::vector<std::string>& allowedOptions, size_t positionals) {
    bool onlyPositionals = false;
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (onlyPositionals || word.size() < 2 || word.compare(0, 2, "--") != 0) {
            positionals_.push_back(word);
            continue;
        }
        if (word == "--") {
            onlyPositionals = true;
            continue;
        }
        std::string name = word.substr(2);
        std::string value;
        if (const size_t equals = name.find('='); equals != std::string::npos) {
            value = name.substr(equals + 1);
            name.resize(equals);
        } else if (i + 1 < words.size()) {
            value = words[++i];
        } else {
            throw UsageError("option --" + name + " needs a value");
        }
        if (std::find(allowedOptions.begin(), allowedOptions.end(), name) == allowedOptions.end())
            throw UsageError("unknown option --" + name);
        if (!options_.emplace(name, value).second)
            throw UsageError("option --" + name + " given twice");
    }
    if (positionals_.size() != positionals)
        throw UsageError("expected " + std::to_string(positionals) + " argument" +
                         (positionals == 1 ? "" : "s") + ", got " +
                         std::to_string(positionals_.size()));
}

bool TakeSwitch(std::vector<std::string>& words, const std::string& name) {
    const auto end = std::find(words.begin(), words.end(), "--");
    const auto count = std::count(words.begin(), end, name);
    if (count > 1)
        throw UsageError("option " + name + " given twice");
    if (count == 1)
        words.erase(std::find(words.begin(), end, name));
    return count == 1;
}

std::optional<std::string> CliArgs::Option(const std::string& name) const {
    const auto it = options_.find(name);
    if (it == options_.end())
        return std::nullopt;
    return it->second;
}

} // namespace quillmark::cli
