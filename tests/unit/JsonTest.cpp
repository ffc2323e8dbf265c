#include "base/Json.h"
#include "base/JsonRead.h"
#include "base/QuillError.h"

#include <gtest/gtest.h>

using namespace quillmark;

TEST(JsonWriter, EscapesToPlainAscii) {
    struct Case {
        std::string input;
        std::string expected;
    };
    const Case cases[] = {
        {"plain", R"("plain")"},
        {"a\"b\\c/d", R"("a\"b\\c\/d")"},
        {"\b\t\n\f\r", R"("\b\t\n\f\r")"},
        {std::string("\x01\x1F", 2), R"("\u0001\u001F")"},
        {"\x7F", "\"\x7F\""},
        {"caf\xC3\xA9", R"("caf\u00E9")"},
        {"\xE2\x82\xAC", R"("\u20AC")"},
        {"\xF0\x9F\x98\x80", R"("\uD83D\uDE00")"},
        {"</p>", R"("<\/p>")"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WriteJson(JsonValue::String(c.input)), c.expected) << c.input;
        // Everything written reads back unchanged.
        const auto back = ParseJson(c.expected);
        ASSERT_TRUE(back.has_value());
        EXPECT_EQ(back->Text(), c.input);
    }
}

TEST(JsonWriter, CompactWithMemberOrderKept) {
    JsonValue object = JsonValue::Object();
    object.Add("z", JsonValue::Integer(32));
    object.Add("a", JsonValue::Float(1.5));
    object.Add("m", JsonValue::Float(2));
    object.Add("b", JsonValue::Boolean(false));
    JsonValue& list = object.Add("list", JsonValue::Array());
    list.Append(JsonValue::String("x"));
    list.Append(JsonValue());
    EXPECT_EQ(WriteJson(object), R"({"z":32,"a":1.5,"m":2,"b":false,"list":["x",null]})");
}

TEST(JsonReader, KeepsNumberTextAndRejectsBadSyntax) {
    const auto value = ParseJson(R"( { "a" : 20.50, "b": 1e2, "c": -7, "a": "second" } )");
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(value->Find("a")->Text(), "20.50");
    EXPECT_EQ(value->Find("b")->Text(), "1e2");
    EXPECT_EQ(value->Find("c")->Text(), "-7");
    EXPECT_EQ(value->MemberCount(), 4u);
    for (const char* bad : {"", "{", "{\"a\":}", "[1,]", "nope", "{} {}", "[1] // note"}) {
        EXPECT_FALSE(ParseJson(bad).has_value()) << bad;
        EXPECT_FALSE(IsJsonText(bad)) << bad;
    }
    // Checking without building agrees, malformed UTF-8 included.
    for (const char* good : {"[]", " {\"a\":[1,{\"b\":null}]} ", "\"\xFF\xC3\"", "{\"\xED\xA0\x80\":1}"}) {
        EXPECT_TRUE(ParseJson(good).has_value()) << good;
        EXPECT_TRUE(IsJsonText(good)) << good;
    }
}

// The first occurrence of the member, when it is an array, is handed over
// element by element and left empty in the result; everything else stays.
TEST(JsonReader, StreamingAMemberHandsOverItsElements) {
    struct Case {
        const char* text;
        const char* streamed; // elements written back, joined by "|"
        const char* rest;     // the result written back; "" for none
    };
    const Case cases[] = {
        {R"({"a":1,"t":[{"x":[2]},3,"s",[]],"b":{"t":[4]}})", R"({"x":[2]}|3|"s"|[])",
         R"({"a":1,"t":[],"b":{"t":[4]}})"},
        {R"({"t":5,"t":[6]})", "", R"({"t":5,"t":[6]})"}, // only the first "t" counts
        {R"([{"t":[1]}])", "", R"([{"t":[1]}])"},          // not the top-level object
        {R"({"t":[1,2})", "1|2", ""},                      // a syntax error after them
    };
    for (const Case& c : cases) {
        std::string streamed;
        const auto rest = ParseJsonStreamingMember(c.text, "t", [&](JsonValue&& element) {
            streamed += (streamed.empty() ? "" : "|") + WriteJson(element);
        });
        EXPECT_EQ(streamed, c.streamed) << c.text;
        EXPECT_EQ(rest ? WriteJson(*rest) : "", c.rest) << c.text;
    }
}

TEST(JsonReader, LenientTextAndFlags) {
    const auto object = ParseJson(
        R"({"s":"x","n":1.0,"t":true,"z":null,"o":{},"flag":" FALSE ","up":"TRUE","one":"1"})");
    ASSERT_TRUE(object.has_value());
    EXPECT_EQ(ReadJsonText(&*object, "s", "d"), "x");
    EXPECT_EQ(ReadJsonText(&*object, "n", "d"), "1.0");
    EXPECT_EQ(ReadJsonText(&*object, "t", "d"), "true");
    EXPECT_EQ(ReadJsonText(&*object, "z", "d"), "null");
    EXPECT_EQ(ReadJsonText(&*object, "o", "d"), "");
    EXPECT_EQ(ReadJsonText(&*object, "missing", "d"), "d");
    EXPECT_EQ(ReadJsonText(nullptr, "s", "d"), "d");
    EXPECT_TRUE(ReadJsonBoolean(&*object, "up", false));
    EXPECT_TRUE(ReadJsonBoolean(&*object, "flag", true)); // untrimmed: not "false"
    EXPECT_FALSE(ReadJsonFlag(&*object, "flag", true));   // trimmed
    EXPECT_TRUE(ReadJsonFlag(&*object, "one", false));
    EXPECT_TRUE(ReadJsonFlag(&*object, "s", true));
}

TEST(JsonReader, IntegerConversion) {
    EXPECT_EQ(JsonNumberToInt32(JsonValue::NumberText("20")), 20);
    EXPECT_EQ(JsonNumberToInt32(JsonValue::NumberText("-3")), -3);
    for (const char* bad : {"20.5", "1e2", "99999999999"}) {
        try {
            JsonNumberToInt32(JsonValue::NumberText(bad));
            FAIL() << bad;
        } catch (const QuillError& e) {
            EXPECT_EQ(std::string(e.what()), "'" + std::string(bad) + "' is not a valid integer value");
        }
    }
}

TEST(JsonReader, NestingIsBoundedAndNeverExhaustsTheStack) {
    const auto nested = [](size_t depth) {
        return std::string(depth, '[') + std::string(depth, ']');
    };
    EXPECT_TRUE(ParseJson(nested(kMaxJsonNesting)).has_value());
    EXPECT_TRUE(IsJsonText(nested(kMaxJsonNesting)));
    for (const size_t depth : {kMaxJsonNesting + 1, size_t{500000}}) {
        EXPECT_THROW(ParseJson(nested(depth)), JsonTooDeepError) << depth;
        bool tooDeep = false;
        EXPECT_FALSE(IsJsonText(nested(depth), &tooDeep)) << depth;
        EXPECT_TRUE(tooDeep) << depth;
        EXPECT_THROW(
            ParseJsonStreamingMember("{\"t\":[" + nested(depth) + "]}", "t", [](JsonValue&&) {}),
            JsonTooDeepError)
            << depth;
    }
    bool tooDeep = true;
    EXPECT_FALSE(IsJsonText("[[1]", &tooDeep));
    EXPECT_FALSE(tooDeep);
    try {
        ParseJson(nested(600));
    } catch (const JsonTooDeepError& e) {
        EXPECT_STREQ(e.what(), "Arrays and objects are nested more than 512 levels deep.");
    }

    // A value built deeper than any file may hold is taken apart without
    // recursion as well.
    JsonValue deep = JsonValue::Array();
    for (int i = 0; i < 1000000; ++i) {
        JsonValue outer = JsonValue::Object();
        outer.Add("x", std::move(deep));
        deep = std::move(outer);
    }
}
