#pragma once

#include <string>

namespace quillmark::bench {

// Writes a synthetic project of `topics` topics into `folder` (removed
// first): "<folder>/Generated.hff" and its project folder. Topics form trees
// three levels deep (1 root, 10 children, 100 grandchildren per group); each
// page is about 5 KB of headings, paragraphs, a list, a table, an image,
// topic links, variable and snippet tokens and condition blocks, and has its
// own header files. Returns the project file's path.
std::string GenerateProject(const std::string& folder, int topics);

} // namespace quillmark::bench
