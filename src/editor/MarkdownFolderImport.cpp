#include "editor/MarkdownFolderImport.h"

#include "base/FileHelpers.h"
#include "base/HtmlEscaping.h"
#include "base/QuillError.h"
#include "base/Regex.h"
#include "base/TextUtils.h"
#include "editor/HtmlImportFiles.h"
#include "editor/HtmlImportText.h"
#include "editor/ImportPathResolution.h"
#include "editor/MarkdownFolderPlan.h"
#include "editor/MarkdownNoteStyles.h"
#include "editor/MarkdownPage.h"
#include "model/DocProject.h"
#include "model/ProjectLinks.h"
#include "model/ProjectStorage.h"
#include "model/TopicPageFiles.h"

#include <exception>
#include <filesystem>
#include <map>
#include <optional>

namespace fs = std::filesystem;

namespace quillmark {

namespace {

struct TPlannedTopic {
    const TMarkdownNode* Node;
    std::string ID;
};

class TMarkdownFolderImport {
public:
    // The HTML import is pointed at each page before it reads one.
    TMarkdownFolderImport(TDocProject& project, const TMarkdownImportOptions& options,
                          TMarkdownPlan plan)
        : project_(project), options_(options), plan_(std::move(plan)),
          import_(project.FRootPath, JoinPath(plan_.Folder, kMkDocsFileName), Rules()) {}

    TMarkdownImportReport Run() {
        ReadPages(plan_.Roots);
        if (!options_.ParentID.empty() && !project_.HasTopic(options_.ParentID))
            throw QuillError("No topic with the identifier " + options_.ParentID);
        report_.MissingNavPages = plan_.MissingNavPages;
        report_.SkippedNavEntries = plan_.SkippedNavEntries;
        AddTopics(plan_.Roots, options_.ParentID);
        try {
            for (const TPlannedTopic& planned : topics_)
                WriteTextFileUtf8(project_.GetTopic(planned.ID).FHtmlPath, PageHtml(planned));
            if (hasNotes_)
                AddNoteStylesToProfile(project_);
            SaveProjectFolder(project_);
        } catch (const std::exception&) {
            Undo();
            throw;
        }
        report_.TopicCount = topics_.size();
        report_.SkippedFiles = import_.Skipped();
        return std::move(report_);
    }

private:
    THtmlImportRules Rules() const {
        THtmlImportRules rules;
        rules.CopyOutsideFiles = options_.CopyOutsideFiles;
        rules.InsideFolder = plan_.Folder;
        return rules;
    }

    // Every page is read and rendered before the project changes.
    void ReadPages(const std::vector<TMarkdownNode>& nodes) {
        for (const TMarkdownNode& node : nodes) {
            if (!node.File.empty() && pages_.count(node.File) == 0)
                pages_.emplace(node.File, RenderMarkdownPage(ReadImportText(node.File)));
            ReadPages(node.Children);
        }
    }

    void AddTopics(const std::vector<TMarkdownNode>& nodes, const std::string& parentId) {
        for (const TMarkdownNode& node : nodes) {
            const std::string id = project_.AddTopic(TitleOf(node), parentId).FID;
            if (parentId == options_.ParentID)
                report_.RootIDs.push_back(id);
            topics_.push_back({&node, id});
            if (!node.File.empty())
                topicByFile_.emplace(node.File, id);
            AddTopics(node.Children, id);
        }
    }

    std::string TitleOf(const TMarkdownNode& node) const {
        if (!Trim(node.Label).empty())
            return Trim(node.Label);
        const TMarkdownPage& page = pages_.at(node.File);
        for (const std::string& title : {page.FrontMatterTitle, page.FirstHeading})
            if (!title.empty())
                return title;
        // An index page stands for its folder.
        const std::string name = FileNameWithoutExt(node.File);
        if (AsciiSameText(name, "index") || AsciiSameText(name, "README"))
            return ExtractFileName(ExtractFileDir(node.File));
        return name;
    }

    std::string PageHtml(const TPlannedTopic& planned) {
        const TMarkdownNode& node = *planned.Node;
        const std::string& title = project_.GetTopic(planned.ID).FTitle;
        if (node.File.empty())
            return SectionHtml(planned.ID, title);
        const TMarkdownPage& page = pages_.at(node.File);
        hasNotes_ = hasNotes_ || page.HasAdmonitions;
        import_.SetSourceFile(node.File);
        std::string html = import_.ImportDocument(LinkPages(page.Html, node.File));
        static const Regex levelOneHeading(R"(<h1\b)", Regex::Caseless);
        if (!levelOneHeading.IsMatch(html))
            html = "<h1>" + EscapeHtml(title) + "</h1>\n" + html;
        return html;
    }

    // A section without a page of its own lists its entries.
    std::string SectionHtml(const std::string& id, const std::string& title) const {
        std::string html = "<h1>" + EscapeHtml(title) + "</h1>\n<ul>\n";
        for (const std::string& child : project_.GetTopic(id).FChildren)
            html += "<li><a href=\"doc:" + child + "\">" +
                    EscapeHtml(project_.GetTopic(child).FTitle) + "</a></li>\n";
        return html + "</ul>\n";
    }

    // Links to pages of the import become topic links, links to other local
    // files copies in the asset folders; what names no file is reported.
    // Pictures are copied by the HTML import afterwards; here they are only
    // checked.
    std::string LinkPages(std::string_view html, const std::string& pageFile) {
        static const Regex anchor(
            R"re((<a\b[^>]*?\bhref\s*=\s*)(?:"([^"]*)"|'([^']*)'|([^\s>]+)))re", kImportRegexOptions);
        static const Regex media(
            R"re((<(?:img|source|video|audio)\b[^>]*?\bsrc\s*=\s*)(?:"([^"]*)"|'([^']*)'|([^\s>]+)))re",
            kImportRegexOptions);
        const std::string linked = RewriteTagAttribute(html, anchor, [&](std::string_view url) {
            return LinkTarget(url, pageFile);
        });
        return RewriteTagAttribute(linked, media, [&](std::string_view url) {
            if (!IsNonLocalUrl(url) && !FileExists(LocalPath(url, pageFile)))
                NoteMissing(pageFile, url);
            return std::string(url);
        });
    }

    std::string LinkTarget(std::string_view url, const std::string& pageFile) {
        if (IsNonLocalUrl(url))
            return std::string(url);
        const std::string path = LocalPath(url, pageFile);
        if (const std::optional<std::string> id = TopicOf(path)) {
            const size_t hash = url.find('#');
            return "doc:" + *id + (hash == std::string_view::npos ? "" : std::string(url.substr(hash)));
        }
        if (!FileExists(path)) {
            NoteMissing(pageFile, url);
            return std::string(url);
        }
        return import_.ImportAssetUrl(url);
    }

    // The file a local URL names, or "" when it can name none.
    static std::string LocalPath(std::string_view url, const std::string& pageFile) {
        try {
            return ResolveImportPath(url, ExtractFileDir(pageFile));
        } catch (const QuillError&) {
            return ""; // a malformed escape: reported as naming no file
        }
    }

    // The topic of an imported page; a folder stands for its index page.
    std::optional<std::string> TopicOf(const std::string& path) const {
        if (path.empty())
            return std::nullopt;
        for (const char* index : {"", "index.md", "README.md"}) {
            const std::optional<std::string> real =
                ExistingRealPath(*index == 0 ? path : JoinPath(path, index));
            if (!real)
                continue;
            if (const auto found = topicByFile_.find(*real); found != topicByFile_.end())
                return found->second;
        }
        return std::nullopt;
    }

    void NoteMissing(const std::string& pageFile, std::string_view url) {
        const std::string page =
            fs::path(pageFile).lexically_relative(plan_.Folder).generic_string();
        report_.MissingLinks.push_back(page + ": " + std::string(url));
    }

    // Takes the new topics, their pages and the copies made out again.
    void Undo() noexcept {
        try {
            for (const std::string& id : report_.RootIDs)
                DeleteTopicWithPages(project_, id);
            for (const auto* copies : {&import_.MediaMap(), &import_.StyleSheetMap()})
                for (const auto& [source, url] : *copies)
                    DeleteFileIfExists(JoinPath(project_.FRootPath, url));
        } catch (const std::exception&) {
            // The first error is the one to report.
        }
    }

    TDocProject& project_;
    const TMarkdownImportOptions& options_;
    TMarkdownPlan plan_;
    THtmlImport import_;
    std::map<std::string, TMarkdownPage> pages_;
    std::map<std::string, std::string> topicByFile_;
    std::vector<TPlannedTopic> topics_;
    TMarkdownImportReport report_;
    bool hasNotes_ = false;
};

void AddLines(std::vector<std::string>& lines, const std::string& heading,
              const std::vector<std::string>& items) {
    if (items.empty())
        return;
    lines.push_back(heading);
    for (const std::string& item : items)
        lines.push_back("  " + item);
}

} // namespace

TMarkdownImportReport ImportMarkdownFolder(TDocProject& project, const std::string& folder,
                                           const TMarkdownImportOptions& options) {
    return TMarkdownFolderImport(project, options, PlanMarkdownFolder(folder)).Run();
}

std::vector<std::string> MarkdownImportReportLines(const TMarkdownImportReport& report) {
    std::vector<std::string> lines;
    AddLines(lines, "Links to missing files:", report.MissingLinks);
    AddLines(lines, "Pages the nav names that do not exist:", report.MissingNavPages);
    AddLines(lines, "Nav entries not imported:", report.SkippedNavEntries);
    AddLines(lines, "Not copied, outside the folder (allow outside files to copy them):",
             report.SkippedFiles.OutsideFiles);
    AddLines(lines, "Not copied, no regular file or a file of the system:",
             report.SkippedFiles.NeverCopied);
    return lines;
}

} // namespace quillmark
