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

// The manual document and the sections it is made of: its lines (each
// written with CR LF after it), the whole text, and the file written from
// the lines without joining them first.
std::vector<std::string> BuildManualLines(const TDocProject& project);
std::string BuildManualHtml(const TDocProject& project);
void WriteManualHtml(const std::string& path, const TDocProject& project);
void AppendTopicSection(const TDocProject& project, const std::string& id,
                        std::vector<std::string>& lines, int depth);

// "h1" for depth 0, "h2" for 1 ... and "h6" from depth 5 on.
std::string HeadingTag(int depth);
// The plain text of the topic's header file (or of the default header);
// `fallback` when that is empty.
std::string ReadHeaderText(const TDocProject& project, const std::string& id,
                           const std::string& fallback);
// Tags dropped, references decoded, no-break spaces as spaces, trimmed.
std::string StripTagsToText(std::string_view html);

// Copies every file below `source` to the same place below `target`;
// nothing when `source` does not exist.
void CopyFolderTree(const std::string& source, const std::string& target);

class IClock;

// The browser's command line (arguments after the program) that prints the
// document to the PDF file using the profile folder.
std::vector<std::string> PdfPrintArguments(const std::string& htmlPath, const std::string& pdfPath,
                                           const std::string& profileFolder, bool runningAsRoot);

// Prints the HTML file to the PDF file with the browser (`browserPath`
// empty: FindEdgeOrChromium). Fails when no browser is found, it cannot start, it
// runs longer than five minutes, or it ends without writing the PDF within
// five seconds by `clock`.
void PrintHtmlToPdf(IProcessRunner& runner, IClock& clock, const std::string& htmlPath,
                    const std::string& pdfPath, const std::string& browserPath = {});

// Waits until the file exists and is not empty, looking every 50 ms of
// `clock`; fails with "PDF file was not created in time" after `limitMs`.
void WaitForFileContent(IClock& clock, const std::string& fileName, long long limitMs);

// Writes the manual into the output folder and prints it when the context
// asks for it (with context.ProgramPath as the browser when set); returns
// the path of "manual.pdf" (or "manual.html"). The stylesheet takes the
// settings afresh from the project's settings file.
std::string ExportPdf(const TPublishContext& context, const std::string& outputFolder);

} // namespace quillmark
