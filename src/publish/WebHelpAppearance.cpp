#include "publish/WebHelpAppearance.h"

#include "base/Color.h"
#include "base/TextUtils.h"
#include "settings/ProjectSettings.h"

namespace quillmark {

namespace {

// Text a project's pages colour with the default text colour themselves
// (the editor writes it into inline styles) follows the dark text too.
constexpr std::string_view kDarkCss = R"css(
/* Dark appearance: the project keeps the colours of a new project, so its
   topics follow the reader's dark appearance on screen. */
@media screen {
:root[data-sv-theme="dark"] { color-scheme: dark; }
:root[data-sv-theme="dark"] body { background: #14171c !important; color: #e3e8ee !important; }
:root[data-sv-theme="dark"] a, :root[data-sv-theme="dark"] a:link, :root[data-sv-theme="dark"] a:visited { color: #7cb8ff !important; }
:root[data-sv-theme="dark"] table, :root[data-sv-theme="dark"] td, :root[data-sv-theme="dark"] th { border-color: #4a5461 !important; }
:root[data-sv-theme="dark"] table tr:first-child > td, :root[data-sv-theme="dark"] table tr:first-child > th,
:root[data-sv-theme="dark"] table thead td, :root[data-sv-theme="dark"] table thead th { background: #1f2b38 !important; background-color: #1f2b38 !important; }
:root[data-sv-theme="dark"] th { background: #1f2b38; }
:root[data-sv-theme="dark"] .sv-default-band { background: #1b2027 !important; border-bottom: 1px solid #2e353e; }
:root[data-sv-theme="dark"] .sv-page-header:not(.sv-default-band) { color: #1f2328; }
:root[data-sv-theme="dark"] :is(.sv-default-band, .sv-page-body) :is([style*="color:#000000" i], [style*="color: #000000" i], [style*="color:#000;" i], [style*="color: #000;" i], [style*="color:rgb(0, 0, 0)" i], [style*="color: rgb(0, 0, 0)" i], [style*="color:black" i], [style*="color: black" i]) { color: inherit !important; }
:root[data-sv-theme="dark"] :is(code, pre, kbd, samp) { background: #232a33; }
:root[data-sv-theme="dark"] blockquote { color: #aeb8c3; border-left-color: #3d4855; }
:root[data-sv-theme="dark"] :is(h1, h2, h3, h4, h5, h6, hr) { border-color: #2e353e; }
:root[data-sv-theme="dark"] .note { background: #16273a; border-left-color: #5aa9f5; }
:root[data-sv-theme="dark"] .sv-page-footer { border-top-color: #2e353e; }
}
)css";

} // namespace

bool KeepsDefaultColours(const TProjectSettings& settings) {
    const TProjectSettings defaults;
    return settings.DefaultTextColor == defaults.DefaultTextColor &&
           settings.DefaultTextBackColor == defaults.DefaultTextBackColor &&
           settings.DefaultPageBgColor == defaults.DefaultPageBgColor &&
           settings.DefaultHeaderBgColor == defaults.DefaultHeaderBgColor &&
           settings.LinkColor == defaults.LinkColor &&
           settings.TableBorderColor == defaults.TableBorderColor;
}

bool IsDefaultHeaderBackground(std::string_view background) {
    const std::string value = AsciiLower(Trim(background));
    return value == "#fafafa" || value == "#ffffff" || value == "white" ||
           value == AsciiLower(ColorToHtml(TProjectSettings().DefaultHeaderBgColor));
}

std::string WebHelpDarkCss(const TProjectSettings& settings) {
    return KeepsDefaultColours(settings) ? std::string(kDarkCss) : std::string();
}

} // namespace quillmark
