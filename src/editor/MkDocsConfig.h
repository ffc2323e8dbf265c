#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillmark {

// One entry of a "nav": a page (with or without its own label) or a section
// with a label and entries of its own.
struct TNavEntry {
    std::string Label;  // "" when the nav names the page alone
    std::string Page;   // path relative to the docs folder, "" for a section
    std::vector<TNavEntry> Children;
    bool IsSection = false;
};

// What an import needs of a static-site generator's "mkdocs.yml".
struct TMkDocsConfig {
    std::string DocsDir = "docs";
    bool HasNav = false;
    std::vector<TNavEntry> Nav;
    // Entries left out: web addresses, entries of an unknown form, sections
    // nested too deeply.
    std::vector<std::string> Skipped;
};

// Reads the configuration. Tags the reader does not know ("!!python/name:…",
// "!ENV") are ignored together with their values' meaning. Text that is no
// valid YAML raises a QuillError naming `fileName`.
TMkDocsConfig ReadMkDocsConfig(std::string_view text, const std::string& fileName);

} // namespace quillmark
