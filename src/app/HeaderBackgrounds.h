#pragma once

#include <string>

namespace quillmark {

// Writes the colour text into meta/headerbg_default.txt and into every
// meta/headerbg_*.txt of the project folder, so every topic header takes the
// new background. Nothing happens without a "meta" folder; a file that
// cannot be written is passed over.
void WriteHeaderBgFiles(const std::string& projectFolder, const std::string& colorText);

} // namespace quillmark
