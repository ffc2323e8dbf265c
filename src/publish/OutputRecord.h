#pragma once

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace quillmark {

// The name of the record an output folder keeps of the files the program
// wrote into it.
inline constexpr char kOutputRecordName[] = ".quillmark-output";

// The files one publishing run writes into its output folder. When the run
// is done, the files of the previous run's record that this run did not
// write (pages of deleted or excluded topics, removed assets) are deleted,
// and the record is replaced by this run's. A folder without a record (first
// publish, or output of an older version) loses nothing, and nothing but
// recorded files is ever deleted, so whatever else the author keeps in the
// folder stays.
class TOutputRecord {
public:
    explicit TOutputRecord(std::string outputFolder);

    // A file written in this run, by its path relative to the output folder
    // with "/" between the parts ("topics/<id>.html"). A path that is not a
    // plain relative path (empty parts, "." or "..", control characters) is
    // not recorded.
    void Add(std::string_view relativePath);
    void AddAll(const std::vector<std::string>& relativePaths);
    // Keeps a file of the previous record that this run leaves as it is
    // (a compiled file when the compiler was not run).
    void Keep(std::string_view relativePath);

    // Deletes the stale files (and folders they leave empty), then writes
    // the record. Returns the deleted paths.
    std::vector<std::string> Finish();

private:
    std::string outputFolder_;
    std::vector<std::string> previous_;
    std::vector<std::string> written_;
    std::unordered_set<std::string> seen_;
};

// The paths of a record's text, in order: none when the text does not start
// with the record's first line; lines that are not plain relative paths are
// dropped.
std::vector<std::string> ParseOutputRecord(std::string_view text);

// The record's text for these paths.
std::string FormatOutputRecord(const std::vector<std::string>& paths);

} // namespace quillmark
