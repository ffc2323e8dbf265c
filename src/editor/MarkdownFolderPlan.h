#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quillmark {

// A topic-to-be of a Markdown folder import.
struct TMarkdownNode {
    std::string Label; // the nav's label, a folder's name for a folder without a page, or ""
    std::string File;  // the Markdown file (absolute, links resolved), "" for a section
    std::vector<TMarkdownNode> Children;
};

// The contents of a folder of Markdown pages, before anything is read.
struct TMarkdownPlan {
    std::string Folder;     // the folder imported, absolute with links resolved
    std::string DocsFolder; // where the pages are: Folder, or mkdocs.yml's docs_dir
    std::vector<TMarkdownNode> Roots;
    std::vector<std::string> MissingNavPages; // nav paths that name no page of the docs folder
    std::vector<std::string> SkippedNavEntries;
};

// The file name of a static-site generator's configuration.
inline constexpr const char* kMkDocsFileName = "mkdocs.yml";

// Plans the import of `folder`. With a "mkdocs.yml" the tree follows its
// "nav" (paths relative to its docs_dir, "docs" by default), and the pages
// of the docs folder the nav leaves out follow it at the end. Otherwise the
// folder tree: a folder's "index.md" or "README.md" is the parent of its
// other pages and sub-folders, a folder without one becomes a section named
// after it; the top folder's own index is the first root topic. Pages in
// name order, then sub-folders; hidden files and folders are left out, and
// so are links leading outside the folder. A folder that does not exist,
// holds no Markdown page or names its docs folder outside itself raises a
// QuillError; so does a "mkdocs.yml" that cannot be read.
TMarkdownPlan PlanMarkdownFolder(const std::string& folder);

// The path with links and "." / ".." resolved; nothing when it does not exist.
std::optional<std::string> ExistingRealPath(const std::string& path);

} // namespace quillmark
