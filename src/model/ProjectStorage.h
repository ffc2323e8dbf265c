#pragma once

#include "base/JsonRead.h"
#include "model/DocProject.h"

#include <string>

namespace quillmark {

// Creates the project folder and its standard sub-folders when missing.
void EnsureProjectFolders(const std::string& rootPath);

// Writes a JSON file of the project (creating its folder) unless it holds
// exactly `text` already. A file there that is not JSON is first moved aside
// as "<name>.unreadable" (".unreadable.2", ... when taken), so that a
// hand-editing mistake never costs the author its content.
void WriteJsonFileKeepingUnreadable(const std::string& path, const std::string& text);

// Writes project.json and meta/topics.json below the project's FRootPath.
void SaveProjectFolder(const TDocProject& project);
// Clears the project and fills it from the folder (given with a trailing
// delimiter). Fails, leaving the project cleared, on wrong JSON types, on a
// duplicate identifier and on an identifier that could name a file outside
// the project folder. A project.json or meta/topics.json that holds no JSON
// text reads as missing, or fails the load as `damaged` says.
void LoadProjectFolder(const std::string& folder, TDocProject& project,
                       TDamagedFile damaged = TDamagedFile::ReadAsMissing);

// Writes the ".hff" project file (UTF-8 with byte-order mark) and the two
// tree files into the project folder: `folder` when given, else the folder
// beside the file. Saving a project opened from a file whose "root" names
// another folder passes that folder, so the tree stays with its pages.
void WriteProjectFile(const std::string& fileName, const TDocProject& project,
                      const std::string& folder = "");

struct TProjectFileInfo {
    std::string Folder; // the project folder, without a trailing delimiter
    std::string Title;
};
TProjectFileInfo ReadProjectFile(const std::string& fileName);

// The folder that belongs to a project file: beside it, named after the file
// without its extension ("Project" when that is empty).
std::string ProjectFolderForFile(const std::string& fileName);

} // namespace quillmark
