#include "editor/MkDocsConfig.h"

#include "TestHelpers.h"

#include <gtest/gtest.h>

using namespace quillmark;
using quillmark::testing::ErrorOf;

TEST(MkDocsConfig, NavFormsAndUnknownTags) {
    const TMkDocsConfig config = ReadMkDocsConfig(R"(
site_name: Docs
docs_dir: pages
markdown_extensions:
  - pymdownx.emoji:
      emoji_index: !!python/name:material.extensions.emoji.twemoji
extra:
  token: !ENV [TOKEN, none]
nav:
  - index.md
  - Start: start.md
  - Guide:
      - guide/index.md
      - Deep:
          - Setup: guide/setup.md
  - Site: https://example.com/
  - [odd]
)",
                                                  "mkdocs.yml");
    EXPECT_EQ(config.DocsDir, "pages");
    ASSERT_TRUE(config.HasNav);
    ASSERT_EQ(config.Nav.size(), 3u);
    EXPECT_EQ(config.Nav[0].Label, "");
    EXPECT_EQ(config.Nav[0].Page, "index.md");
    EXPECT_EQ(config.Nav[1].Label, "Start");
    const TNavEntry& guide = config.Nav[2];
    EXPECT_TRUE(guide.IsSection);
    EXPECT_EQ(guide.Label, "Guide");
    ASSERT_EQ(guide.Children.size(), 2u);
    EXPECT_EQ(guide.Children[1].Children.at(0).Page, "guide/setup.md");
    EXPECT_EQ(config.Skipped.size(), 2u); // the web address and the list
    EXPECT_EQ(config.Skipped[0], "https://example.com/");
}

TEST(MkDocsConfig, DefaultsAndErrors) {
    for (const char* text : {"", "site_name: x\n", "- a\n- b\n", "nav: index.md\n"}) {
        const TMkDocsConfig config = ReadMkDocsConfig(text, "mkdocs.yml");
        EXPECT_EQ(config.DocsDir, "docs") << text;
        EXPECT_FALSE(config.HasNav) << text;
    }
    const std::string error = ErrorOf([] { ReadMkDocsConfig("nav: [a\n", "/x/mkdocs.yml"); });
    EXPECT_EQ(error.rfind("Cannot read \"/x/mkdocs.yml\": ", 0), 0u) << error;
}

// Sections nested past the limit are left out, not walked.
TEST(MkDocsConfig, DeepNavIsCut) {
    std::string nav = "nav:\n";
    std::string indent = "  ";
    for (int depth = 0; depth < 40; ++depth) {
        nav += indent + "- S" + std::to_string(depth) + ":\n";
        indent += "    ";
    }
    nav += indent + "- page.md\n";
    const TMkDocsConfig config = ReadMkDocsConfig(nav, "mkdocs.yml");
    ASSERT_TRUE(config.HasNav);
    EXPECT_FALSE(config.Skipped.empty());
}
