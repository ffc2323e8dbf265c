#include "base/JsonRead.h"

#include "base/QuillError.h"
#include "base/TextUtils.h"

#include <charconv>
#include <cmath>

namespace quillmark {

std::optional<JsonValue> ParseJsonFileText(const std::string& path, std::string_view text) {
    try {
        return ParseJson(text);
    } catch (const JsonTooDeepError& e) {
        throw FileProblem(path, e.what());
    }
}

std::string JsonValueText(const JsonValue& value) {
    switch (value.GetKind()) {
    case JsonValue::Kind::Null: return "null";
    case JsonValue::Kind::Boolean: return value.BooleanValue() ? "true" : "false";
    case JsonValue::Kind::Number:
    case JsonValue::Kind::String: return value.Text();
    default: return "";
    }
}

std::string ReadJsonText(const JsonValue* object, std::string_view name,
                         const std::string& fallback) {
    if (object == nullptr || !object->IsObject())
        return fallback;
    const JsonValue* member = object->Find(name);
    return member ? JsonValueText(*member) : fallback;
}

bool ReadJsonBoolean(const JsonValue* object, std::string_view name, bool fallback) {
    if (object == nullptr || !object->IsObject())
        return fallback;
    const JsonValue* member = object->Find(name);
    if (member == nullptr)
        return fallback;
    const std::string text = AsciiLower(JsonValueText(*member));
    if (text == "true")
        return true;
    if (text == "false")
        return false;
    return fallback;
}

bool ReadJsonFlag(const JsonValue* object, std::string_view name, bool fallback) {
    if (object == nullptr || !object->IsObject())
        return fallback;
    const JsonValue* member = object->Find(name);
    if (member == nullptr)
        return fallback;
    const std::string text = AsciiLower(Trim(JsonValueText(*member)));
    if (text == "true" || text == "1")
        return true;
    if (text == "false" || text == "0")
        return false;
    return fallback;
}

int32_t JsonNumberToInt32(const JsonValue& number) {
    const std::string& text = number.Text();
    int32_t result = 0;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    const auto [end, ec] = std::from_chars(first, last, result);
    if (ec != std::errc() || end != last || text.empty())
        throw QuillError("'" + text + "' is not a valid integer value");
    return result;
}

double JsonNumberToDouble(const JsonValue& number) {
    const std::string& text = number.Text();
    double result = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), result);
    if (end != text.data() + text.size() || (ec != std::errc() && ec != std::errc::result_out_of_range))
        throw QuillError("'" + text + "' is not a valid floating point value");
    if (ec == std::errc::result_out_of_range) {
        // Valid JSON beyond a double's range: saturate to zero or infinity.
        const bool tiny = text.find("e-") != std::string::npos || text.find("E-") != std::string::npos;
        const double magnitude = tiny ? 0.0 : HUGE_VAL;
        return text.front() == '-' ? -magnitude : magnitude;
    }
    return result;
}

} // namespace quillmark
