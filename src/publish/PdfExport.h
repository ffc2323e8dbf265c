#pragma once

#include "publish/OutputFormat.h"

#include <string>
#include <string_view>
#include <vector>

namespace quillmark {

// The PDF manual: every included topic as a section of "manual.html" in
// "build/pdf", beside "style.css" and the assets, printed to "manual.pdf" by
// a headless browser.
class TPdfOutputFormat final : public IOutputFormat {
public:
    std::string Name() const override { return "pdf"; }
    std::string OutputFolder(const TDocProject& project) const override;
    // Returns "manual.pdf", or "manual.html" when the printer was not run.
    std::string Publish(const TPublishContext& context) const override;
};

// Tags dropped, references decoded, no-break spaces as spaces, trimmed.
std::string StripTagsToText(std::string_view html);

// Copies every file below `source` to the same place below `target`;
// nothing when `source` does not exist. Returns the copied files' paths
// relative to `target`.
std::vector<std::string> CopyFolderTree(const std::string& source, const std::string& target);

class IClock;

// The browser's command line (arguments after the program) that prints the
// document to the PDF file using the profile folder, with bookmarks from
// the headings when `outline` is set.
std::vector<std::string> PdfPrintArguments(const std::string& htmlPath, const std::string& pdfPath,
                                           const std::string& profileFolder, bool runningAsRoot,
                                           bool outline = true);

// Prints HTML files to PDF files with a headless browser (`browserPath`
// empty: FindEdgeOrChromium) and a browser profile of its own, made with the printer
// and removed with it, so that no state of an earlier run (or of the user's
// browser) takes part. Beside the profile, its temporary folder holds the
// caller's scratch files. Making one fails when no browser is found.
class TPdfPrinter {
public:
    TPdfPrinter(IProcessRunner& runner, IClock& clock, const std::string& browserPath = {});
    ~TPdfPrinter();
    TPdfPrinter(const TPdfPrinter&) = delete;
    TPdfPrinter& operator=(const TPdfPrinter&) = delete;

    // Fails when the browser cannot start, runs longer than five minutes
    // (and a second more for every 10 KB of the document), or ends without
    // writing the PDF within five seconds by the printer's clock. Without `outline` the PDF has no bookmarks and is
    // made faster; its pages are the same.
    void Print(const std::string& htmlPath, const std::string& pdfPath, bool outline = true);
    // A path for a file of the caller's in the printer's temporary folder.
    std::string ScratchPath(const std::string& name) const;

private:
    IProcessRunner& runner_;
    IClock& clock_;
    std::string browser_;
    std::string folder_;
};

// One print with a printer of its own.
void PrintHtmlToPdf(IProcessRunner& runner, IClock& clock, const std::string& htmlPath,
                    const std::string& pdfPath, const std::string& browserPath = {});

// Waits until the file exists and is not empty, looking every 50 ms of
// `clock`; fails with "PDF file was not created in time" after `limitMs`.
void WaitForFileContent(IClock& clock, const std::string& fileName, long long limitMs);

// Writes the manual into the output folder and prints it when the context
// asks for it (with context.ProgramPath as the browser when set); returns
// the path of "manual.pdf" (or "manual.html", without page numbers in its
// contents and index). The manual and its stylesheet take the settings
// afresh from the project's settings file.
std::string ExportPdf(const TPublishContext& context, const std::string& outputFolder);

} // namespace quillmark
