#pragma once

#include <stdexcept>
#include <string>

namespace quillmark {

// The one error type of the program. Its message is the text the user sees
// in the error box titled "Quillmark" (or on standard error in the CLI).
class QuillError : public std::runtime_error {
public:
    explicit QuillError(const std::string& message) : std::runtime_error(message) {}
};

// An error about one file: its path, a colon and the problem, so that a
// message read anywhere says which file it is about.
inline QuillError FileProblem(const std::string& path, const std::string& problem) {
    return QuillError(path + ": " + problem);
}

} // namespace quillmark
