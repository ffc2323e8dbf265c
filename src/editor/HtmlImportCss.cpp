#include "base/FileHelpers.h"
#include "base/Regex.h"
#include "base/TextUtils.h"
#include "editor/HtmlImport.h"
#include "editor/HtmlImportFiles.h"
#include "editor/HtmlImportText.h"
#include "editor/ImportPathResolution.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace quillmark {

namespace {

constexpr std::string_view kCssUrlPrefix = "assets/css/";

} // namespace

void THtmlImport::ImportCssFile(const std::string& source, const std::string& target) {
    static const Regex importRule(
        R"re(@import\s+(?:url\(\s*(?:"([^"]*)"|'([^']*)'|([^\)\s]+))\s*\))re"
        R"re(|"([^"]*)"|'([^']*)')([^;]*);)re",
        kImportRegexOptions);
    static const Regex urlFunction(R"re(url\(\s*(?:"([^"]*)"|'([^']*)'|([^\)\s]+))\s*\))re",
                                   kImportRegexOptions);

    const std::string base = ExtractFileDir(source);
    const std::string text = ReadImportText(source);

    // The @import URLs are set aside behind placeholders, so that the url()
    // pass below does not take them for files to copy.
    std::vector<std::pair<std::string, std::string>> placeholders;
    std::string css = importRule.ReplaceMatches(text, [&](const RegexMatch& match) {
        const std::string url(FirstMatchedGroup(match, 1, 5));
        std::string value = url;
        if (!IsNonLocalUrl(url)) {
            const std::string path = ResolveCssPath(url, base);
            if (!path.empty() && FileExists(path)) {
                const std::string rel = ImportStyleSheet(path).value_or(url);
                // Both sheets live in the style-sheet folder.
                value = AsciiStartsWithIgnoreCase(rel, kCssUrlPrefix)
                            ? rel.substr(kCssUrlPrefix.size())
                            : rel;
            }
        }
        const std::string placeholder =
            "__DM_IMPORT_URL_" + std::to_string(placeholders.size()) + "__";
        placeholders.emplace_back(placeholder, CssStringEscape(value));
        std::string media = match.Matched(6) ? Trim(match.Group(6)) : "";
        if (!media.empty())
            media = " " + media;
        return "@import url(\"" + placeholder + "\")" + media + ";";
    });

    css = urlFunction.ReplaceMatches(css, [&](const RegexMatch& match) {
        std::string value(FirstMatchedGroup(match, 1, 3));
        const bool isPlaceholder =
            std::any_of(placeholders.begin(), placeholders.end(),
                        [&](const auto& entry) { return entry.first == value; });
        if (!isPlaceholder && !IsNonLocalUrl(value)) {
            const std::string path = ResolveCssPath(value, base);
            std::string relativeUrl;
            std::string copyTarget;
            if (!path.empty() && FileExists(path) && MayCopy(path) &&
                PrepareCssAsset(FProjectFolder, path, relativeUrl, copyTarget, &FReservations)) {
                CopyImportedFile(path, copyTarget);
                value = ExtractFileName(copyTarget);
            }
        }
        return "url(\"" + CssStringEscape(value) + "\")";
    });

    if (FRules.ListOnly)
        return;
    for (const auto& [placeholder, value] : placeholders)
        css = ReplaceAll(css, placeholder, value);
    WriteTextFileUtf8Bom(target, FlattenFlexGrid(css));
}

} // namespace quillmark
