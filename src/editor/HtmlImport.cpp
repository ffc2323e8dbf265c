#include "editor/HtmlImport.h"

#include "base/FileHelpers.h"
#include "base/Regex.h"
#include "base/TextUtils.h"
#include "editor/HtmlImportFiles.h"
#include "editor/HtmlImportText.h"
#include "editor/ImportPathResolution.h"
#include "model/ProjectLinks.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace quillmark {

THtmlImport::THtmlImport(std::string projectFolder, const std::string& sourceFile,
                         THtmlImportRules rules)
    : FProjectFolder(std::move(projectFolder)),
      FBaseFolder(ExtractFileDir(AbsolutePath(sourceFile))), FRules(rules) {
    const std::string inside = FRules.InsideFolder.empty() ? FBaseFolder : FRules.InsideFolder;
    std::error_code ec;
    const fs::path realInside = fs::canonical(inside, ec);
    FRealBaseFolder = ec ? inside : realInside.string();
    if (!FRules.ListOnly)
        RequireProjectFoldersInside(FProjectFolder);
}

void THtmlImport::SetSourceFile(const std::string& sourceFile) {
    FBaseFolder = ExtractFileDir(AbsolutePath(sourceFile));
}

THtmlImport::TPlace THtmlImport::PlaceOf(const std::string& path) const {
    std::error_code ec;
    const std::string real = fs::canonical(path, ec).string();
    if (ec)
        return TPlace::Never;
    for (const char* systemFolder : {"/proc", "/sys", "/dev"})
        if (IsSameOrInsideFolder(real, systemFolder))
            return TPlace::Never;
    struct stat status {};
    if (::stat(real.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
        return TPlace::Never;
    return IsSameOrInsideFolder(real, FRealBaseFolder) ? TPlace::PageFolder : TPlace::Outside;
}

bool THtmlImport::MayCopy(const std::string& path) {
    const TPlace place = PlaceOf(path);
    if (place == TPlace::Never)
        NoteSkipped(FSkipped.NeverCopied, path);
    if (place == TPlace::Outside && (FRules.ListOnly || !FRules.CopyOutsideFiles))
        NoteSkipped(FSkipped.OutsideFiles, path);
    return !FRules.ListOnly &&
           (place == TPlace::PageFolder || (place == TPlace::Outside && FRules.CopyOutsideFiles));
}

void THtmlImport::NoteSkipped(std::vector<std::string>& list, const std::string& path) {
    if (FNoted.insert(path).second)
        list.push_back(path);
}

std::string THtmlImport::ImportDocument(std::string_view document) {
    const std::string styles = CollectImportStyles(document);
    const std::string open = BodyWrapperOpenTag(document);
    std::string body = RewriteHtml5Tags(RewriteMediaUrls(ExtractImportBody(document)));
    if (!open.empty())
        body = open + body + "</div>";
    return styles + body;
}

std::string THtmlImport::CollectImportStyles(std::string_view document) {
    static const Regex link(R"(<link\b[^>]*>)", kImportRegexOptions);
    static const Regex styleBlock(R"(<style\b[^>]*>.*?</style>)", kImportRegexOptions);

    std::string styles;
    for (const RegexMatch& match : link.Matches(document)) {
        const std::string rel = GetTagAttribute(match.Group(), "rel");
        const std::string href = DecodeAttributeValue(GetTagAttribute(match.Group(), "href"));
        if (href.empty() || !RelHasStylesheet(rel))
            continue;
        std::string newHref = href;
        if (!IsNonLocalUrl(href)) {
            const std::string path = ResolveImportPath(href, FBaseFolder);
            if (!path.empty() && FileExists(path))
                newHref = ImportStyleSheet(path).value_or(href);
        }
        styles += "<link rel=\"stylesheet\" href=\"" + HtmlAttrEscape(newHref) + "\">\r\n";
    }
    for (const RegexMatch& match : styleBlock.Matches(document))
        styles += FlattenFlexGrid(match.Group()) + "\r\n";
    return styles;
}

std::string THtmlImport::RewriteMediaUrls(std::string_view body) {
    static const Regex source(
        R"re((<(?:img|source|video|audio|track|embed|object|iframe)\b[^>]*?\b(?:src|poster|data))re"
        R"re(\s*=\s*)(?:"([^"]*)"|'([^']*)'|([^\s>]+)))re",
        kImportRegexOptions);
    static const Regex srcset(
        R"re((<(?:img|source)\b[^>]*?\bsrcset\s*=\s*)(?:"([^"]*)"|'([^']*)'|([^\s>]+)))re",
        kImportRegexOptions);

    const std::string rewritten = RewriteTagAttribute(
        body, source, [this](std::string_view url) { return ImportAssetUrl(url); });
    return RewriteTagAttribute(rewritten, srcset,
                            [this](std::string_view value) { return ImportSrcset(value); });
}

std::string THtmlImport::ImportAssetUrl(std::string_view url) {
    if (IsNonLocalUrl(url))
        return std::string(url);
    const std::string path = ResolveImportPath(url, FBaseFolder);
    if (path.empty() || !FileExists(path))
        return std::string(url);
    if (const auto known = FMediaMap.find(path); known != FMediaMap.end())
        return known->second;
    if (!MayCopy(path))
        return std::string(url);
    std::string relativeUrl;
    std::string target;
    if (!PrepareAssetByExtension(FProjectFolder, path, relativeUrl, target, &FReservations))
        return std::string(url);
    CopyImportedFile(path, target);
    FMediaMap.emplace(path, relativeUrl);
    return relativeUrl;
}

std::string THtmlImport::ImportSrcset(std::string_view value) {
    static constexpr std::string_view kWhiteSpace = " \t\r\n\f";
    std::string result;
    size_t start = 0;
    while (start <= value.size()) {
        const size_t comma = std::min(value.find(',', start), value.size());
        const std::string part = Trim(value.substr(start, comma - start));
        start = comma + 1;
        if (part.empty())
            continue;
        const size_t space = part.find_first_of(kWhiteSpace);
        const std::string descriptor =
            space == std::string::npos ? "" : Trim(std::string_view(part).substr(space));
        if (!result.empty())
            result += ", ";
        result += ImportAssetUrl(std::string_view(part).substr(0, space));
        if (!descriptor.empty())
            result += " " + descriptor;
    }
    return result;
}

std::optional<std::string> THtmlImport::ImportStyleSheet(const std::string& path) {
    if (const auto known = FStyleSheetMap.find(path); known != FStyleSheetMap.end())
        return known->second;
    if (FRules.ListOnly) {
        // A sheet the import could copy is read for the files it names.
        const bool readable = PlaceOf(path) != TPlace::Never;
        MayCopy(path);
        if (readable && FListedStyleSheets.insert(path).second)
            ImportCssFile(path, "");
        return std::nullopt;
    }
    if (!MayCopy(path))
        return std::nullopt;
    std::string relativeUrl;
    std::string target;
    if (!PrepareCssAsset(FProjectFolder, path, relativeUrl, target, &FReservations))
        return std::nullopt;
    // Mapped before it is imported, so that a sheet importing itself (or a
    // cycle of sheets) refers to the copy instead of importing it again.
    FStyleSheetMap.emplace(path, relativeUrl);
    ImportCssFile(path, target);
    return relativeUrl;
}

std::string ImportHtmlFile(const std::string& projectFolder, const std::string& sourceFile,
                           THtmlImportRules rules, THtmlImportSkipped* skipped) {
    THtmlImport import(projectFolder, sourceFile, rules);
    std::string html = import.ImportDocument(ReadImportText(sourceFile));
    if (skipped != nullptr)
        *skipped = import.Skipped();
    return html;
}

std::vector<std::string> FindOutsideFiles(const std::string& projectFolder,
                                          const std::string& sourceFile) {
    THtmlImportRules rules;
    rules.ListOnly = true;
    THtmlImportSkipped skipped;
    ImportHtmlFile(projectFolder, sourceFile, rules, &skipped);
    return skipped.OutsideFiles;
}

} // namespace quillmark
