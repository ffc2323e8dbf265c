#pragma once

#include "base/QuillError.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillmark {

// A JSON value as the program reads and writes it: objects keep their
// members in order (duplicates included; lookups see the first), and a
// number keeps its text exactly as written in the file.
class JsonValue {
public:
    enum class Kind { Null, Boolean, Number, String, Array, Object };

    JsonValue() = default;
    // Taken apart level by level, so that a deeply nested value never
    // exhausts the stack.
    ~JsonValue();
    JsonValue(const JsonValue&) = default;
    JsonValue(JsonValue&&) noexcept = default;
    JsonValue& operator=(const JsonValue&) = default;
    JsonValue& operator=(JsonValue&&) noexcept = default;
    static JsonValue Boolean(bool value);
    static JsonValue Integer(int64_t value);
    static JsonValue Float(double value);
    static JsonValue NumberText(std::string text);
    static JsonValue String(std::string text);
    static JsonValue Array();
    static JsonValue Object();

    Kind GetKind() const { return kind_; }
    bool IsNull() const { return kind_ == Kind::Null; }
    bool IsBoolean() const { return kind_ == Kind::Boolean; }
    bool IsNumber() const { return kind_ == Kind::Number; }
    bool IsString() const { return kind_ == Kind::String; }
    bool IsArray() const { return kind_ == Kind::Array; }
    bool IsObject() const { return kind_ == Kind::Object; }

    bool BooleanValue() const { return bool_; }
    // The string's content, or the number's text as written.
    const std::string& Text() const { return text_; }

    // Arrays.
    const std::vector<JsonValue>& Elements() const { return elements_; }
    JsonValue& Append(JsonValue value);

    // Objects.
    size_t MemberCount() const { return names_.size(); }
    const std::string& MemberName(size_t i) const { return names_[i]; }
    const JsonValue& MemberValue(size_t i) const { return elements_[i]; }
    // The first member of that name, or null when there is none.
    const JsonValue* Find(std::string_view name) const;
    // Appends a member; the written order is the order of the calls.
    JsonValue& Add(std::string name, JsonValue value);

private:
    Kind kind_ = Kind::Null;
    bool bool_ = false;
    std::string text_;
    std::vector<std::string> names_;   // object member names
    std::vector<JsonValue> elements_;  // array elements or object member values
};

// Arrays and objects nested deeper than this are not read: no file the
// program writes comes near it, and every reader stays bounded.
inline constexpr size_t kMaxJsonNesting = 512;

// Raised by the parsers for a document nested deeper than kMaxJsonNesting.
// Readers of files add the file's name (JsonFileProblem).
class JsonTooDeepError : public QuillError {
public:
    JsonTooDeepError();
};

// Parses any valid JSON text; nothing (std::nullopt) on a syntax error.
// Malformed UTF-8 is read as U+FFFD instead of failing. Nesting deeper than
// kMaxJsonNesting raises JsonTooDeepError.
std::optional<JsonValue> ParseJson(std::string_view text);
// ParseJson for a large document: the elements of the array member `member`
// of the top-level object (its first occurrence) go to `onElement` one by
// one as they are read, and the result holds an empty array in their place.
// On a syntax error the result is std::nullopt, and the elements handed over
// before it was found are to be dropped.
std::optional<JsonValue> ParseJsonStreamingMember(
    std::string_view text, std::string_view member,
    const std::function<void(JsonValue&&)>& onElement);
// Whether ParseJson would give a value, found without building it. A
// document nested too deeply is no JSON text here; `tooDeep`, when given,
// tells that case apart.
bool IsJsonText(std::string_view text, bool* tooDeep = nullptr);

// Compact text on one line, members in their order, strings escaped so that
// the result is plain ASCII: \" \\ \/ \b \t \n \f \r, \u00XX below U+0020,
// and upper-case \uXXXX (surrogate pairs beyond the BMP) above U+007F.
std::string WriteJson(const JsonValue& value);
void AppendJsonString(std::string& out, std::string_view utf8);

} // namespace quillmark
