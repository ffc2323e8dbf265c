#include "app/UpdateCheck.h"

#include "app/MainWindowState.h"
#include "base/FileHelpers.h"
#include "base/QuillError.h"
#include "base/TextUtils.h"
#include "base/Translation.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace quillmark {

namespace {

// Neither page is ever this large; a bigger answer is not what we asked for.
constexpr std::uint64_t kMaxPageBytes = 1024 * 1024;

std::string_view WithoutByteOrderMark(std::string_view text) {
    if (StartsWith(text, "\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    return text;
}

std::optional<int> ParseTenths(std::string_view text) {
    const std::string digits = Trim(text);
    if (digits.empty() ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    int value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    return value;
}

long MillisecondsSince(std::chrono::steady_clock::time_point start) {
    const auto elapsed = std::chrono::steady_clock::now() - start;
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

// The installer is downloaded and then run. In a temporary folder shared
// with other users, a fixed file name could be planted or swapped by one of
// them, so it lives in a folder only this user can enter.
void EnsurePrivateFolder(const std::string& folder) {
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        throw QuillError("Cannot create the folder " + folder + ": " + std::strerror(errno));
    }
    struct stat info {};
    if (::lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) ||
        info.st_uid != ::geteuid() || (info.st_mode & 077) != 0) {
        throw QuillError("The folder " + folder + " is not private to this user.");
    }
}

} // namespace

TUpdateServer UpdateServerFromEnvironment(const std::function<std::string(const char*)>& getEnv) {
    std::string address = Trim(getEnv(kUpdateServerVariable));
    if (address.empty()) {
        return {kDefaultUpdateServer, false};
    }
    if (AsciiSameText(address, "off")) {
        return {"", true};
    }
    if (address.back() != '/') {
        address += '/';
    }
    return {address, true};
}

TUpdateServer UpdateServerFromEnvironment() {
    return UpdateServerFromEnvironment([](const char* name) {
        const char* value = std::getenv(name);
        return std::string(value != nullptr ? value : "");
    });
}

std::optional<TVersionLine> ParseVersionLine(std::string_view versionPage) {
    versionPage = WithoutByteOrderMark(versionPage);
    const std::string_view firstLine = versionPage.substr(0, versionPage.find_first_of("\r\n"));
    const size_t slash = firstLine.find('/');
    if (slash == std::string_view::npos) {
        return std::nullopt;
    }
    const auto newest = ParseTenths(firstLine.substr(0, slash));
    const auto minimum = ParseTenths(firstLine.substr(slash + 1));
    if (!newest || !minimum) {
        return std::nullopt;
    }
    return TVersionLine{*newest, *minimum};
}

std::string ShownVersion(int tenths) {
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

std::vector<std::string> ChangesLines(std::string_view changesPage) {
    std::vector<std::string> lines = SplitLines(WithoutByteOrderMark(changesPage));
    std::erase_if(lines, [](const std::string& line) { return line.empty(); });
    return lines;
}

TUpdateOffer DecideUpdate(const TVersionLine& version, int runningTenths) {
    if (version.Minimum > runningTenths) {
        return TUpdateOffer::Forced;
    }
    if (version.Newest > runningTenths) {
        return TUpdateOffer::Optional;
    }
    return TUpdateOffer::None;
}

std::string BuildUpdateMessage(TUpdateOffer offer, int newestTenths,
                               const std::vector<std::string>& changes) {
    const std::string pattern =
        offer == TUpdateOffer::Forced
            ? Translate("This version of the software is out of date. You must download the "
                        "current version %s to continue using the software.")
            : Translate("The new version %s is available");
    std::string message = FormatText(pattern, {ShownVersion(newestTenths)});
    message += "\r\n\r\n" + Translate("What's new:") + "\r\n";
    for (const std::string& line : changes) {
        message += line + "\r\n";
    }
    return message;
}

TUpdateCheck::TUpdateCheck(IHttpClient& http, IShell& shell, TUpdateServer server,
                           std::string tempFolder, TUpdateTimeouts timeouts)
    : FHttp(http), FShell(shell), FServer(std::move(server)), FTempFolder(std::move(tempFolder)),
      FTimeouts(timeouts) {}

std::string TUpdateCheck::Fetch(const std::string& path, long totalMs) {
    THttpOptions options;
    options.UserAgent = kUpdateUserAgent;
    options.ConnectTimeoutMs = std::min(FTimeouts.ConnectMs, totalMs);
    options.TotalTimeoutMs = totalMs;
    options.AllowPlainHttp = FServer.FromEnvironment;
    options.MaxBytes = kMaxPageBytes;
    return FHttp.Get(FServer.BaseUrl + path, options);
}

bool TUpdateCheck::CheckForUpdate() {
    if (FServer.BaseUrl.empty()) {
        return false;
    }
    try {
        const auto start = std::chrono::steady_clock::now();
        const auto version = ParseVersionLine(
            Fetch(kVersionPagePath, std::min(FTimeouts.PageMs, FTimeouts.CheckMs)));
        if (!version) {
            return false;
        }
        const TUpdateOffer offer = DecideUpdate(*version);
        // Without an update the changes page would not be shown: no need to
        // keep the start waiting for it.
        if (offer == TUpdateOffer::None) {
            return false;
        }
        const long remainingMs = FTimeouts.CheckMs - MillisecondsSince(start);
        if (remainingMs <= 0) {
            return false;
        }
        const std::vector<std::string> changes =
            ChangesLines(Fetch(kChangesPagePath, std::min(FTimeouts.PageMs, remainingMs)));
        FForced = offer == TUpdateOffer::Forced;
        FUpdateMessage = BuildUpdateMessage(offer, version->Newest, changes);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

std::string TUpdateCheck::InstallerFile() const {
    const std::string folder =
        JoinPath(FTempFolder, "quillmark-update-" + std::to_string(::geteuid()));
    return JoinPath(folder, kInstallerFileName);
}

void TUpdateCheck::FormShow(IUpdateDialogView& view) {
    FView = &view;
    FOutcome = TUpdateOutcome::Continue;
    view.SetCaption(std::string(" ") + kApplicationTitle);
    view.SetUpdateNowCaption(Translate("Update Now"));
    view.SetCancelCaption(FForced ? Translate("Exit") : Translate("Skip"));
    view.SetMessage(FUpdateMessage);
}

void TUpdateCheck::btUpdateNowClick() {
    if (FView == nullptr || FDownloading) {
        return;
    }
    FForced = true;
    FCancelRequested = false;
    FView->SetCancelCaption(Translate("Abort"));
    FView->SetUpdateNowEnabled(false);
    FView->SetProgress(0);
    FView->ShowProgressBar();
    FDownloading = true;
    try {
        DownloadAndRunInstaller();
    } catch (const std::exception& failure) {
        FView->ShowError(
            Translate("Failed to download update. Please download manually on website.") +
            "\r\n\r\n" + failure.what());
        FShell.OpenPath(kVendorHomePage);
    }
    FDownloading = false;
    FView->CloseDialog();
}

void TUpdateCheck::DownloadAndRunInstaller() {
    const std::string file = InstallerFile();
    EnsurePrivateFolder(ExtractFileDir(file));
    THttpOptions options;
    options.UserAgent = kUpdateUserAgent;
    options.ConnectTimeoutMs = FTimeouts.DownloadConnectMs;
    options.LowSpeedSeconds = FTimeouts.DownloadStallSeconds;
    options.AllowPlainHttp = FServer.FromEnvironment;
    FHttp.Download(FServer.BaseUrl + kInstallerPath, file, options,
                   [this](const THttpProgress& progress) { DownloadProgress(progress); });
    if (!FileExists(file)) {
        throw QuillError(Translate("Cannot find downloaded file."));
    }
    if (!FShell.OpenPath(file)) {
        throw QuillError(Translate("The downloaded installer could not be started."));
    }
}

void TUpdateCheck::btCancelClick() {
    if (FDownloading) {
        FCancelRequested = true;
    } else if (FView != nullptr) {
        FView->CloseDialog();
    }
}

bool TUpdateCheck::FormCloseQuery() {
    if (FDownloading) {
        FCancelRequested = true;
        return false;
    }
    return true;
}

void TUpdateCheck::FormClose() {
    if (FForced) {
        FOutcome = TUpdateOutcome::Stop;
    }
}

void TUpdateCheck::DownloadProgress(const THttpProgress& progress) {
    if (FCancelRequested) {
        throw QuillError(Translate("Download is cancelled. Please download manually."));
    }
    if (FView == nullptr) {
        return;
    }
    if (!progress.Chunked && progress.ContentLength > 0) {
        const std::uint64_t percent = progress.Received >= progress.ContentLength
                                          ? 100
                                          : progress.Received * 100 / progress.ContentLength;
        FView->SetProgress(static_cast<int>(percent));
    }
    // Also during a chunked download, so that Abort is seen.
    FView->ProcessPendingEvents();
}

} // namespace quillmark
