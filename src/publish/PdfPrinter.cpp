#include "base/FileHelpers.h"
#include "base/QuillError.h"
#include "base/TextUtils.h"
#include "platform/Clock.h"
#include "platform/ProcessRunner.h"
#include "publish/BrowserLocator.h"
#include "publish/PdfExport.h"

#include <cctype>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace quillmark {
namespace {

namespace fs = std::filesystem;

constexpr auto kPrintTimeout = std::chrono::minutes(5);
// The browser's messages in an error are cut to their last this many bytes.
constexpr size_t kMaxOutputInMessage = 2000;

// A browser profile of its own for one print, removed afterwards, so that
// no state of an earlier run (or of the user's browser) takes part.
class TTemporaryProfile {
public:
    TTemporaryProfile() {
        std::error_code ec;
        std::string pattern = (fs::temp_directory_path(ec) / "quillmark-pdf-XXXXXX").string();
        if (ec || mkdtemp(pattern.data()) == nullptr)
            throw QuillError("Could not create a temporary folder for the browser.");
        FPath = pattern;
    }
    ~TTemporaryProfile() {
        std::error_code ec;
        fs::remove_all(FPath, ec);
    }
    TTemporaryProfile(const TTemporaryProfile&) = delete;
    TTemporaryProfile& operator=(const TTemporaryProfile&) = delete;
    const std::string& Path() const { return FPath; }

private:
    std::string FPath;
};

// A file address the browser reads back as the same path: every byte but
// letters, digits, "-._~" and "/" percent-encoded, so that "#", "?", "%"
// and spaces in folder names stay part of the path.
std::string FileUrl(const std::string& path) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string url = "file://";
    for (const unsigned char c : AbsolutePath(path)) {
        if (std::isalnum(c) != 0 && c < 0x80)
            url += static_cast<char>(c);
        else if (c == '/' || c == '-' || c == '.' || c == '_' || c == '~')
            url += static_cast<char>(c);
        else {
            url += '%';
            url += kHex[c >> 4];
            url += kHex[c & 15];
        }
    }
    return url;
}

std::string OutputTail(const std::string& output) {
    const std::string trimmed = Trim(output);
    if (trimmed.size() <= kMaxOutputInMessage)
        return trimmed;
    return "..." + trimmed.substr(trimmed.size() - kMaxOutputInMessage);
}

} // namespace

std::vector<std::string> PdfPrintArguments(const std::string& htmlPath, const std::string& pdfPath,
                                           const std::string& profileFolder, bool runningAsRoot) {
    std::vector<std::string> arguments = {
        "--headless",
        "--disable-gpu",
        "--no-first-run",
        "--no-default-browser-check",
        "--disable-print-preview",
        "--kiosk-printing",
        "--user-data-dir=" + profileFolder,
        "--print-to-pdf=" + AbsolutePath(pdfPath),
        // No date, title and address in the page margins; bookmarks from the
        // section headings.
        "--no-pdf-header-footer",
        "--generate-pdf-document-outline",
        // The manual is a local document: the browser stays off the network.
        "--disable-background-networking",
        "--disable-component-update",
        "--disable-sync",
        "--disable-default-apps",
        "--disable-extensions",
        "--host-resolver-rules=MAP * ~NOTFOUND",
    };
    // The browser refuses to run as root inside its sandbox.
    if (runningAsRoot)
        arguments.push_back("--no-sandbox");
    arguments.push_back(FileUrl(htmlPath));
    return arguments;
}

void PrintHtmlToPdf(IProcessRunner& runner, IClock& clock, const std::string& htmlPath,
                    const std::string& pdfPath, const std::string& browserPath) {
    const std::string browser = browserPath.empty() ? FindEdgeOrChromium() : browserPath;
    if (browser.empty())
        throw QuillError("Microsoft Edge not found (nor Chromium or Google Chrome). Install "
                         "chromium or set QUILLMARK_BROWSER to the browser's path.");
    const TTemporaryProfile profile;
    TProcessRequest request;
    request.Program = browser;
    request.Arguments = PdfPrintArguments(htmlPath, pdfPath, profile.Path(), geteuid() == 0);
    request.Timeout = kPrintTimeout;
    const TProcessResult result = runner.Run(request);
    if (!result.Started)
        throw QuillError("Could not start the browser to print the PDF:\r\n" + browser + "\r\n" +
                         result.Output);
    if (result.TimedOut)
        throw QuillError("The browser did not finish printing the PDF within 5 minutes and was "
                         "ended:\r\n" +
                         browser);
    try {
        WaitForFileContent(clock, pdfPath, 5000);
    } catch (const QuillError& failure) {
        const std::string tail = OutputTail(result.Output);
        throw QuillError(std::string(failure.what()) +
                         (tail.empty() ? "" : "\r\n\r\nBrowser output:\r\n" + tail));
    }
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
