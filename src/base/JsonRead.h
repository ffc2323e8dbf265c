#pragma once

#include "base/Json.h"

#include <optional>
#include <string>
#include <string_view>

namespace quillmark {

// What a reader does with a file that is there but holds no JSON text: the
// window reads it as missing (and warns, or keeps it aside before writing
// over it); the command-line tool and publishing refuse it, with
// kNotJsonText (translated when shown) after the file's name.
enum class TDamagedFile { ReadAsMissing, Fail };
inline constexpr const char* kNotJsonText = "the file is damaged: it holds no valid JSON text.";

// ParseJson of the text read from the file `path`: nothing when it is not
// JSON; a document nested too deeply fails with a QuillError naming the file.
std::optional<JsonValue> ParseJsonFileText(const std::string& path, std::string_view text);

// The lenient text of a value: a string's content, a number's text as
// written, "true"/"false", "null"; an object or array gives "".
std::string JsonValueText(const JsonValue& value);

// The member's text, or `fallback` when the object (may be null) or the
// member is missing.
std::string ReadJsonText(const JsonValue* object, std::string_view name,
                         const std::string& fallback);

// The member's text lower-cased: "true" gives true, "false" gives false,
// anything else (or a missing member) gives `fallback`.
bool ReadJsonBoolean(const JsonValue* object, std::string_view name, bool fallback);

// Like ReadJsonBoolean but trimmed and also accepting "1" and "0".
bool ReadJsonFlag(const JsonValue* object, std::string_view name, bool fallback);

// A JSON number holding a whole decimal integer that fits 32 bits; any other
// number fails with "'<text>' is not a valid integer value".
int32_t JsonNumberToInt32(const JsonValue& number);

// A JSON number as a double (its text read in the C locale).
double JsonNumberToDouble(const JsonValue& number);

} // namespace quillmark
