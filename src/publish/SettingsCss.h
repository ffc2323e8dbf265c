#pragma once

#include <string>
#include <string_view>

namespace quillmark {

class TDocProject;
class TProjectSettings;

// The four renderings of topic HTML that receive the settings block.
enum class TStylesheetTarget { stEditor, stWebHelp, stChm, stPdf };
using TSettingsCssTarget = TStylesheetTarget;

// The CSS rules made from the style settings, one line each ended by CR LF,
// starting with an empty line. The CHM target gets its own variant of the
// rules; null settings give an empty text.
std::string BuildSettingsCss(const TProjectSettings* settings, TStylesheetTarget target);

// The text for inside a double-quoted CSS string: the quote, the backslash
// and control characters escaped, so that no text can end the string early
// and add rules of its own.
std::string EscapeCssString(std::string_view text);

// The settings' font as a CSS font-family value: the trimmed name (or
// "Segoe UI") quoted, then Arial and sans-serif.
std::string CssFontFamily(const TProjectSettings& settings);

// "<styles folder>/<FStyleProfile>.css", or an empty text when the profile
// name could lead outside the project's "styles" folder.
std::string ProfileStylesheetPath(const TDocProject& project);

// The stylesheet text of a target: the weightless rules every rendering
// shares, its base text (the profile stylesheet or a fallback; the same for
// every target, so that a page looks alike in the editor and the outputs),
// then the settings block.
std::string ComposeTargetCss(const TDocProject& project, const TProjectSettings* settings,
                             TStylesheetTarget target);

// Where the stylesheet of a target lives in the project folder:
// internal/editor/editor_effective.css or build/<output>/style.css.
std::string TargetCssPath(const TDocProject& project, TStylesheetTarget target);

// Composes the target's stylesheet, writes it to TargetCssPath (creating
// missing folders) and returns that path.
std::string WriteTargetCss(const TDocProject& project, const TProjectSettings* settings,
                           TStylesheetTarget target);

} // namespace quillmark
