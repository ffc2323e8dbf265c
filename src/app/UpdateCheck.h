#pragma once

#include "base/Version.h"
#include "platform/HttpClient.h"
#include "platform/Shell.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillmark {

// The running version, compared in tenths.
inline constexpr int kRunningVersionTenths = kVersionTenths;

// The vendor's update server and home page. The environment variable
// QUILLMARK_UPDATE_URL replaces the server address (a test server, a mirror);
// the value "off" switches the check off.
inline constexpr char kDefaultUpdateServer[] = "https://updates.quillmark.app/";
inline constexpr char kUpdateServerVariable[] = "QUILLMARK_UPDATE_URL";
inline constexpr char kVendorHomePage[] = "https://quillmark.app/";

inline constexpr char kVersionPagePath[] = "download/version/quillmark-version.html";
inline constexpr char kChangesPagePath[] = "download/version/quillmark-changes.html";
inline constexpr char kInstallerPath[] = "download/quillmark.exe";
inline constexpr char kInstallerFileName[] = "bwd_update.exe";
inline constexpr char kUpdateUserAgent[] = "Mozilla/4.0 (compatible; MyApp)";

struct TUpdateServer {
    std::string BaseUrl;          // ends with "/"; empty: no check at all
    bool FromEnvironment = false; // only an address given explicitly may be plain http://
};

TUpdateServer UpdateServerFromEnvironment(const std::function<std::string(const char*)>& getEnv);
TUpdateServer UpdateServerFromEnvironment();

// The first line of the version page: "A/B", the newest version and the
// oldest one still allowed to run, both in tenths.
struct TVersionLine {
    int Newest = 0;
    int Minimum = 0;
};

// nullopt unless the first line is two whole decimal numbers around a "/"
// (spaces around each number are allowed).
std::optional<TVersionLine> ParseVersionLine(std::string_view versionPage);

// Tenths as a version: 26 -> "2.6", 100 -> "10.0", 9 -> "0.9".
std::string ShownVersion(int tenths);

// The lines of the changes page without the completely empty ones.
std::vector<std::string> ChangesLines(std::string_view changesPage);

enum class TUpdateOffer { None, Optional, Forced };

TUpdateOffer DecideUpdate(const TVersionLine& version, int runningTenths = kRunningVersionTenths);

// The dialog's text for an offered update, translated, lines ending in "\r\n".
std::string BuildUpdateMessage(TUpdateOffer offer, int newestTenths,
                               const std::vector<std::string>& changes);

// How long the check may hold up the program start, and how patient the
// installer download is.
struct TUpdateTimeouts {
    long ConnectMs = 2000;
    long PageMs = 4000;  // one page
    long CheckMs = 5000; // both pages together
    long DownloadConnectMs = 10000;
    long DownloadStallSeconds = 30; // no data for this long ends the download
};

// The update dialog as the check sees it. Texts are UTF-8 and translated.
class IUpdateDialogView {
public:
    virtual ~IUpdateDialogView() = default;
    virtual void SetCaption(const std::string& text) = 0;
    virtual void SetMessage(const std::string& text) = 0;
    virtual void SetUpdateNowCaption(const std::string& text) = 0;
    virtual void SetUpdateNowEnabled(bool enabled) = 0;
    virtual void SetCancelCaption(const std::string& text) = 0;
    virtual void ShowProgressBar() = 0;
    virtual void SetProgress(int percent) = 0;
    // Repaints and runs the pending window events (an Abort click among them).
    virtual void ProcessPendingEvents() = 0;
    virtual void ShowError(const std::string& text) = 0;
    // Closes the dialog; the view then reports FormClose.
    virtual void CloseDialog() = 0;
};

enum class TUpdateOutcome { Continue, Stop };

// The check at program start and the logic of the update dialog
// (TfrmNewVersion) that offers what it found.
class TUpdateCheck {
public:
    // `tempFolder`: where the installer is downloaded (a private folder is
    // made inside it).
    TUpdateCheck(IHttpClient& http, IShell& shell, TUpdateServer server, std::string tempFolder,
                 TUpdateTimeouts timeouts = {});

    // Asks the server; true when an update is offered, with the message and
    // forced set. Never raises: any failure means no update.
    bool CheckForUpdate();

    // Dialog events. FormShow binds the view the later events talk to.
    void FormShow(IUpdateDialogView& view);
    void btUpdateNowClick();
    void btCancelClick();
    // A request to close the window: refused while a download runs, which
    // it aborts instead (the dialog closes when the download has ended).
    bool FormCloseQuery();
    void FormClose();
    void DownloadProgress(const THttpProgress& progress);

    const std::string& UpdateMessage() const { return FUpdateMessage; }
    bool Forced() const { return FForced; }
    bool Downloading() const { return FDownloading; }
    TUpdateOutcome Outcome() const { return FOutcome; }
    // Where the installer is downloaded to.
    std::string InstallerFile() const;

private:
    std::string Fetch(const std::string& path, long totalMs);
    void DownloadAndRunInstaller();

    IHttpClient& FHttp;
    IShell& FShell;
    TUpdateServer FServer;
    std::string FTempFolder;
    TUpdateTimeouts FTimeouts;
    IUpdateDialogView* FView = nullptr;

    std::string FUpdateMessage;
    bool FForced = false;
    bool FCancelRequested = false;
    bool FDownloading = false;
    TUpdateOutcome FOutcome = TUpdateOutcome::Continue;
};

} // namespace quillmark
