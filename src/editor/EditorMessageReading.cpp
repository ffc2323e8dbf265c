#include "editor/EditorMessageReading.h"

#include "base/TextUtils.h"

namespace quillmark {

std::string ReadMessageText(const JsonValue& message, std::string_view name) {
    const JsonValue* member = message.IsObject() ? message.Find(name) : nullptr;
    if (member == nullptr)
        return "";
    switch (member->GetKind()) {
    case JsonValue::Kind::String:
    case JsonValue::Kind::Number:
        return member->Text();
    case JsonValue::Kind::Boolean:
        return member->BooleanValue() ? "true" : "false";
    default:
        return "";
    }
}

int32_t ReadMessageInteger(const JsonValue& message, std::string_view name) {
    return WholeNumberOrZero(ReadMessageText(message, name));
}

bool ReadMessageFlag(const JsonValue& message, std::string_view name) {
    const std::string text = ReadMessageText(message, name);
    return AsciiSameText(text, "true") || text == "1";
}

TEditorCursorStyle ReadCursorStyle(const JsonValue& message) {
    TEditorCursorStyle style;
    style.Area = ReadMessageText(message, "area");
    style.FontName = ReadMessageText(message, "fontName");
    style.FontSizePx = ReadMessageInteger(message, "fontSizePx");
    style.TextColorHtml = ReadMessageText(message, "textColor");
    style.BackColorHtml = ReadMessageText(message, "backColor");
    style.Align = ReadMessageText(message, "align");
    style.Bold = ReadMessageFlag(message, "bold");
    style.Italic = ReadMessageFlag(message, "italic");
    style.Underline = ReadMessageFlag(message, "underline");
    style.ListType = ReadMessageText(message, "listType");
    style.BlockTag = ReadMessageText(message, "blockTag");
    style.LineHeight = ReadMessageText(message, "lineHeight");
    return style;
}

} // namespace quillmark
