#pragma once

#include <string>
#include <string_view>

namespace quillmark {

// The absolute local path a URL of an imported document names, or "" when
// the URL is empty once its query and fragment are cut off. "file:///" URLs
// name absolute paths; other URLs are percent-decoded paths, with either
// delimiter, relative to `baseFolder` unless rooted. A rooted path naming no
// file is also looked for below `baseFolder` (a site-root URL such as
// "/images/a.png" beside the page). Whether the file exists is the caller's
// test. A malformed percent escape or a NUL character raises a QuillError.
std::string ResolveImportPath(std::string_view url, std::string_view baseFolder);

// The same for URLs inside a style sheet, without the site-root retry.
std::string ResolveCssPath(std::string_view url, std::string_view baseFolder);

} // namespace quillmark
