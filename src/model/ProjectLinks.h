#pragma once

#include <string>

namespace quillmark {

// The program creates, changes and deletes files only inside the project
// folder (besides its own application folder), whatever symbolic links the
// project holds. Files are replaced whole through a rename, which replaces
// a link instead of writing through it; the folders the program writes into
// are checked here, and linked pages and headers are read only when their
// target stays inside the project.

// Fails with a QuillError naming the first folder the program writes into
// below `rootPath` (topics, meta, assets and its sub-folders, build and its
// outputs, styles, internal and its sub-folders) that is a symbolic link, or
// lies behind one, leading outside the project folder. The folder is neither
// emptied nor deleted. Links that stay inside are fine, and folders that do
// not exist yet are made as real folders when needed.
void RequireProjectFoldersInside(const std::string& rootPath);
// The same for one folder below the project folder, whether it exists yet
// or not.
void RequireFolderInsideProject(const std::string& rootPath, const std::string& folder);

// Whether `path`, below the project folder, leads to a place inside it once
// every symbolic link on the way is followed.
bool IsInsideProjectFolder(const std::string& rootPath, const std::string& path);

// Reads a text file of the project (a topic page, a header file) as
// ReadTextFileIfRegular does. A symbolic link is read only when it leads to
// a file inside the project folder; one leading outside counts as no file.
bool ReadProjectTextFile(const std::string& rootPath, const std::string& path, std::string& text);

} // namespace quillmark
