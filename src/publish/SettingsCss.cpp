#include "publish/SettingsCss.h"

#include "base/Color.h"
#include "base/FileHelpers.h"
#include "base/TextUtils.h"
#include "model/DocProject.h"
#include "settings/ProjectSettings.h"
#include "settings/SettingsTable.h"

#include <charconv>
#include <cstdio>
#include <string_view>

namespace quillmark {

namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kFallbackBase =
    "body{font-family:Segoe UI,Arial;line-height:1.5;margin:0;}";
// What paragraphs, pictures and tables look like where the style profile
// says nothing, the same in the editor and in every output. The rules carry
// no weight (:where), so any rule of the profile wins; an engine without
// :where (the HTML Help viewer) drops them and keeps its own defaults.
constexpr std::string_view kSharedFallbacks =
    ":where(p){margin:0 0 0.8em;}"
    ":where(img){max-width:100%;}"
    ":where(table){border-collapse:collapse;margin:0 0 1em;}"
    ":where(td,th){border:1px solid #999999;padding:6px;vertical-align:top;}\r\n";

bool IsControlByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

std::string CssFontName(const TProjectSettings& settings) {
    return EscapeCssString(SettingTextOrDefault(settings, "DefaultFontName"));
}

// General form with up to 15 significant digits and no trailing zeros; the
// decimal point does not depend on the locale.
std::string CssLineHeight(double value) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    return std::string(buffer, result.ptr);
}

struct TBlockValues {
    std::string Font;
    std::string Size;
    std::string TextColor;
    std::string LineHeight;
    std::string LinkColor;
    std::string LinkStyle;
    bool LinkNone;
    std::string BorderStyle;
    std::string BorderWidth;
    std::string BorderColor;
    std::string HeaderColor;
};

TBlockValues FormatValues(const TProjectSettings& s) {
    TBlockValues v;
    v.Font = CssFontFamily(s);
    v.Size = std::to_string(s.FontSizeBody);
    v.TextColor = ColorToHtml(s.DefaultTextColor);
    v.LineHeight = CssLineHeight(s.DefaultLineSpacing);
    v.LinkColor = ColorToHtml(s.LinkColor);
    v.LinkStyle = AsciiLower(SettingTextOrDefault(s, "LinkStyle"));
    v.LinkNone = v.LinkStyle == "none";
    v.BorderStyle = AsciiLower(Trim(s.TableBorderStyle));
    v.BorderWidth = std::to_string(s.TableBorderWidth);
    v.BorderColor = ColorToHtml(s.TableBorderColor);
    v.HeaderColor = ColorToHtml(s.DefaultHeaderBgColor);
    return v;
}

class TCssLines {
public:
    void Add(std::string_view line) {
        text_ += line;
        text_ += kCrLf;
    }
    std::string Take() { return std::move(text_); }

private:
    std::string text_;
};

void AddBodyAndLinkColor(TCssLines& css, const TBlockValues& v) {
    css.Add("");
    css.Add("/* Project settings overrides */");
    css.Add("body {");
    css.Add("  font-family: " + v.Font + " !important;");
    css.Add("  font-size: " + v.Size + "px !important;");
    css.Add("  color: " + v.TextColor + " !important;");
    css.Add("  line-height: " + v.LineHeight + " !important;");
    css.Add("}");
    css.Add("a, a:link, a:visited {");
    css.Add("  color: " + v.LinkColor + " !important;");
}

void AddHeaderRowBackground(TCssLines& css, const TBlockValues& v) {
    css.Add("  background: " + v.HeaderColor + " !important;");
    css.Add("  background-color: " + v.HeaderColor + " !important;");
    css.Add("}");
}

std::string StandardBlock(const TBlockValues& v) {
    TCssLines css;
    AddBodyAndLinkColor(css, v);
    if (v.LinkNone) {
        css.Add("  text-decoration: none !important;");
    } else {
        css.Add("  text-decoration-line: underline !important;");
        css.Add("  text-decoration-style: " + v.LinkStyle + " !important;");
    }
    css.Add("}");
    css.Add("table {");
    css.Add("  border-collapse: collapse;");
    css.Add("  max-width: 100%;");
    css.Add("}");
    css.Add("table, td, th {");
    css.Add("  border-style: " + v.BorderStyle + " !important;");
    css.Add("  border-width: " + v.BorderWidth + "px !important;");
    css.Add("  border-color: " + v.BorderColor + " !important;");
    css.Add("}");
    css.Add("td, th {");
    css.Add("  padding: 6px;");
    css.Add("  vertical-align: top;");
    css.Add("}");
    css.Add("table tr:first-child > td, table tr:first-child > th {");
    AddHeaderRowBackground(css, v);
    return css.Take();
}

// The CHM viewer draws links with a bottom border instead of an underline
// decoration, and table borders with the shorthand property.
std::string ChmBlock(const TBlockValues& v) {
    const std::string border =
        "  border: " + v.BorderWidth + "px " + v.BorderStyle + " " + v.BorderColor + " !important;";
    TCssLines css;
    AddBodyAndLinkColor(css, v);
    css.Add("  text-decoration: none !important;");
    if (v.LinkNone) {
        css.Add("  border-bottom: none !important;");
    } else {
        css.Add("  border-bottom-width: 1px !important;");
        css.Add("  border-bottom-style: " + v.LinkStyle + " !important;");
        css.Add("  border-bottom-color: " + v.LinkColor + " !important;");
    }
    css.Add("}");
    css.Add("table {");
    css.Add("  border-collapse: collapse;");
    css.Add("  max-width: 100%;");
    css.Add(border);
    css.Add("}");
    css.Add("td, th {");
    css.Add(border);
    css.Add("  padding: 6px;");
    css.Add("  vertical-align: top;");
    css.Add("}");
    css.Add("table thead td, table thead th, table tr:first-child td, table tr:first-child th {");
    AddHeaderRowBackground(css, v);
    return css.Take();
}

// Profile names come from project files; a name with a path delimiter or a
// control character could reach files outside the project's styles folder
// and is treated as a profile without a stylesheet.
bool IsSafeProfileName(std::string_view name) { return IsSafePathComponent(name); }

std::string StylesFolder(const TDocProject& project) {
    return JoinPath(project.FRootPath, "styles");
}

bool ReadIfExists(const std::string& path, std::string& text) {
    if (path.empty() || !FileExists(path))
        return false;
    text = ReadTextFileUtf8(path);
    return true;
}

std::string ProfileOrFallback(const TDocProject& project) {
    std::string text;
    if (ReadIfExists(ProfileStylesheetPath(project), text))
        return text;
    return std::string(kFallbackBase);
}

std::string EditorBase(const TDocProject& project) {
    std::string text;
    if (ReadIfExists(ProfileStylesheetPath(project), text) ||
        ReadIfExists(JoinPath(StylesFolder(project), "default.css"), text))
        return text;
    return std::string(kFallbackBase);
}

} // namespace

std::string EscapeCssString(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (IsControlByte(c)) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\%x ", static_cast<unsigned char>(c));
            out += escape;
        } else {
            out += c;
        }
    }
    return out;
}

std::string CssFontFamily(const TProjectSettings& settings) {
    return "\"" + CssFontName(settings) + "\", Arial, sans-serif";
}

std::string BuildSettingsCss(const TProjectSettings* settings, TStylesheetTarget target) {
    if (settings == nullptr)
        return {};
    const TBlockValues values = FormatValues(*settings);
    return target == TStylesheetTarget::stChm ? ChmBlock(values) : StandardBlock(values);
}

std::string ProfileStylesheetPath(const TDocProject& project) {
    if (!IsSafeProfileName(project.FStyleProfile))
        return {};
    return JoinPath(StylesFolder(project), project.FStyleProfile + ".css");
}

std::string ComposeTargetCss(const TDocProject& project, const TProjectSettings* settings,
                             TStylesheetTarget target) {
    std::string css(kSharedFallbacks);
    if (target == TStylesheetTarget::stEditor) {
        css += EditorBase(project);
        css += kCrLf;
    } else {
        css += ProfileOrFallback(project);
    }
    return css + BuildSettingsCss(settings, target);
}

std::string TargetCssPath(const TDocProject& project, TStylesheetTarget target) {
    switch (target) {
    case TStylesheetTarget::stEditor:
        return JoinPath(JoinPath(project.FRootPath, "internal/editor"), "editor_effective.css");
    case TStylesheetTarget::stWebHelp:
        return JoinPath(JoinPath(project.FRootPath, "build/webhelp"), "style.css");
    case TStylesheetTarget::stChm:
        return JoinPath(JoinPath(project.FRootPath, "build/chm"), "style.css");
    case TStylesheetTarget::stPdf:
        return JoinPath(JoinPath(project.FRootPath, "build/pdf"), "style.css");
    }
    return {};
}

std::string WriteTargetCss(const TDocProject& project, const TProjectSettings* settings,
                           TStylesheetTarget target) {
    const std::string path = TargetCssPath(project, target);
    WriteTextFileUtf8(path, ComposeTargetCss(project, settings, target));
    return path;
}

} // namespace quillmark
