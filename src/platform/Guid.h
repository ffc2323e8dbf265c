#pragma once

#include <string>

namespace quillmark {

// A random (version 4) GUID in its standard text form: upper-case
// hexadecimal digits in groups 8-4-4-4-12 between braces.
std::string NewGuidString();

} // namespace quillmark
