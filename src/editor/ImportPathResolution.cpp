#include "editor/ImportPathResolution.h"

#include "base/FileHelpers.h"
#include "base/PercentDecoding.h"
#include "base/QuillError.h"
#include "base/TextUtils.h"
#include "base/Translation.h"
#include "editor/HtmlImportText.h"

namespace quillmark {

namespace {

constexpr std::string_view kFileUrlPrefix = "file:///";

// The decoded path with backslashes, which pages written on Windows use as
// delimiters, turned into the delimiter of this system.
std::string DecodedLocalPath(std::string_view encoded, std::string_view url) {
    const std::optional<std::string> decoded = PercentDecode(encoded);
    if (!decoded)
        throw QuillError(FormatText(
            Translate("The address \"%s\" holds a malformed percent escape."), {std::string(url)}));
    std::string path = ReplaceAll(*decoded, "\\", std::string(1, kPathDelim));
    if (path.find('\0') != std::string::npos)
        throw QuillError(FormatText(Translate("The address \"%s\" names a path with characters "
                                              "that are not allowed in file names."),
                                    {std::string(url)}));
    return path;
}

std::string ResolveLocalUrl(std::string_view url, std::string_view baseFolder, bool siteRootRetry) {
    const std::string stripped = StripUrlQueryAndFragment(url);
    if (stripped.empty())
        return "";
    if (AsciiStartsWithIgnoreCase(stripped, kFileUrlPrefix)) {
        // The slash that ends the prefix starts the absolute path.
        return AbsolutePath(
            DecodedLocalPath(std::string_view(stripped).substr(kFileUrlPrefix.size() - 1), url));
    }
    const std::string path = DecodedLocalPath(stripped, url);
    if (path.empty() || path.front() != kPathDelim)
        return AbsolutePath(JoinPath(baseFolder, path));
    const std::string rooted = AbsolutePath(path);
    if (siteRootRetry && !FileExists(rooted))
        return AbsolutePath(JoinPath(baseFolder, std::string_view(path).substr(1)));
    return rooted;
}

} // namespace

std::string ResolveImportPath(std::string_view url, std::string_view baseFolder) {
    return ResolveLocalUrl(url, baseFolder, true);
}

std::string ResolveCssPath(std::string_view url, std::string_view baseFolder) {
    return ResolveLocalUrl(url, baseFolder, false);
}

} // namespace quillmark
