#pragma once

#include "editor/AssetFiles.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace quillmark {

// Which of the local files a page refers to an import copies. Only regular
// files are ever copied, and nothing below /proc, /sys or /dev; of those, a
// file outside the page's folder (and its sub-folders), reached through a
// link or not, only when the author allows it.
struct THtmlImportRules {
    bool CopyOutsideFiles = false;
    // Find the files the import would refer to without copying or writing
    // anything (the files outside the page's folder are what an author is
    // asked about).
    bool ListOnly = false;
    // The folder whose files count as inside, when it is not the page's own
    // (the top of a folder of pages imported together).
    std::string InsideFolder;
};

// The files an import left out: their references stay as written.
struct THtmlImportSkipped {
    std::vector<std::string> OutsideFiles; // outside the page's folder, not allowed
    std::vector<std::string> NeverCopied;  // devices, pipes, system files
};

// One import of an HTML file into a project: the document is cleaned and
// every local file it refers to (pictures, media, style sheets and what the
// style sheets refer to) is copied into the project's asset folders, with
// the reference rewritten to the copy's relative URL, as far as the rules
// allow. Nothing is written anywhere else. A failure (an unreadable
// referenced file, a malformed percent escape, a failed write) raises a
// QuillError; copies already made stay.
class THtmlImport {
public:
    // `sourceFile` is the page; its folder is the base of relative URLs.
    THtmlImport(std::string projectFolder, const std::string& sourceFile,
                THtmlImportRules rules = {});

    // Another page of the same import: its folder becomes the base of
    // relative URLs; files already copied are not copied again.
    void SetSourceFile(const std::string& sourceFile);

    // The whole pipeline: the page's style links and style blocks, then its
    // cleaned body content (inside a div carrying the body's class, style,
    // lang and dir, when it has any). May be blank.
    std::string ImportDocument(std::string_view document);

    // Every style link (rel "stylesheet"), rebuilt with the copied sheet's
    // URL, followed by every style block with flex and grid flattened.
    std::string CollectImportStyles(std::string_view document);
    // src/poster/data (the first of them in a tag) of media tags, then srcset
    // of img and source: local files copied, URLs rewritten.
    std::string RewriteMediaUrls(std::string_view body);
    // The copy's relative URL for a local file, or `url` itself when it is
    // not local or names no existing file. A file is copied once per import.
    std::string ImportAssetUrl(std::string_view url);
    std::string ImportSrcset(std::string_view value);
    // Writes the style sheet `source` to `target` (UTF-8 with byte-order
    // mark) after importing the sheets it imports and copying the files its
    // url() values name next to it.
    void ImportCssFile(const std::string& source, const std::string& target);

    // Source path to relative URL of what this import has copied.
    const std::map<std::string, std::string>& MediaMap() const { return FMediaMap; }
    const std::map<std::string, std::string>& StyleSheetMap() const { return FStyleSheetMap; }
    // What the rules kept from being copied, each file once, in the order met.
    const THtmlImportSkipped& Skipped() const { return FSkipped; }

private:
    enum class TPlace { PageFolder, Outside, Never };
    // Where the existing file `path` really is, links followed.
    TPlace PlaceOf(const std::string& path) const;
    // Whether the file may be copied now; a file left out is noted.
    bool MayCopy(const std::string& path);
    void NoteSkipped(std::vector<std::string>& list, const std::string& path);

    // The relative URL of the existing style sheet at `path`, imported now
    // unless this import already has it; nothing when no target is possible.
    std::optional<std::string> ImportStyleSheet(const std::string& path);

    std::string FProjectFolder;
    std::string FBaseFolder;
    std::string FRealBaseFolder; // links followed
    THtmlImportRules FRules;
    THtmlImportSkipped FSkipped;
    std::set<std::string> FNoted;
    std::set<std::string> FListedStyleSheets; // with ListOnly, the sheets read
    std::map<std::string, std::string> FMediaMap;
    std::map<std::string, std::string> FStyleSheetMap;
    // A style sheet's target is chosen before the sheets it imports are
    // written; reserving it keeps them from receiving the same name.
    TAssetNameReservations FReservations;
};

// Reads the HTML file (legacy pages in Windows-1252 included) and runs the
// whole pipeline against the project folder; the HTML to insert. `skipped`,
// when given, receives the files the rules left out.
std::string ImportHtmlFile(const std::string& projectFolder, const std::string& sourceFile,
                           THtmlImportRules rules = {}, THtmlImportSkipped* skipped = nullptr);

// The files outside the page's folder that an import would leave out unless
// the author allows them; nothing is copied or written.
std::vector<std::string> FindOutsideFiles(const std::string& projectFolder,
                                          const std::string& sourceFile);

} // namespace quillmark
