#pragma once

#include <string>

namespace quillmark {

// The full path of an executable file named `name` in one of the folders of
// `pathList` (separated by ":"; an empty entry is the current folder), or
// empty. A name holding a "/" is not looked up: it is returned when it names
// an executable file.
std::string FindProgramOnPath(const std::string& name, const std::string& pathList);

// The same with the PATH of the process.
std::string FindProgramOnPath(const std::string& name);

// Whether the path names a regular file that may be executed.
bool IsExecutableFile(const std::string& path);

} // namespace quillmark
