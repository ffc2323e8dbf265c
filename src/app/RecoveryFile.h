#pragma once

#include <map>
#include <string>
#include <string_view>

namespace quillmark {

// The recovery file, internal/recovery.json of the project folder: the
// editor's unsaved page text by topic identifier, written every few seconds
// while it changes, so that a crash loses nothing the author typed. Only
// this file is written; the project's own files are never touched.
//
// {"version":1,"topics":[{"id":"<topic id>","html":"<page text>"},...]}

using TRecoveredPages = std::map<std::string, std::string>;

std::string RecoveryFilePath(const std::string& rootPath);

std::string RecoveryFileText(const TRecoveredPages& pages);
// The pages of a recovery file's text; nothing for text that is not a
// recovery file, and entries without an identifier or text are skipped.
TRecoveredPages ParseRecoveryFileText(std::string_view text);
// The pages of the project's recovery file; nothing when there is none or
// it cannot be read.
TRecoveredPages ReadRecoveryFile(const std::string& rootPath);

// Writes the recovery file of one project as the unsaved text changes.
class TAutosave {
public:
    // Writes the pages (through a temporary file and a rename) when they
    // differ from what was written last; with no pages, deletes the file
    // when this object wrote it.
    void Update(const std::string& rootPath, const TRecoveredPages& pages);
    // Deletes the project's recovery file: the text was saved or discarded.
    void Clear(const std::string& rootPath);

private:
    std::string FWrittenRoot;
    std::string FWrittenText;
};

} // namespace quillmark
