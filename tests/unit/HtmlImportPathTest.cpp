#include "TempFolder.h"
#include "TestHelpers.h"
#include "base/FileHelpers.h"
#include "base/PercentDecoding.h"
#include "editor/ImportPathResolution.h"

#include <gtest/gtest.h>

using namespace quillmark;
using quillmark::testing::ErrorOf;
using quillmark::testing::TempFolder;

TEST(HtmlImportPathTest, PercentDecode) {
    const struct {
        std::string input;
        std::string expected;
    } cases[] = {
        {"my%20pic.png", "my pic.png"},
        {"caf%C3%a9.png", "caf\xC3\xA9.png"},
        {"caf\xC3\xA9.png", "caf\xC3\xA9.png"},
        {"a+b", "a b"},
        {"100%%", "100%"},
        {"%2e%2E%2F", "../"},
        // Bytes that are no UTF-8 become U+FFFD.
        {"caf%E9.png", "caf\xEF\xBF\xBD.png"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PercentDecode(c.input).value_or("(malformed)"), c.expected) << c.input;

    for (const char* malformed : {"100%", "a%2", "a%G1.png", "%%%", "a%-1", "a%+f"})
        EXPECT_EQ(PercentDecode(malformed), std::nullopt) << malformed;
}

TEST(HtmlImportPathTest, ResolvesAgainstTheBaseFolder) {
    TempFolder temp;
    const std::string base = temp.Path("site/pages");
    WriteTextFileUtf8(temp.Path("site/pages/images/a.png"), "x");
    WriteTextFileUtf8(temp.Path("elsewhere.png"), "x");

    const struct {
        std::string url;
        std::string expected;
    } cases[] = {
        {"images/a.png?v=1#top", base + "/images/a.png"},
        {"images\\a.png", base + "/images/a.png"},
        {"./images/../images/a%2Epng", base + "/images/a.png"},
        {"../../elsewhere.png", temp.Path("elsewhere.png")},
        {"file:///" + temp.Path("elsewhere.png").substr(1), temp.Path("elsewhere.png")},
        {"FILE:///" + temp.Path("my%20file.png").substr(1), temp.Path("my file.png")},
        // A rooted path that names a file is taken as it is ...
        {temp.Path("elsewhere.png"), temp.Path("elsewhere.png")},
        // ... one that does not is also looked for beside the page.
        {"/images/a.png", base + "/images/a.png"},
        {"/images/none.png", base + "/images/none.png"},
        {"#only-a-fragment", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ResolveImportPath(c.url, base), c.expected) << c.url;

    // Style sheets do not retry site-root paths.
    EXPECT_EQ(ResolveCssPath("/images/a.png", base), "/images/a.png");
    EXPECT_EQ(ResolveCssPath("images/a.png", base), base + "/images/a.png");
}

TEST(HtmlImportPathTest, RejectsPathsNoFileCanHave) {
    EXPECT_EQ(ErrorOf([] { ResolveImportPath("a.png%00.txt", "/tmp"); }),
              "The address \"a.png%00.txt\" names a path with characters that are not allowed "
              "in file names.");
    EXPECT_EQ(ErrorOf([] { ResolveCssPath("file:///x%zz", "/tmp"); }),
              "The address \"file:///x%zz\" holds a malformed percent escape.");
}
