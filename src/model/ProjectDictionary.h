#pragma once

#include <string>
#include <vector>

namespace quillmark {

// The project's own words for the spell checker: meta/dictionary.txt, one
// word a line (UTF-8, sorted, each once), shared with co-authors through
// version control like every other project file.

std::string ProjectDictionaryPath(const std::string& rootPath);

// The words of the file: lines trimmed, blank lines, lines that are not a
// single word and repeats skipped. A missing file gives none.
std::vector<std::string> ReadProjectDictionary(const std::string& rootPath);

// Adds the word (trimmed) and writes the file whole; false when it was
// there already. Fails with a QuillError for text that is not one word.
bool AddToProjectDictionary(const std::string& rootPath, const std::string& word);

// Whether the text can stand in the word list: valid UTF-8, at most 100
// bytes, without white space or control characters, not starting with "#".
bool IsDictionaryWord(const std::string& word);

} // namespace quillmark
