#pragma once

#include "publish/HtmlHelpers.h"
#include "reuse/ReusableContent.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace quillmark {

class TDocProject;
class TProjectSettings;
struct TTopic;

// Steps every export (WebHelp, CHM, PDF) takes the same way.

// Which exclusion flag of a topic an export honours: &TTopic::FExcludeWeb,
// &TTopic::FExcludeChm or &TTopic::FExcludePdf.
using TExcludeFlag = bool TTopic::*;

// The topics whose flag is clear, in the enumeration order of the project's
// topic dictionary. Every identifier is checked with IsSafeTopicId before
// anything is written, since it becomes a file name in the output: an
// unsafe one fails the whole export with a QuillError naming it.
std::vector<const TTopic*> ExportedTopics(const TDocProject& project, TExcludeFlag flag);

// "<project folder>/topics/<id>.html", the page an export reads for a topic
// (not the stored FHtmlPath). Fails for an identifier that is not safe.
std::string TopicSourcePath(const TDocProject& project, const std::string& id);

// The text of a topic's page file; empty when the file does not exist (or
// is only a link leading out of the project, ReadProjectTextFile).
std::string ReadTopicSource(const TDocProject& project, const std::string& id);

// Resolves reusable-content tokens for a whole publishing run: the store is
// read from the project folder once, on the first page that needs it, and
// shared by every topic afterwards. Gives the same result as
// ExpandReusableContent(project, html) for each page; an error names the
// topic. Threads may share one.
class TTopicExpander {
public:
    explicit TTopicExpander(const TDocProject& project);
    ~TTopicExpander();
    TTopicExpander(const TTopicExpander&) = delete;
    TTopicExpander& operator=(const TTopicExpander&) = delete;

    std::string Expand(const TTopic& topic, std::string_view html);
    // For text of the project's settings (the printed manual's cover): an
    // error says what went wrong without naming a topic.
    std::string ExpandOutsideTopics(std::string_view html);

private:
    std::string ExpandWithStore(std::string_view html);

    const TDocProject& project_;
    std::once_flag loaded_;
    std::unique_ptr<TReusableProjectContent> store_;
};

// The resolver of the WebHelp and CHM exports: the identifier followed by
// ".html" when it names a topic whose flag is clear; otherwise empty (the
// link becomes href="#").
TDocLinkResolver ExportedPageLinkResolver(const TDocProject& project, TExcludeFlag flag);

// The settings as last saved: a new object with the defaults, filled from
// meta/project_settings.json when that file can be read.
TProjectSettings ReadSettingsAfresh(const TDocProject& project);

// How the project title enters the fallback header of a page: escaped as
// the site escapes text (EscapeHtml) or as the help pages do (EncodeHtml).
enum class TPageHeaderVariant { WebHelp, Chm };

struct TPageHeader {
    std::string Html;
    std::string Background;
    bool IsTitleLine = false; // the fallback line with the project title
};

// A topic page's header area from meta/header_<key>.html and
// meta/headerbg_<key>.txt (falling back to the default pair), with the
// project title as a bold line when the header is empty.
TPageHeader ResolvePageHeader(const TDocProject& project, const std::string& id,
                              TPageHeaderVariant variant);

// The same for a whole export: the default pair is read once.
class TPageHeaderResolver {
public:
    TPageHeaderResolver(const TDocProject& project, TPageHeaderVariant variant);
    TPageHeader Resolve(const std::string& id) const;

private:
    const TDocProject& project_;
    TPageHeaderVariant variant_;
    TPageHeader default_;
};

// "<project folder>/build/<name>"; fails when the project has no folder, so
// that an export never writes below the file system's root instead, and
// when a folder of the project leads outside it (RequireProjectFoldersInside).
std::string ProjectBuildFolder(const TDocProject& project, const std::string& name);

// Output folders never follow a symbolic link that an earlier run or the
// user left inside them, so that nothing is written outside the folder.

// `name` (one or more components separated by "/") below `outputFolder` as a
// real folder: a symbolic link in its place is removed (not its target) and
// a folder made instead. Names with ".." or an empty component fail.
std::string EnsureOutputSubfolder(const std::string& outputFolder, const std::string& name);

// The path of a relative reference ("assets/images/a.png") inside `folder`,
// or empty when it would lead outside: an absolute path, a ".." component,
// or a symbolic link on the way that points out of the folder.
std::string ResolveInsideFolder(const std::string& folder, std::string_view relative);

// Copies one file to `target` through a temporary file in the target's
// folder and a rename, replacing a file (or a link) of that name.
void CopyFileIntoOutput(const std::string& source, const std::string& target);

// Copies a folder tree file by file, replacing files of the same name
// through a temporary file and a rename (so a link at the target is
// replaced, never written through). Symbolic links in the source are copied
// as the file they name only when that file lies inside the source folder;
// linked folders are not entered. Entries in the order the file system lists
// them. Both return the copied files' paths relative to the target, with
// "/" between the parts.
//
// CopyFolderContents: the target is created when missing and every
// sub-folder is created, also an empty one.
std::vector<std::string> CopyFolderContents(const std::string& source, const std::string& target);
// CopyFolderFiles: nothing happens without a source; folders without files
// are not created (the PDF export's CopyFolderTree).
std::vector<std::string> CopyFolderFiles(const std::string& source, const std::string& target);

// Copies the project's "assets" folder into "<outputFolder>/assets" with
// CopyFolderContents when the project has one; returns the copied files'
// paths relative to the output folder ("assets/images/a.png").
std::vector<std::string> CopyProjectAssets(const TDocProject& project,
                                           const std::string& outputFolder);

// Writes a progress line "<what> <done>/<total>" through `progress` every few
// hundred items and for the last one; nothing when `progress` is empty.
void ReportProgress(const std::function<void(const std::string&)>& progress, const char* what,
                    size_t done, size_t total);

} // namespace quillmark
