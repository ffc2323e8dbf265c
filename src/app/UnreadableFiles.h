#pragma once

#include <string>
#include <vector>

namespace quillmark {

// A tree file of a project folder (project.json, meta/topics.json) that
// exists but is not JSON. Loading reads it as missing; the first save moves
// it aside as "<name>.unreadable" (".unreadable.2", … when taken) before it
// writes the file anew.
struct TUnreadableFile {
    std::string Path;
    std::vector<std::string> CopiesBefore; // aside copies that existed already
};

std::vector<TUnreadableFile> FindUnreadableProjectFiles(const std::string& projectFolder);

// The aside copy of the file made since it was found; empty when none.
std::string NewAsideCopy(const TUnreadableFile& file);

// The warning for the author: which file could not be read and where its
// copy is (or that it will be kept aside at the next save).
std::string UnreadableFileWarning(const TUnreadableFile& file);

} // namespace quillmark
