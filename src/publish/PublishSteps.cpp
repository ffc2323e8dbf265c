#include "publish/PublishSteps.h"

#include "base/FileHelpers.h"
#include "base/QuillError.h"
#include "base/TextUtils.h"
#include "model/DocProject.h"
#include "model/HeaderFiles.h"
#include "model/ProjectLinks.h"
#include "model/TopicId.h"
#include "reuse/TokenExpansion.h"
#include "settings/ProjectSettings.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace quillmark {

namespace {

constexpr const char* kDefaultHeaderBackground = "#fafafa";

void RequireSafeTopicId(const std::string& id) {
    if (!IsSafeTopicId(id))
        throw QuillError("Topic identifier cannot be used as a file name: \"" + id + "\"");
}

bool IsInside(const fs::path& path, const fs::path& folder) {
    const std::string inner = path.string();
    const std::string outer = IncludeTrailingPathDelimiter(folder.string());
    return inner.size() >= outer.size() && inner.compare(0, outer.size(), outer) == 0;
}

// A real folder at `path`: a symbolic link there is removed (its target
// stays) and a folder made in its place.
void MakeRealFolder(const fs::path& path) {
    std::error_code ec;
    if (fs::is_symlink(fs::symlink_status(path, ec)))
        fs::remove(path, ec);
    EnsureDir(path.string());
}

class TFolderCopier {
public:
    TFolderCopier(const fs::path& sourceRoot, bool createEmptyFolders)
        : createEmptyFolders_(createEmptyFolders) {
        std::error_code ec;
        sourceRoot_ = fs::canonical(sourceRoot, ec);
        if (ec)
            sourceRoot_ = sourceRoot;
    }

    // Returns the copied files' paths relative to `target`, with "/".
    std::vector<std::string> Copy(const fs::path& source, const fs::path& target) {
        pending_.clear();
        copied_.clear();
        targetRoot_ = target;
        CopyFolder(source, target);
        return std::move(copied_);
    }

private:
    void CopyFolder(const fs::path& source, const fs::path& target) {
        std::vector<fs::path> files;
        std::vector<fs::path> folders;
        std::error_code ec;
        for (fs::directory_iterator it(source, ec), end; !ec && it != end; it.increment(ec)) {
            const fs::path& entry = it->path();
            const fs::file_status status = it->symlink_status(ec);
            if (ec)
                break;
            if (fs::is_symlink(status)) {
                if (IsLinkToFileInside(entry))
                    files.push_back(entry);
            } else if (fs::is_directory(status)) {
                folders.push_back(entry);
            } else if (fs::is_regular_file(status)) {
                files.push_back(entry);
            }
        }
        if (ec)
            throw QuillError("Cannot read folder \"" + source.string() + "\": " + ec.message());
        // Folders are made from the top down, each checked to be no link,
        // and (for CopyFolderFiles) only once a file is to go into them.
        pending_.push_back(target);
        if (createEmptyFolders_ || !files.empty()) {
            for (const fs::path& folder : pending_)
                MakeRealFolder(folder);
            pending_.clear();
        }
        for (const fs::path& file : files) {
            CopyFileReplacing(file.string(), (target / file.filename()).string());
            copied_.push_back((target / file.filename()).lexically_relative(targetRoot_).generic_string());
        }
        for (const fs::path& folder : folders)
            CopyFolder(folder, target / folder.filename());
        if (!pending_.empty())
            pending_.pop_back();
    }

    bool IsLinkToFileInside(const fs::path& link) const {
        std::error_code ec;
        const fs::path resolved = fs::canonical(link, ec);
        return !ec && fs::is_regular_file(resolved, ec) && IsInside(resolved, sourceRoot_);
    }

    fs::path sourceRoot_;
    fs::path targetRoot_;
    bool createEmptyFolders_;
    std::vector<fs::path> pending_;
    std::vector<std::string> copied_;
};

} // namespace

std::vector<const TTopic*> ExportedTopics(const TDocProject& project, TExcludeFlag flag) {
    std::vector<const TTopic*> topics;
    topics.reserve(project.FTopics.Size());
    for (const std::string& id : project.FTopics.Ids()) {
        const TTopic* topic = project.FTopics.Find(id);
        if (topic == nullptr || topic->*flag)
            continue;
        RequireSafeTopicId(id);
        topics.push_back(topic);
    }
    return topics;
}

std::string TopicSourcePath(const TDocProject& project, const std::string& id) {
    RequireSafeTopicId(id);
    return JoinPath(project.FRootPath, "topics/" + id + ".html");
}

std::string ReadTopicSource(const TDocProject& project, const std::string& id) {
    std::string text;
    ReadProjectTextFile(project.FRootPath, TopicSourcePath(project, id), text);
    return text;
}

TTopicExpander::TTopicExpander(const TDocProject& project) : project_(project) {}

TTopicExpander::~TTopicExpander() = default;

std::string TTopicExpander::Expand(const TTopic& topic, std::string_view html) {
    if (project_.FRootPath.empty() || html.empty())
        return std::string(html);
    return ExpandNamingTopic(topic, [&] { return ExpandWithStore(html); });
}

std::string TTopicExpander::ExpandOutsideTopics(std::string_view html) {
    if (project_.FRootPath.empty() || html.empty())
        return std::string(html);
    return ExpandWithStore(html);
}

std::string TTopicExpander::ExpandWithStore(std::string_view html) {
    std::call_once(loaded_, [this] {
        auto store = std::make_unique<TReusableProjectContent>();
        store->LoadFromProject(project_, TDamagedFile::Fail);
        store_ = std::move(store);
    });
    return ExpandReusableContent(*store_, html);
}

TDocLinkResolver ExportedPageLinkResolver(const TDocProject& project, TExcludeFlag flag) {
    return [&project, flag](const std::string& id) -> std::string {
        const TTopic* topic = project.FTopics.Find(id);
        if (topic == nullptr || topic->*flag)
            return "";
        return id + ".html";
    };
}

TProjectSettings ReadSettingsAfresh(const TDocProject& project) {
    TProjectSettings settings;
    settings.LoadFromFile(TProjectSettings::DefaultSettingsPathForProject(project.FRootPath));
    return settings;
}

TPageHeader ResolvePageHeader(const TDocProject& project, const std::string& id,
                              TPageHeaderVariant variant) {
    return TPageHeaderResolver(project, variant).Resolve(id);
}

TPageHeaderResolver::TPageHeaderResolver(const TDocProject& project, TPageHeaderVariant variant)
    : project_(project), variant_(variant), default_{"", kDefaultHeaderBackground} {
    std::string text;
    const std::string& root = project.FRootPath;
    if (ReadProjectTextFile(root, HeaderHtmlPath(root, ""), text))
        default_.Html = text;
    if (ReadProjectTextFile(root, HeaderBgPath(root, ""), text))
        default_.Background = Trim(text);
}

TPageHeader TPageHeaderResolver::Resolve(const std::string& id) const {
    TPageHeader header = default_;
    std::string text;
    if (!id.empty()) {
        const std::string& root = project_.FRootPath;
        if (ReadProjectTextFile(root, HeaderHtmlPath(root, id), text))
            header.Html = text;
        if (ReadProjectTextFile(root, HeaderBgPath(root, id), text))
            header.Background = Trim(text);
    }
    if (header.Background.empty())
        header.Background = kDefaultHeaderBackground;
    if (Trim(header.Html).empty()) {
        // The title is text: a "<" in it must not open a tag in the page.
        const std::string title =
            variant_ == TPageHeaderVariant::Chm ? EncodeHtml(project_.FTitle) : EscapeHtml(project_.FTitle);
        header.Html = "<div style=\"font-size:14px;\"><b>" + title + "</b></div>";
        header.IsTitleLine = true;
    }
    return header;
}

std::string ProjectBuildFolder(const TDocProject& project, const std::string& name) {
    if (project.FRootPath.empty())
        throw QuillError("The project has no folder to publish into.");
    RequireProjectFoldersInside(project.FRootPath);
    return JoinPath(project.FRootPath, "build/" + name);
}

std::string EnsureOutputSubfolder(const std::string& outputFolder, const std::string& name) {
    fs::path path(ExcludeTrailingPathDelimiter(outputFolder));
    EnsureDir(path.string());
    size_t start = 0;
    while (start <= name.size()) {
        const size_t slash = name.find('/', start);
        const std::string part =
            name.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
        if (!IsSafePathComponent(part))
            throw QuillError("Invalid output folder name: \"" + name + "\"");
        path /= part;
        MakeRealFolder(path);
        if (slash == std::string::npos)
            break;
        start = slash + 1;
    }
    return path.string();
}

std::string ResolveInsideFolder(const std::string& folder, std::string_view relative) {
    if (relative.empty() || relative.front() == '/' || relative.find('\0') != relative.npos)
        return "";
    fs::path path(ExcludeTrailingPathDelimiter(folder));
    for (const fs::path& part : fs::path(std::string(relative))) {
        const std::string text = part.string();
        if (text == "..")
            return "";
        if (!text.empty() && text != ".")
            path /= part;
    }
    std::error_code ec;
    const fs::path root = fs::weakly_canonical(fs::path(folder), ec);
    if (ec)
        return "";
    const fs::path resolved = fs::weakly_canonical(path, ec);
    if (ec || !IsInside(resolved, root))
        return "";
    return path.string();
}

void CopyFileIntoOutput(const std::string& source, const std::string& target) {
    CopyFileReplacing(source, target);
}

std::vector<std::string> CopyFolderContents(const std::string& source, const std::string& target) {
    MakeRealFolder(fs::path(target));
    if (!DirectoryExists(source))
        return {};
    return TFolderCopier(source, true).Copy(source, target);
}

std::vector<std::string> CopyFolderFiles(const std::string& source, const std::string& target) {
    if (!DirectoryExists(source))
        return {};
    return TFolderCopier(source, false).Copy(source, target);
}

std::vector<std::string> CopyProjectAssets(const TDocProject& project,
                                           const std::string& outputFolder) {
    const std::string assets = JoinPath(project.FRootPath, "assets");
    if (!DirectoryExists(assets))
        return {};
    std::vector<std::string> copied =
        CopyFolderContents(assets, EnsureOutputSubfolder(outputFolder, "assets"));
    for (std::string& path : copied)
        path.insert(0, "assets/");
    return copied;
}

void ReportProgress(const std::function<void(const std::string&)>& progress, const char* what,
                    size_t done, size_t total) {
    constexpr size_t kEvery = 500;
    if (progress && (done == total || done % kEvery == 0))
        progress(std::string(what) + " " + std::to_string(done) + "/" + std::to_string(total));
}

} // namespace quillmark
