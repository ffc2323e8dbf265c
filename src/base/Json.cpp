#include "base/Json.h"

#include "base/TextUtils.h"
#include "base/Translation.h"
#include "base/Utf.h"

#include <array>
#include <functional>
#include <nlohmann/json.hpp>

namespace quillmark {

JsonValue::~JsonValue() {
    if (elements_.empty())
        return;
    // The descendants that hold elements of their own are moved onto a list
    // and emptied one after the other; every value destroyed on the way is
    // then a leaf or already emptied.
    std::vector<JsonValue> pending;
    for (JsonValue& element : elements_)
        if (!element.elements_.empty())
            pending.push_back(std::move(element));
    while (!pending.empty()) {
        JsonValue container = std::move(pending.back());
        pending.pop_back();
        for (JsonValue& element : container.elements_)
            if (!element.elements_.empty())
                pending.push_back(std::move(element));
        container.elements_.clear();
    }
}

JsonTooDeepError::JsonTooDeepError()
    : QuillError(FormatText(Translate("Arrays and objects are nested more than %s levels deep."),
                            {std::to_string(kMaxJsonNesting)})) {}

JsonValue JsonValue::Boolean(bool value) {
    JsonValue v;
    v.kind_ = Kind::Boolean;
    v.bool_ = value;
    return v;
}

JsonValue JsonValue::Integer(int64_t value) { return NumberText(std::to_string(value)); }

JsonValue JsonValue::Float(double value) { return NumberText(FormatShortestDouble(value)); }

JsonValue JsonValue::NumberText(std::string text) {
    JsonValue v;
    v.kind_ = Kind::Number;
    v.text_ = std::move(text);
    return v;
}

JsonValue JsonValue::String(std::string text) {
    JsonValue v;
    v.kind_ = Kind::String;
    v.text_ = std::move(text);
    return v;
}

JsonValue JsonValue::Array() {
    JsonValue v;
    v.kind_ = Kind::Array;
    return v;
}

JsonValue JsonValue::Object() {
    JsonValue v;
    v.kind_ = Kind::Object;
    return v;
}

JsonValue& JsonValue::Append(JsonValue value) {
    elements_.push_back(std::move(value));
    return elements_.back();
}

const JsonValue* JsonValue::Find(std::string_view name) const {
    for (size_t i = 0; i < names_.size(); ++i)
        if (names_[i] == name)
            return &elements_[i];
    return nullptr;
}

JsonValue& JsonValue::Add(std::string name, JsonValue value) {
    names_.push_back(std::move(name));
    elements_.push_back(std::move(value));
    return elements_.back();
}

namespace {

// Builds a JsonValue from nlohmann's SAX events, keeping numbers' texts.
class JsonBuilder {
public:
    using Json = nlohmann::json;

    bool null() { return Put(JsonValue()); }
    bool boolean(bool value) { return Put(JsonValue::Boolean(value)); }
    bool number_integer(Json::number_integer_t value) { return Put(JsonValue::Integer(value)); }
    bool number_unsigned(Json::number_unsigned_t value) {
        return Put(JsonValue::NumberText(std::to_string(value)));
    }
    bool number_float(Json::number_float_t, const std::string& text) {
        return Put(JsonValue::NumberText(text));
    }
    bool string(std::string& value) { return Put(JsonValue::String(std::move(value))); }
    bool binary(Json::binary_t&) { return false; }
    bool start_object(std::size_t) { return Open(JsonValue::Object()); }
    bool key(std::string& name) {
        pendingKeys_.back() = std::move(name);
        return true;
    }
    bool end_object() { return Close(); }
    bool start_array(std::size_t) { return Open(JsonValue::Array()); }
    bool end_array() { return Close(); }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) {
        return false;
    }

    std::optional<JsonValue> TakeResult() { return std::move(result_); }
    bool TooDeep() const { return tooDeep_; }

private:
    bool Put(JsonValue value) {
        if (stack_.empty()) {
            result_ = std::move(value);
        } else if (stack_.back().IsObject()) {
            stack_.back().Add(std::move(pendingKeys_.back()), std::move(value));
        } else {
            stack_.back().Append(std::move(value));
        }
        return true;
    }
    bool Open(JsonValue container) {
        if (stack_.size() >= kMaxJsonNesting) {
            tooDeep_ = true;
            return false;
        }
        stack_.push_back(std::move(container));
        pendingKeys_.emplace_back();
        return true;
    }
    bool Close() {
        JsonValue done = std::move(stack_.back());
        stack_.pop_back();
        pendingKeys_.pop_back();
        return Put(std::move(done));
    }

    std::vector<JsonValue> stack_;
    std::vector<std::string> pendingKeys_;
    std::optional<JsonValue> result_;
    bool tooDeep_ = false;
};

// Builds the document as JsonBuilder does, except that the elements of the
// streamed array (the first member of the top-level object with that name,
// when it is an array) are built one at a time and handed over as each ends.
class StreamingBuilder {
public:
    using Json = nlohmann::json;

    StreamingBuilder(std::string_view member, const std::function<void(JsonValue&&)>& onElement)
        : member_(member), onElement_(onElement) {}

    bool null() { return Value([](JsonBuilder& b) { return b.null(); }); }
    bool boolean(bool v) { return Value([v](JsonBuilder& b) { return b.boolean(v); }); }
    bool number_integer(Json::number_integer_t v) {
        return Value([v](JsonBuilder& b) { return b.number_integer(v); });
    }
    bool number_unsigned(Json::number_unsigned_t v) {
        return Value([v](JsonBuilder& b) { return b.number_unsigned(v); });
    }
    bool number_float(Json::number_float_t v, const std::string& text) {
        return Value([&](JsonBuilder& b) { return b.number_float(v, text); });
    }
    bool string(std::string& v) { return Value([&](JsonBuilder& b) { return b.string(v); }); }
    bool binary(Json::binary_t&) { return false; }
    bool start_object(std::size_t n) {
        return Open([n](JsonBuilder& b) { return b.start_object(n); }, false);
    }
    bool start_array(std::size_t n) {
        return Open([n](JsonBuilder& b) { return b.start_array(n); }, true);
    }
    bool end_object() { return Close([](JsonBuilder& b) { return b.end_object(); }); }
    bool end_array() { return Close([](JsonBuilder& b) { return b.end_array(); }); }
    bool key(std::string& name) {
        if (element_)
            return element_->key(name);
        // Only the member's first occurrence counts, as with JsonValue::Find.
        memberIsStreamed_ = depth_ == 1 && !streamedSeen_ && name == member_;
        streamedSeen_ = streamedSeen_ || memberIsStreamed_;
        return outer_.key(name);
    }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) {
        return false;
    }

    std::optional<JsonValue> TakeResult() { return outer_.TakeResult(); }
    bool TooDeep() const { return tooDeep_; }

private:
    using Event = std::function<bool(JsonBuilder&)>;

    // A value that holds nothing further.
    bool Value(const Event& event) {
        memberIsStreamed_ = false;
        if (element_)
            return event(*element_) && (elementDepth_ > 0 || Deliver());
        if (inStreamedArray_) {
            element_.emplace();
            return event(*element_) && Deliver();
        }
        return event(outer_);
    }
    bool Open(const Event& event, bool isArray) {
        // The element being built counts its levels from the streamed array.
        if (static_cast<size_t>(depth_ + elementDepth_) >= kMaxJsonNesting) {
            tooDeep_ = true;
            return false;
        }
        const bool streamed = memberIsStreamed_ && isArray;
        memberIsStreamed_ = false;
        if (element_) {
            ++elementDepth_;
            return event(*element_);
        }
        if (inStreamedArray_) {
            element_.emplace();
            elementDepth_ = 1;
            return event(*element_);
        }
        ++depth_;
        inStreamedArray_ = streamed;
        return event(outer_);
    }
    bool Close(const Event& event) {
        if (element_) {
            --elementDepth_;
            return event(*element_) && (elementDepth_ > 0 || Deliver());
        }
        // The streamed array ends when nothing inside it is open.
        inStreamedArray_ = false;
        --depth_;
        return event(outer_);
    }
    bool Deliver() {
        if (std::optional<JsonValue> element = element_->TakeResult())
            onElement_(std::move(*element));
        element_.reset();
        return true;
    }

    std::string_view member_;
    const std::function<void(JsonValue&&)>& onElement_;
    JsonBuilder outer_;
    std::optional<JsonBuilder> element_;
    int depth_ = 0;        // containers open in the outer document
    int elementDepth_ = 0; // containers open in the element being built
    bool memberIsStreamed_ = false; // the key just read names the streamed member
    bool streamedSeen_ = false;
    bool inStreamedArray_ = false;
    bool tooDeep_ = false;
};

// Checks the syntax without building anything, nesting bounded as in the
// builders.
class Acceptor {
public:
    using Json = nlohmann::json;

    bool null() { return true; }
    bool boolean(bool) { return true; }
    bool number_integer(Json::number_integer_t) { return true; }
    bool number_unsigned(Json::number_unsigned_t) { return true; }
    bool number_float(Json::number_float_t, const std::string&) { return true; }
    bool string(std::string&) { return true; }
    bool binary(Json::binary_t&) { return false; }
    bool key(std::string&) { return true; }
    bool start_object(std::size_t) { return Open(); }
    bool start_array(std::size_t) { return Open(); }
    bool end_object() { return --depth_, true; }
    bool end_array() { return --depth_, true; }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) {
        return false;
    }
    bool TooDeep() const { return tooDeep_; }

private:
    bool Open() {
        tooDeep_ = depth_ >= kMaxJsonNesting;
        return !tooDeep_ && ++depth_ > 0;
    }

    size_t depth_ = 0;
    bool tooDeep_ = false;
};

std::string ReplaceMalformedUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    size_t pos = 0;
    while (pos < text.size())
        AppendUtf8(out, DecodeUtf8(text, pos));
    return out;
}

void WriteValue(std::string& out, const JsonValue& value) {
    switch (value.GetKind()) {
    case JsonValue::Kind::Null:
        out += "null";
        break;
    case JsonValue::Kind::Boolean:
        out += value.BooleanValue() ? "true" : "false";
        break;
    case JsonValue::Kind::Number:
        out += value.Text();
        break;
    case JsonValue::Kind::String:
        AppendJsonString(out, value.Text());
        break;
    case JsonValue::Kind::Array:
        out += '[';
        for (size_t i = 0; i < value.Elements().size(); ++i) {
            if (i > 0)
                out += ',';
            WriteValue(out, value.Elements()[i]);
        }
        out += ']';
        break;
    case JsonValue::Kind::Object:
        out += '{';
        for (size_t i = 0; i < value.MemberCount(); ++i) {
            if (i > 0)
                out += ',';
            AppendJsonString(out, value.MemberName(i));
            out += ':';
            WriteValue(out, value.MemberValue(i));
        }
        out += '}';
        break;
    }
}

void AppendUnicodeEscape(std::string& out, unsigned unit) {
    static const char hex[] = "0123456789ABCDEF";
    out += "\\u";
    out += hex[(unit >> 12) & 0xF];
    out += hex[(unit >> 8) & 0xF];
    out += hex[(unit >> 4) & 0xF];
    out += hex[unit & 0xF];
}

} // namespace

namespace {

// Runs `parse` over the text, with malformed UTF-8 read as U+FFFD.
template <typename Parse>
bool WithRepairedUtf8(std::string_view text, const Parse& parse) {
    if (IsValidUtf8(text))
        return parse(text);
    const std::string repaired = ReplaceMalformedUtf8(text);
    return parse(std::string_view(repaired));
}

template <typename Sax>
bool SaxParse(std::string_view text, Sax& sax) {
    return WithRepairedUtf8(text, [&](std::string_view json) {
        return nlohmann::json::sax_parse(json.begin(), json.end(), &sax);
    });
}

template <typename Builder>
std::optional<JsonValue> ParseWith(std::string_view text, Builder& builder) {
    if (!SaxParse(text, builder)) {
        if (builder.TooDeep())
            throw JsonTooDeepError();
        return std::nullopt;
    }
    return builder.TakeResult();
}

} // namespace

std::optional<JsonValue> ParseJson(std::string_view text) {
    JsonBuilder builder;
    return ParseWith(text, builder);
}

std::optional<JsonValue> ParseJsonStreamingMember(
    std::string_view text, std::string_view member,
    const std::function<void(JsonValue&&)>& onElement) {
    StreamingBuilder builder(member, onElement);
    return ParseWith(text, builder);
}

bool IsJsonText(std::string_view text, bool* tooDeep) {
    Acceptor acceptor;
    const bool accepted = SaxParse(text, acceptor);
    if (tooDeep != nullptr)
        *tooDeep = acceptor.TooDeep();
    return accepted;
}

std::string WriteJson(const JsonValue& value) {
    std::string out;
    WriteValue(out, value);
    return out;
}

namespace {

// Bytes that end a run copied as it is: controls, the quote, the backslash,
// the slash, and every byte of a multi-byte character.
constexpr std::array<bool, 256> kEndsPlainRun = [] {
    std::array<bool, 256> ends{};
    for (int c = 0; c < 256; ++c)
        ends[c] = c < 0x20 || c >= 0x80 || c == '"' || c == '\\' || c == '/';
    return ends;
}();

} // namespace

void AppendJsonString(std::string& out, std::string_view utf8) {
    out += '"';
    size_t pos = 0;
    while (pos < utf8.size()) {
        // Runs of printable ASCII that need no escape go over in one piece.
        const size_t run = pos;
        while (pos < utf8.size() && !kEndsPlainRun[static_cast<unsigned char>(utf8[pos])])
            ++pos;
        if (pos > run) {
            out.append(utf8.substr(run, pos - run));
            continue;
        }
        const char32_t cp = DecodeUtf8(utf8, pos);
        switch (cp) {
        case '"': out += "\\\""; continue;
        case '\\': out += "\\\\"; continue;
        case '/': out += "\\/"; continue;
        case '\b': out += "\\b"; continue;
        case '\t': out += "\\t"; continue;
        case '\n': out += "\\n"; continue;
        case '\f': out += "\\f"; continue;
        case '\r': out += "\\r"; continue;
        default: break;
        }
        if (cp < 0x20) {
            AppendUnicodeEscape(out, cp);
        } else if (cp <= 0x7F) {
            out += static_cast<char>(cp);
        } else if (cp < 0x10000) {
            AppendUnicodeEscape(out, cp);
        } else {
            const char32_t v = cp - 0x10000;
            AppendUnicodeEscape(out, 0xD800 + (v >> 10));
            AppendUnicodeEscape(out, 0xDC00 + (v & 0x3FF));
        }
    }
    out += '"';
}

} // namespace quillmark
