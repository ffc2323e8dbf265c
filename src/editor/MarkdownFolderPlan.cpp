#include "editor/MarkdownFolderPlan.h"

#include "base/FileHelpers.h"
#include "base/QuillError.h"
#include "base/TextUtils.h"
#include "base/Translation.h"
#include "editor/HtmlImportFiles.h"
#include "editor/MkDocsConfig.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <set>

namespace fs = std::filesystem;

namespace quillmark {

namespace {

// Folders nested deeper are not walked (the walk is recursive).
constexpr int kMaxFolderDepth = 64;

bool IsMarkdownName(std::string_view name) {
    return AsciiEndsWithIgnoreCase(name, ".md") || AsciiEndsWithIgnoreCase(name, ".markdown");
}

// The page that stands for its folder; "index.md" wins over "README.md".
int IndexRank(std::string_view name) {
    if (AsciiSameText(name, "index.md"))
        return 1;
    if (AsciiSameText(name, "README.md"))
        return 2;
    return 0;
}

class TFolderPlanner {
public:
    explicit TFolderPlanner(std::string folder) : folder_(std::move(folder)) {}

    // The page at `path` when it is a Markdown file inside the folder,
    // followed through links, and not planned yet.
    std::optional<std::string> TakePage(const std::string& path) {
        const std::optional<std::string> real = ExistingRealPath(path);
        if (!real || !FileExists(*real) || !IsSameOrInsideFolder(*real, folder_) ||
            !planned_.insert(*real).second)
            return std::nullopt;
        return real;
    }

    // The pages of `dir` and its sub-folders not planned yet. The top
    // folder's index comes first beside its other pages; a sub-folder's is
    // their parent.
    std::vector<TMarkdownNode> PlanFolder(const std::string& dir, bool top, int depth) {
        std::vector<std::string> pages;
        std::vector<std::string> folders;
        ListFolder(dir, pages, folders);
        std::optional<std::string> index;
        std::vector<TMarkdownNode> children;
        for (const std::string& name : pages) {
            const std::optional<std::string> page = TakePage(JoinPath(dir, name));
            if (!page)
                continue;
            if (IndexRank(name) != 0 && !index)
                index = page;
            else
                children.push_back({"", *page, {}});
        }
        if (depth < kMaxFolderDepth) {
            for (const std::string& name : folders) {
                std::vector<TMarkdownNode> sub = PlanFolder(JoinPath(dir, name), false, depth + 1);
                children.insert(children.end(), std::make_move_iterator(sub.begin()),
                                std::make_move_iterator(sub.end()));
            }
        }
        if (top) {
            if (index)
                children.insert(children.begin(), TMarkdownNode{"", *index, {}});
            return children;
        }
        if (index)
            return {TMarkdownNode{"", *index, std::move(children)}};
        if (children.empty())
            return {};
        return {TMarkdownNode{ExtractFileName(ExcludeTrailingPathDelimiter(dir)), "",
                              std::move(children)}};
    }

    std::vector<TMarkdownNode> PlanNav(const std::vector<TNavEntry>& entries,
                                       const std::string& docsFolder,
                                       std::vector<std::string>& missing) {
        std::vector<TMarkdownNode> nodes;
        for (const TNavEntry& entry : entries) {
            if (entry.IsSection) {
                nodes.push_back({entry.Label, "", PlanNav(entry.Children, docsFolder, missing)});
                continue;
            }
            const std::optional<std::string> real = ExistingRealPath(JoinPath(docsFolder, entry.Page));
            if (real && planned_.count(*real) != 0)
                continue; // named twice: the first place wins
            std::optional<std::string> page;
            if (real && IsMarkdownName(entry.Page) && IsSameOrInsideFolder(*real, docsFolder))
                page = TakePage(*real);
            if (page)
                nodes.push_back({entry.Label, *page, {}});
            else
                missing.push_back(entry.Page);
        }
        return nodes;
    }

private:
    // Markdown files and real (not linked) sub-folders, hidden ones left
    // out, each list in name order.
    static void ListFolder(const std::string& dir, std::vector<std::string>& pages,
                           std::vector<std::string>& folders) {
        std::error_code ec;
        for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
            const std::string name = it->path().filename().string();
            if (name.starts_with("."))
                continue;
            std::error_code kindError;
            if (it->is_symlink(kindError) ? false : it->is_directory(kindError))
                folders.push_back(name);
            else if (IsMarkdownName(name))
                pages.push_back(name);
        }
        if (ec)
            throw QuillError(FormatText(Translate("Cannot read folder \"%s\": %s"),
                                        {dir, ec.message()}));
        std::sort(pages.begin(), pages.end());
        std::sort(folders.begin(), folders.end());
    }

    std::string folder_;
    std::set<std::string> planned_;
};

size_t CountPages(const std::vector<TMarkdownNode>& nodes) {
    size_t count = 0;
    for (const TMarkdownNode& node : nodes)
        count += (node.File.empty() ? 0 : 1) + CountPages(node.Children);
    return count;
}

} // namespace

TMarkdownPlan PlanMarkdownFolder(const std::string& folder) {
    const std::optional<std::string> real = ExistingRealPath(folder);
    if (!real || !DirectoryExists(*real))
        throw QuillError(FormatText(Translate("Folder not found: %s"), {folder}));
    TMarkdownPlan plan;
    plan.Folder = *real;
    plan.DocsFolder = *real;
    TFolderPlanner planner(plan.Folder);

    const std::string configFile = JoinPath(plan.Folder, kMkDocsFileName);
    if (FileExists(configFile)) {
        const TMkDocsConfig config = ReadMkDocsConfig(ReadImportText(configFile), configFile);
        const std::optional<std::string> docs = ExistingRealPath(JoinPath(plan.Folder, config.DocsDir));
        if (!docs || !DirectoryExists(*docs) || !IsSameOrInsideFolder(*docs, plan.Folder))
            throw QuillError(FormatText(
                Translate("The docs folder of \"%s\" is no folder inside it: %s"),
                {configFile, config.DocsDir}));
        plan.DocsFolder = *docs;
        plan.SkippedNavEntries = config.Skipped;
        if (config.HasNav)
            plan.Roots = planner.PlanNav(config.Nav, plan.DocsFolder, plan.MissingNavPages);
    }
    std::vector<TMarkdownNode> rest = planner.PlanFolder(plan.DocsFolder, true, 0);
    plan.Roots.insert(plan.Roots.end(), std::make_move_iterator(rest.begin()),
                      std::make_move_iterator(rest.end()));
    if (CountPages(plan.Roots) == 0)
        throw QuillError(FormatText(Translate("The folder holds no Markdown files: %s"), {folder}));
    return plan;
}

std::optional<std::string> ExistingRealPath(const std::string& path) {
    std::error_code ec;
    const fs::path real = fs::canonical(path, ec);
    if (ec)
        return std::nullopt;
    return real.string();
}

} // namespace quillmark
