#pragma once

#include <string_view>

namespace quillmark {

class TDocProject;

// The rules of the note boxes an import of Markdown makes
// (<div class="admonition TYPE"> with a <p class="admonition-title">), as
// the default style profile carries them.
inline constexpr std::string_view kNoteBoxCss =
    "/* Note boxes (\"!!! note\" in imported Markdown): a tinted box with its title\n"
    "   in bold; warnings amber, dangers and errors red, tips and successes green. */\n"
    ".admonition {\n"
    "  padding: 10px 14px;\n"
    "  margin: 0 0 1em;\n"
    "  background: #eef5fc;\n"
    "  border-left: 4px solid #0b5cad;\n"
    "  border-radius: 4px;\n"
    "}\n"
    ".admonition > :last-child { margin-bottom: 0; }\n"
    ".admonition-title { font-weight: 600; margin: 0 0 0.4em; }\n"
    ".admonition.warning, .admonition.caution, .admonition.attention {\n"
    "  background: #fff6e5; border-left-color: #c77c02;\n"
    "}\n"
    ".admonition.danger, .admonition.error, .admonition.failure, .admonition.bug {\n"
    "  background: #fdeeee; border-left-color: #c62828;\n"
    "}\n"
    ".admonition.tip, .admonition.hint, .admonition.success, .admonition.check {\n"
    "  background: #ecf8ef; border-left-color: #2e7d32;\n"
    "}\n";

// Appends kNoteBoxCss to the project's style profile unless the profile
// already styles ".admonition". A project without a profile file keeps the
// program's default profile, which has the rules.
void AddNoteStylesToProfile(const TDocProject& project);

} // namespace quillmark
