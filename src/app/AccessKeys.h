#pragma once

#include <string>
#include <vector>

namespace quillmark {

// The captions of one menu (or of the menu bar) with an access key each:
// "&" before a letter or digit no other caption of the list uses, the first
// letter of a word preferred, then any other; a caption that finds none
// stays without one. An "&" already in a caption is doubled (shown as it
// is). Keys are compared without regard to case (ASCII); other characters
// are never chosen, so translations keep working.
std::vector<std::string> WithAccessKeys(const std::vector<std::string>& captions);

} // namespace quillmark
