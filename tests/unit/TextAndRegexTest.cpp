#include "base/QuillError.h"
#include "base/Regex.h"
#include "base/TextUtils.h"
#include "base/Utf.h"

#include <gtest/gtest.h>

using namespace quillmark;

TEST(TextUtils, ShortestDouble) {
    const std::pair<double, const char*> cases[] = {
        {1.5, "1.5"}, {2, "2"}, {0.1, "0.1"}, {1.25, "1.25"}, {-3.5, "-3.5"},
        {100000, "100000"}, {0.001, "0.001"}, {1e20, "1E20"}, {0, "0"}, {5, "5"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(FormatShortestDouble(value), text);
}

TEST(TextUtils, TrimCaseAndFormat) {
    EXPECT_EQ(Trim(" \t\x01x y\r\n"), "x y");
    EXPECT_EQ(Trim("\xC2\xA0x"), "\xC2\xA0x"); // a no-break space is no control character
    EXPECT_TRUE(AsciiSameText("ProductName", "PRODUCTNAME"));
    EXPECT_FALSE(AsciiSameText("\xC3\x89", "\xC3\xA9")); // É and é differ
    EXPECT_EQ(FormatText("Topic not found: %s", {"X"}), "Topic not found: X");
    EXPECT_EQ(FormatText("%s%s - %s", {"A", "*", "T"}), "A* - T");
    EXPECT_EQ(ReplaceAllIgnoreCase("a&NBSP;b&nbsp;", "&nbsp;", " "), "a b ");
    EXPECT_EQ(AsciiFindIgnoreCase("x BackGround", "background"), 2u);
    EXPECT_EQ(AsciiFindIgnoreCase("background BACKGROUND", "background", 1), 11u);
    EXPECT_EQ(AsciiFindIgnoreCase("#EEF5FF", "#eef5ff"), 0u);
    EXPECT_EQ(AsciiFindIgnoreCase("@", "`"), std::string_view::npos); // "@" | 0x20 is "`"
    EXPECT_EQ(AsciiFindIgnoreCase("backgroun", "background"), std::string_view::npos);
    const std::vector<std::string> lines{"a", "b", "", "c"};
    EXPECT_EQ(SplitLines("a\r\nb\n\rc"), lines);
}

TEST(Utf, DecodesUtf16WithMarks) {
    EXPECT_EQ(DecodeTextWithBom(std::string("\xFF\xFE{\0\xE9\0}\0", 8)), "{\xC3\xA9}");
    EXPECT_EQ(DecodeTextWithBom(std::string("\xFE\xFF\0{\xD8\x3D\xDE\x00", 8)),
              "{\xF0\x9F\x98\x80");
    EXPECT_EQ(DecodeTextWithBom("\xEF\xBB\xBFx"), "x");
    EXPECT_FALSE(IsValidUtf8("\xC3"));
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80")); // an encoded surrogate
    EXPECT_TRUE(IsValidUtf8("\xEF\xBF\xBD ok"));
    // Long ASCII stretches are skipped eight bytes at a time.
    EXPECT_TRUE(IsValidUtf8(std::string(7, 'a') + "\xC3\xA9" + std::string(9, 'b')));
    EXPECT_FALSE(IsValidUtf8(std::string(13, 'a') + "\xC3"));
    EXPECT_FALSE(IsValidUtf8(std::string(16, 'a') + "\xED\xA0\x80" + std::string(8, 'c')));
}

TEST(Regex, GroupsOptionsAndReplacement) {
    const Regex link(R"(href\s*=\s*["']doc:([a-fA-F0-9]{32})["'])", Regex::Caseless);
    const std::string html = "<a HREF = 'doc:0123456789abcdef0123456789ABCDEF'>x</a>";
    const auto match = link.Match(html);
    ASSERT_TRUE(match.has_value());
    EXPECT_EQ(match->Group(1), "0123456789abcdef0123456789ABCDEF");

    const Regex element("<(script|style)[^>]*>.*?</\\1>", Regex::Caseless | Regex::DotAll);
    EXPECT_EQ(element.Replace("a<SCRIPT>x\ny</script>b<style>c</STYLE>d", " "), "a b d");

    const Regex named("(?<key>\\w+)=(?<value>\\w+)");
    EXPECT_EQ(named.Replace("a=1, b=2", "${value}:$1$$"), "1:a$, 2:b$");
    EXPECT_EQ(named.ReplaceMatches("x=y", [](const RegexMatch& m) {
        return std::string(m.Group("key")) + "!";
    }),
              "x!");
    EXPECT_EQ(named.GroupNumber("missing"), -1);
}

TEST(Regex, EmptyMatchesAndInvalidInputEnd) {
    const Regex empty("x*");
    EXPECT_EQ(empty.Replace("ab\xC3\xA9", "-"), "-a-b-\xC3\xA9-");
    EXPECT_EQ(Regex("b").Replace("a\xFF" "b", "B"), "a\xFF" "B"); // malformed UTF-8 is no error
    EXPECT_THROW(Regex("(unclosed"), QuillError);
}

TEST(Regex, AnchoredMatchesOnlyWhereTheSearchStarts) {
    const Regex tag("<p>", Regex::Anchored);
    EXPECT_FALSE(tag.Match("x<p>").has_value());
    ASSERT_TRUE(tag.Match("x<p>", 1).has_value());
    EXPECT_EQ(tag.Match("x<p>", 1)->Position(), 1u);
}

// A long subject that needs more than the compiled code's small stack is
// matched by the interpreter instead of failing.
TEST(Regex, LongSubjectsBeyondTheCompiledStackStillMatch) {
    const Regex pattern("a(?:(?!x).)*?b", Regex::DotAll);
    const std::string subject = "a" + std::string(1 << 20, 'c') + "b";
    const std::optional<RegexMatch> match = pattern.Match(subject);
    ASSERT_TRUE(match.has_value());
    EXPECT_EQ(match->Length(), subject.size());
}
