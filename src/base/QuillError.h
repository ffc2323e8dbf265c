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

} // namespace quillmark
