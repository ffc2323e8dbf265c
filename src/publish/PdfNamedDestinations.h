#pragma once

#include <string>
#include <unordered_map>

namespace quillmark {

// The page (counted from 1) of every named destination in a PDF file: the
// browser writes one for each element id that a link of the document
// points at. Fails with a QuillError when the file cannot be read as a PDF.
std::unordered_map<std::string, int> ReadNamedDestinationPages(const std::string& pdfPath);

} // namespace quillmark
