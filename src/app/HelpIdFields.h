#pragma once

#include "model/HelpIds.h"

#include <string>
#include <vector>

namespace quillmark {

// The help IDs of a topic as the properties panel shows them: one per line,
// "NAME" or "NAME = NUMBER", lines separated by "\n".
std::string HelpIdLines(const std::vector<THelpId>& ids);

// The help IDs of the panel's text: every line that is not blank, "NAME",
// "NAME = NUMBER", "NAME=NUMBER" or "NAME NUMBER", with spaces around the
// parts ignored. Fails with a QuillError naming the line for a name that is
// no C identifier and for a number that is not a whole number from 1 to
// 2147483647.
std::vector<THelpId> ParseHelpIdLines(const std::string& text);

} // namespace quillmark
