// The JSON reader and writer: any input parses or is refused without a crash,
// the check without building agrees with the parser, the streaming parser
// hands over exactly the elements the whole parse holds, and what the writer
// writes is plain ASCII that reads back to the same text.
#include "FuzzInput.h"
#include "base/Json.h"

using namespace quillmark;
using namespace quillmark::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text = AsText(data, size);
    bool tooDeep = false;
    const bool accepted = IsJsonText(text, &tooDeep);
    std::optional<JsonValue> value;
    try {
        value = ParseJson(text);
    } catch (const JsonTooDeepError&) {
        QM_FUZZ_CHECK(tooDeep && !accepted);
        return 0;
    }
    QM_FUZZ_CHECK(!tooDeep && accepted == value.has_value());

    std::vector<std::string> streamed;
    const std::optional<JsonValue> rest = ParseJsonStreamingMember(
        text, "topics", [&](JsonValue&& element) { streamed.push_back(WriteJson(element)); });
    QM_FUZZ_CHECK(rest.has_value() == value.has_value());
    if (!value)
        return 0;
    if (const JsonValue* topics = value->IsObject() ? value->Find("topics") : nullptr;
        topics != nullptr && topics->IsArray()) {
        QM_FUZZ_CHECK(topics->Elements().size() == streamed.size());
        for (size_t i = 0; i < streamed.size(); ++i)
            QM_FUZZ_CHECK(WriteJson(topics->Elements()[i]) == streamed[i]);
    }

    const std::string written = WriteJson(*value);
    for (const char c : written)
        QM_FUZZ_CHECK(static_cast<unsigned char>(c) < 0x80);
    const std::optional<JsonValue> again = ParseJson(written);
    QM_FUZZ_CHECK(again.has_value() && WriteJson(*again) == written);
    return 0;
}
