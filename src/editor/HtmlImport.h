#pragma once

#include "editor/AssetFiles.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace quillmark {

// One import of an HTML file into a project: the document is cleaned and
// every local file it refers to (pictures, media, style sheets and what the
// style sheets refer to) is copied into the project's asset folders, with
// the reference rewritten to the copy's relative URL. Nothing is written
// anywhere else. A failure (an unreadable referenced file, a malformed
// percent escape, a failed write) raises a QuillError; copies already made
// stay.
class THtmlImport {
public:
    // `sourceFile` is the page; its folder is the base of relative URLs.
    THtmlImport(std::string projectFolder, const std::string& sourceFile);

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

private:
    // The relative URL of the existing style sheet at `path`, imported now
    // unless this import already has it; nothing when no target is possible.
    std::optional<std::string> ImportStyleSheet(const std::string& path);

    std::string FProjectFolder;
    std::string FBaseFolder;
    std::map<std::string, std::string> FMediaMap;
    std::map<std::string, std::string> FStyleSheetMap;
    // A style sheet's target is chosen before the sheets it imports are
    // written; reserving it keeps them from receiving the same name.
    TAssetNameReservations FReservations;
};

// Reads the HTML file (legacy pages in Windows-1252 included) and runs the
// whole pipeline against the project folder; the HTML to insert.
std::string ImportHtmlFile(const std::string& projectFolder, const std::string& sourceFile);

} // namespace quillmark
