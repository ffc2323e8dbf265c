#pragma once

#include "base/Json.h"
#include "editor/EditorCursorStyle.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace quillmark {

// Lenient readers of the members of a message the editor page posted.
// Member names match exactly; a missing member reads as its default.

// A string's content, a number's literal text, "true" or "false"; anything
// else (missing, null, an object or an array) gives "".
std::string ReadMessageText(const JsonValue& message, std::string_view name);

// The text form read as a whole decimal number that fits 32 bits; anything
// else ("14.5", "abc", missing) gives 0.
int32_t ReadMessageInteger(const JsonValue& message, std::string_view name);

// True when the text form is "true" in any letter case or exactly "1".
bool ReadMessageFlag(const JsonValue& message, std::string_view name);

TEditorCursorStyle ReadCursorStyle(const JsonValue& message);

} // namespace quillmark
