#include "base/FileHelpers.h"
#include "base/QuillError.h"
#include "base/TextUtils.h"
#include "platform/Clock.h"
#include "platform/ProcessRunner.h"
#include "publish/BrowserLocator.h"
#include "publish/HtmlHelpers.h"
#include "publish/PdfExport.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace quillmark {
namespace {

namespace fs = std::filesystem;

// A browser that prints no page for minutes has stopped: the limit is five
// minutes, and one more second for every 10 KB of the document, since a
// manual of thousands of pages takes the browser many minutes to print.
std::chrono::seconds PrintTimeout(const std::string& htmlPath) {
    std::error_code ec;
    const auto size = fs::file_size(htmlPath, ec);
    return std::chrono::minutes(5) + std::chrono::seconds(ec ? 0 : size / 10240);
}
// The browser's messages in an error are cut to their last this many bytes.
constexpr size_t kMaxOutputInMessage = 2000;

// A file address the browser reads back as the same path, so that "#",
// "?", "%" and spaces in folder names stay part of the path.
std::string FileUrl(const std::string& path) {
    return "file://" + PercentEncodePath(AbsolutePath(path));
}

std::string OutputTail(const std::string& output) {
    const std::string trimmed = Trim(output);
    if (trimmed.size() <= kMaxOutputInMessage)
        return trimmed;
    return "..." + trimmed.substr(trimmed.size() - kMaxOutputInMessage);
}

} // namespace

std::vector<std::string> PdfPrintArguments(const std::string& htmlPath, const std::string& pdfPath,
                                           const std::string& profileFolder, bool runningAsRoot,
                                           bool outline) {
    std::vector<std::string> arguments = {
        "--headless",
        "--disable-gpu",
        "--no-first-run",
        "--no-default-browser-check",
        "--disable-print-preview",
        "--kiosk-printing",
        "--user-data-dir=" + profileFolder,
        "--print-to-pdf=" + AbsolutePath(pdfPath),
        // No date, title and address in the page margins.
        "--no-pdf-header-footer",
        // The manual is a local document: the browser stays off the network.
        "--disable-background-networking",
        "--disable-component-update",
        "--disable-sync",
        "--disable-default-apps",
        "--disable-extensions",
        "--host-resolver-rules=MAP * ~NOTFOUND",
    };
    // Bookmarks from the headings: the browser then tags the whole document,
    // work that a print made only to find the pages can do without.
    if (outline)
        arguments.push_back("--generate-pdf-document-outline");
    // The browser refuses to run as root inside its sandbox.
    if (runningAsRoot)
        arguments.push_back("--no-sandbox");
    arguments.push_back(FileUrl(htmlPath));
    return arguments;
}

TPdfPrinter::TPdfPrinter(IProcessRunner& runner, IClock& clock, const std::string& browserPath)
    : runner_(runner), clock_(clock),
      browser_(browserPath.empty() ? FindEdgeOrChromium() : browserPath) {
    if (browser_.empty())
        throw QuillError("Microsoft Edge not found (nor Chromium or Google Chrome). Install "
                         "chromium or set QUILLMARK_BROWSER to the browser's path.");
    std::error_code ec;
    std::string pattern = (fs::temp_directory_path(ec) / "quillmark-pdf-XXXXXX").string();
    if (ec || mkdtemp(pattern.data()) == nullptr)
        throw QuillError("Could not create a temporary folder for the browser.");
    folder_ = pattern;
    EnsureDir(ScratchPath("profile"));
}

TPdfPrinter::~TPdfPrinter() {
    std::error_code ec;
    fs::remove_all(folder_, ec);
}

std::string TPdfPrinter::ScratchPath(const std::string& name) const {
    return JoinPath(folder_, name);
}

void TPdfPrinter::Print(const std::string& htmlPath, const std::string& pdfPath, bool outline) {
    TProcessRequest request;
    request.Program = browser_;
    request.Arguments =
        PdfPrintArguments(htmlPath, pdfPath, ScratchPath("profile"), geteuid() == 0, outline);
    const auto timeout = PrintTimeout(htmlPath);
    request.Timeout = timeout;
    const TProcessResult result = runner_.Run(request);
    if (!result.Started)
        throw QuillError("Could not start the browser to print the PDF:\r\n" + browser_ + "\r\n" +
                         result.Output);
    if (result.TimedOut)
        throw QuillError("The browser did not finish printing the PDF within " +
                         std::to_string((timeout.count() + 59) / 60) +
                         " minutes and was ended:\r\n" + browser_);
    try {
        WaitForFileContent(clock_, pdfPath, 5000);
    } catch (const QuillError& failure) {
        const std::string tail = OutputTail(result.Output);
        throw QuillError(std::string(failure.what()) +
                         (tail.empty() ? "" : "\r\n\r\nBrowser output:\r\n" + tail));
    }
}

void PrintHtmlToPdf(IProcessRunner& runner, IClock& clock, const std::string& htmlPath,
                    const std::string& pdfPath, const std::string& browserPath) {
    TPdfPrinter(runner, clock, browserPath).Print(htmlPath, pdfPath);
}

void WaitForFileContent(IClock& clock, const std::string& fileName, long long limitMs) {
    const std::uint64_t start = clock.TickCountMs();
    for (;;) {
        std::error_code ec;
        const auto size = fs::file_size(fileName, ec);
        if (!ec && size > 0)
            return;
        if (clock.TickCountMs() - start > static_cast<std::uint64_t>(limitMs))
            throw QuillError("PDF file was not created in time");
        clock.SleepMs(50);
    }
}

} // namespace quillmark
