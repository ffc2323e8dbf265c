#include "base/TextFold.h"

#include <gtest/gtest.h>

namespace quillmark {
namespace {

TEST(TextFoldTest, FoldsCaseAccentsAndLettersWithoutDecomposition) {
    const struct {
        const char* Text;
        const char* Folded;
    } cases[] = {
        {"Hello, World 42!", "hello, world 42!"},
        {"café Größe Łódź", "cafe grosse lodz"},
        {"ÆRØ Œuvre Þing Đorđe", "aero oeuvre thing dorde"},
        {"İstanbul", "istanbul"},
        {"e\xCC\x81t\xC3\xA9", "ete"},          // a combining accent goes too
        {"ΟΔΟΣ οδός", "οδοσ οδοσ"},             // final sigma like any sigma
        {"Привет Ёж", "привет еж"},
        {"日本語 한국어", "日本語 한국어"},        // no case, no accents: unchanged
        {"ＡＢＣ", "ａｂｃ"},
        {"bad \xFF byte", "bad \xEF\xBF\xBD byte"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FoldText(c.Text), c.Folded) << c.Text;
}

} // namespace
} // namespace quillmark
