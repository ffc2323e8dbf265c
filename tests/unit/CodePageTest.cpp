#include "base/CodePage.h"

#include "base/QuillError.h"

#include <clocale>
#include <cstring>
#include <gtest/gtest.h>

namespace quillmark {
namespace {

TEST(CodePageTest, Utf8ToWindows1251) {
    struct Case {
        const char* Text;
        std::string Bytes;
    } cases[] = {
        {"Plain ASCII <p>", "Plain ASCII <p>"},
        {"Привет, Ёж", "\xCF\xF0\xE8\xE2\xE5\xF2, \xA8\xE6"},
        // Letters the code page lacks get their base letter; the code page's
        // own punctuation stays.
        {"Café Noël", "Cafe Noel"},
        {"«€ — №»", "\xAB\x88 \x97 \xB9\xBB"},
        // Nothing close exists: a question mark.
        {"a中b", "a?b"},
        {"😀", "?"},
        // Malformed UTF-8 bytes are no characters.
        {"x\xFFy", "x?y"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Utf8ToCodePage(c.Text, "WINDOWS-1251"), c.Bytes) << c.Text;
}

TEST(CodePageTest, CharacterReferencesKeepWhatTheCodePageLacks) {
    const struct {
        const char* Text;
        std::string Bytes;
    } cases[] = {
        {"<p>plain</p>", "<p>plain</p>"},
        {"café Größe Łódź 日本語", "caf&#233; Gr&#246;&#223;e &#321;&#243;d&#378; &#26085;&#26412;&#35486;"},
        {"Ёж — €😀", "\xA8\xE6 \x97 \x88&#128512;"},
        {"x\xFFy", "x&#65533;y"},
    };
    for (const auto& c : cases) {
        const std::string bytes = Utf8ToCodePageWithCharRefs(c.Text, "WINDOWS-1251");
        EXPECT_EQ(bytes, c.Bytes) << c.Text;
    }
    EXPECT_THROW(Utf8ToCodePageWithCharRefs("x", "NO-SUCH-PAGE"), QuillError);
}

TEST(CodePageTest, TransliterationDoesNotTouchTheProcessLocale) {
    const std::string before = std::setlocale(LC_ALL, nullptr);
    EXPECT_EQ(Utf8ToCodePage("ü", "WINDOWS-1251"), "u");
    EXPECT_EQ(std::string(std::setlocale(LC_ALL, nullptr)), before);
}

TEST(CodePageTest, CodePageToUtf8) {
    EXPECT_EQ(CodePageToUtf8("caf\xE9 \x80", "WINDOWS-1252"), "café €");
    EXPECT_EQ(CodePageToUtf8("\xCF\xF0\xE8", "WINDOWS-1251"), "При");
    // 0x81 is undefined in Windows-1252.
    EXPECT_EQ(CodePageToUtf8("a\x81z", "WINDOWS-1252"), "a\xEF\xBF\xBDz");
}

TEST(CodePageTest, UnknownCodePageIsAnError) {
    EXPECT_THROW(Utf8ToCodePage("x", "NO-SUCH-PAGE"), QuillError);
    EXPECT_THROW(CodePageToUtf8("x", "NO-SUCH-PAGE"), QuillError);
}

} // namespace
} // namespace quillmark
