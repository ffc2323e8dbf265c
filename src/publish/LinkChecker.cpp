#include "publish/LinkChecker.h"

#include "base/FileHelpers.h"
#include "base/PercentDecoding.h"
#include "base/Regex.h"
#include "base/TextUtils.h"
#include "model/DocProject.h"
#include "model/HelpIds.h"
#include "model/ProjectLinks.h"
#include "publish/HtmlHelpers.h"
#include "publish/PageAnchors.h"

#include <algorithm>
#include <cctype>
#include <exception>
#include <filesystem>
#include <optional>
#include <unordered_map>

namespace quillmark {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kPageExtension = ".html";

const Regex& LocalReferencePattern() {
    static const Regex pattern("(src|href)\\s*=\\s*\"([^\"]+)\"", Regex::Caseless);
    return pattern;
}

// "scheme:" as in a URL ("data:", "ftp:", "javascript:"); at least two
// characters, so that a drive letter does not count.
bool HasUrlScheme(std::string_view value) {
    if (value.empty() || !std::isalpha(static_cast<unsigned char>(value[0])))
        return false;
    for (size_t i = 1; i < value.size(); ++i) {
        const auto c = static_cast<unsigned char>(value[i]);
        if (c == ':')
            return i >= 2;
        if (!std::isalnum(c) && c != '+' && c != '-' && c != '.')
            return false;
    }
    return false;
}

bool IsLocalReference(std::string_view value) {
    return !(AsciiStartsWithIgnoreCase(value, "http") ||
             AsciiStartsWithIgnoreCase(value, "mailto:") ||
             AsciiStartsWithIgnoreCase(value, "doc:") || StartsWith(value, "#") ||
             StartsWith(value, "//") || HasUrlScheme(value));
}

// Entities and percent escapes decoded; the text itself when it holds a
// malformed escape.
std::string DecodedPath(std::string_view path) {
    const std::string unescaped = DecodeHtml(path);
    return PercentDecode(unescaped).value_or(unescaped);
}

class TLinkChecker {
public:
    explicit TLinkChecker(const TDocProject& project) : project_(project) {}

    std::vector<TLinkIssue> Run() {
        for (const std::string& id : project_.FTopics.Ids())
            CheckTopic(*project_.FTopics.Find(id));
        for (THelpIdProblem& problem : HelpIdProblems(project_))
            AddLinkIssue(problem.TopicID, std::move(problem.Text));
        ListPagesWithoutTopic();
        return std::move(issues_);
    }

private:
    void AddLinkIssue(const std::string& topicId, std::string issue) {
        const TTopic* topic = project_.FTopics.Find(topicId);
        issues_.push_back({topicId, topic != nullptr ? topic->FTitle : "", std::move(issue)});
    }

    void CheckTopic(const TTopic& topic) {
        std::string html;
        if (!ReadProjectTextFile(project_.FRootPath, topic.FHtmlPath, html)) {
            AddLinkIssue(topic.FID, "Missing HTML file: " + topic.FHtmlPath);
            return;
        }
        for (const TDocLink& link : ExtractDocLinks(html)) {
            if (!project_.HasTopic(link.ID))
                AddLinkIssue(topic.FID, "Broken internal link: doc:" + link.ID);
            else if (!link.Anchor.empty() && !TargetHasAnchor(link))
                AddLinkIssue(topic.FID, "Missing anchor: doc:" + link.ID + "#" + link.Anchor);
        }
        const std::string topicFolder = ExtractFileDir(topic.FHtmlPath);
        for (const RegexMatch& match : LocalReferencePattern().Matches(html)) {
            const std::string_view value = match.Group(2);
            if (IsLocalReference(value) && !ReferenceExists(value, topicFolder))
                AddLinkIssue(topic.FID, "Missing local reference: " + std::string(value));
        }
    }

    // A target whose page is missing has its own finding.
    bool TargetHasAnchor(const TDocLink& link) {
        auto known = anchors_.find(link.ID);
        if (known == anchors_.end()) {
            std::string html;
            const bool read =
                ReadProjectTextFile(project_.FRootPath, project_.FTopics.Find(link.ID)->FHtmlPath, html);
            known = anchors_.emplace(link.ID, read ? std::optional(PageAnchors(html)) : std::nullopt).first;
        }
        return !known->second || HasPageAnchor(*known->second, link.Anchor);
    }

    // Pages in the topics folder that no topic owns, such as one left by an
    // addition that could not save the tree, in the order of their names.
    void ListPagesWithoutTopic() {
        const std::string folder = JoinPath(project_.FRootPath, "topics");
        std::vector<std::string> names;
        std::error_code ec;
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            const std::string name = it->path().filename().string();
            std::error_code kindError;
            if (!std::string_view(name).ends_with(kPageExtension) || it->is_directory(kindError))
                continue;
            if (!project_.HasTopic(name.substr(0, name.size() - kPageExtension.size())))
                names.push_back(name);
        }
        std::sort(names.begin(), names.end());
        for (const std::string& name : names)
            issues_.push_back({"", name, "Page file without a topic: " + JoinPath(folder, name)});
    }

    // The value without query and fragment, as written and with entities
    // and percent escapes decoded, below the project folder or the page's.
    bool ReferenceExists(std::string_view value, const std::string& topicFolder) {
        const std::string_view path = value.substr(0, value.find_first_of("?#"));
        if (path.empty())
            return true; // the page itself, with a query
        const std::string decoded = DecodedPath(path);
        for (const std::string& base : {project_.FRootPath, topicFolder}) {
            if (PathExists(base, path) || (decoded != path && PathExists(base, decoded)))
                return true;
        }
        return false;
    }

    // A value that cannot be made into a path counts as missing.
    bool PathExists(const std::string& base, std::string_view relative) {
        try {
            const std::string full = AbsolutePath(JoinPath(base, relative));
            const auto known = exists_.find(full);
            if (known != exists_.end())
                return known->second;
            const bool exists = FileExists(full);
            exists_.emplace(full, exists);
            return exists;
        } catch (const std::exception&) {
            return false;
        }
    }

    const TDocProject& project_;
    std::vector<TLinkIssue> issues_;
    // Looked-up paths, since many pages refer to the same files.
    std::unordered_map<std::string, bool> exists_;
    // The anchors of each page a topic link with an anchor leads to.
    std::unordered_map<std::string, std::optional<std::unordered_set<std::string>>> anchors_;
};

} // namespace

std::vector<TLinkIssue> CheckLinks(const TDocProject& project) {
    return TLinkChecker(project).Run();
}

} // namespace quillmark
