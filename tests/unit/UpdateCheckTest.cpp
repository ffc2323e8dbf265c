#include "app/UpdateCheck.h"

#include "LocalHttpServer.h"
#include "TempFolder.h"
#include "base/FileHelpers.h"
#include "base/TextUtils.h"
#include "base/Translation.h"

#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace quillmark;
using namespace quillmark::testing;

namespace {

const char kVersionPage[] = "/download/version/quillmark-version.html";
const char kChangesPage[] = "/download/version/quillmark-changes.html";
const char kInstaller[] = "/download/quillmark.exe";
const std::string kFailureText = "Failed to download update. Please download manually on website.";
const std::string kCancelText = "Download is cancelled. Please download manually.";

// ------------------------------------------------------- version and message

struct VersionCase {
    const char* firstLine;
    std::optional<TUpdateOffer> offer; // nullopt: the line is not usable
    const char* shown;
};

TEST(UpdateVersionLine, DecidesFromTheFirstLine) {
    const VersionCase cases[] = {
        {"26/20", TUpdateOffer::Optional, "2.6"},
        {"25/20", TUpdateOffer::None, "2.5"},
        {"30/26", TUpdateOffer::Forced, "3.0"},
        {"25/26", TUpdateOffer::Forced, "2.5"},
        {"100/20", TUpdateOffer::Optional, "10.0"},
        {" 27 / 20 \r\n99/99", TUpdateOffer::Optional, "2.7"},
        {"\xEF\xBB\xBF"
         "26/20\nrest",
         TUpdateOffer::Optional, "2.6"},
        {"2.6/2.0", std::nullopt, ""},
        {"26", std::nullopt, ""},
        {"26/", std::nullopt, ""},
        {"x26/20", std::nullopt, ""},
        {"-26/20", std::nullopt, ""},
        {"+26/20", std::nullopt, ""},
        {"99999999999999/20", std::nullopt, ""},
        {"\n26/20", std::nullopt, ""},
        {"", std::nullopt, ""},
    };
    for (const VersionCase& c : cases) {
        SCOPED_TRACE(c.firstLine);
        const auto line = ParseVersionLine(c.firstLine);
        ASSERT_EQ(line.has_value(), c.offer.has_value());
        if (line) {
            EXPECT_EQ(DecideUpdate(*line), *c.offer);
            EXPECT_EQ(ShownVersion(line->Newest), c.shown);
        }
    }
    EXPECT_EQ(ShownVersion(9), "0.9");
}

TEST(UpdateServerAddress, ComesFromTheEnvironmentOrTheDefault) {
    const auto from = [](std::string value) {
        return UpdateServerFromEnvironment([value](const char*) { return value; });
    };
    EXPECT_EQ(from("").BaseUrl, kDefaultUpdateServer);
    EXPECT_FALSE(from("").FromEnvironment);
    EXPECT_TRUE(StartsWith(kDefaultUpdateServer, "https://"));
    EXPECT_EQ(from(" http://127.0.0.1:8080 ").BaseUrl, "http://127.0.0.1:8080/");
    EXPECT_TRUE(from("http://127.0.0.1:8080").FromEnvironment);
    EXPECT_EQ(from("https://mirror.example/updates/").BaseUrl, "https://mirror.example/updates/");
    EXPECT_EQ(from("OFF").BaseUrl, "");
}

// ---------------------------------------------------------------- fakes

class FakeShell final : public IShell {
public:
    bool OpenPath(const std::string& pathOrUrl) override {
        Opened.push_back(pathOrUrl);
        if (FileExists(pathOrUrl)) {
            OpenedFileContent = ReadFileBytes(pathOrUrl);
        }
        return Succeeds;
    }
    std::vector<std::string> Opened;
    std::string OpenedFileContent;
    bool Succeeds = true;
};

class FakeDialog final : public IUpdateDialogView {
public:
    explicit FakeDialog(TUpdateCheck& check) : check_(check) {}
    void SetCaption(const std::string& text) override { Caption = text; }
    void SetMessage(const std::string& text) override { Message = text; }
    void SetUpdateNowCaption(const std::string& text) override { UpdateNowCaption = text; }
    void SetUpdateNowEnabled(bool enabled) override { UpdateNowEnabled = enabled; }
    void SetCancelCaption(const std::string& text) override { CancelCaption = text; }
    void ShowProgressBar() override { ProgressVisible = true; }
    void SetProgress(int percent) override { Progress.push_back(percent); }
    void ProcessPendingEvents() override {
        ++EventRounds;
        if (OnEvents) {
            OnEvents(*this);
        }
    }
    void ShowError(const std::string& text) override { Errors.push_back(text); }
    void CloseDialog() override {
        Closed = true;
        check_.FormClose();
    }

    TUpdateCheck& Check() { return check_; }

    std::string Caption, Message, UpdateNowCaption, CancelCaption;
    bool UpdateNowEnabled = true;
    bool ProgressVisible = false;
    bool Closed = false;
    int EventRounds = 0;
    std::vector<int> Progress;
    std::vector<std::string> Errors;
    std::function<void(FakeDialog&)> OnEvents; // the user acting during a download

private:
    TUpdateCheck& check_;
};

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The translation state is program-wide: these tests see the English texts.
class UpdateCheckTest : public ::testing::Test {
protected:
    void SetUp() override { ResetTranslation(); }

    TUpdateCheck MakeCheck(TUpdateServer serverAddress, TUpdateTimeouts timeouts = {}) {
        return TUpdateCheck(*http, shell, std::move(serverAddress), temp.Root(), timeouts);
    }
    TUpdateCheck MakeCheck() { return MakeCheck({server.BaseUrl(), true}); }

    void ServeUpdate(const std::string& versionLine, const std::string& changes = "Faster export") {
        server.Serve(kVersionPage, Reply(200, versionLine));
        server.Serve(kChangesPage, Reply(200, changes));
    }

    std::unique_ptr<IHttpClient> http = MakeCurlHttpClient();
    FakeShell shell;
    LocalHttpServer server;
    TempFolder temp;
};

// ---------------------------------------------------------------- the check

TEST_F(UpdateCheckTest, OptionalUpdateShowsTheChangesWithoutEmptyLines) {
    ServeUpdate("26/20\r\nignored", "First item\r\n\r\nSecond item\n\n   \nThird");
    TUpdateCheck check = MakeCheck();

    ASSERT_TRUE(check.CheckForUpdate());
    EXPECT_FALSE(check.Forced());
    EXPECT_EQ(check.UpdateMessage(), "The new version 2.6 is available\r\n\r\nWhat's new:\r\n"
                                     "First item\r\nSecond item\r\n   \r\nThird\r\n");
    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].Path, kVersionPage);
    EXPECT_EQ(requests[1].Path, kChangesPage);
    EXPECT_EQ(requests[0].UserAgent, kUpdateUserAgent);

    FakeDialog dialog(check);
    check.FormShow(dialog);
    EXPECT_EQ(dialog.Caption, " Quillmark");
    EXPECT_EQ(dialog.UpdateNowCaption, "Update Now");
    EXPECT_EQ(dialog.CancelCaption, "Skip");
    EXPECT_EQ(dialog.Message, check.UpdateMessage());
    check.btCancelClick();
    EXPECT_TRUE(dialog.Closed);
    EXPECT_EQ(check.Outcome(), TUpdateOutcome::Continue);
}

TEST_F(UpdateCheckTest, VersionBelowTheMinimumForcesTheUpdate) {
    ServeUpdate("30/26");
    TUpdateCheck check = MakeCheck();

    ASSERT_TRUE(check.CheckForUpdate());
    EXPECT_TRUE(check.Forced());
    EXPECT_EQ(
        check.UpdateMessage(),
        "This version of the software is out of date. You must download the current "
        "version 3.0 to continue using the software.\r\n\r\nWhat's new:\r\nFaster export\r\n");

    FakeDialog dialog(check);
    check.FormShow(dialog);
    EXPECT_EQ(dialog.CancelCaption, "Exit");
    check.btCancelClick();
    EXPECT_TRUE(dialog.Closed);
    EXPECT_EQ(check.Outcome(), TUpdateOutcome::Stop);
}

TEST_F(UpdateCheckTest, TranslatedTexts) {
    ServeUpdate("26/20");
    ASSERT_TRUE(LoadTranslationTable("2\nEnglish\nDeutsch\nen\nde\n"
                                     "The new version %s is available\nVersion %s ist da\n"
                                     "Skip\nWeiter\n"));
    ASSERT_TRUE(SelectLanguage(1));
    TUpdateCheck check = MakeCheck();
    ASSERT_TRUE(check.CheckForUpdate());
    FakeDialog dialog(check);
    check.FormShow(dialog);
    ResetTranslation();
    EXPECT_TRUE(StartsWith(check.UpdateMessage(), "Version 2.6 ist da\r\n"));
    EXPECT_EQ(dialog.CancelCaption, "Weiter");
}

struct NoOfferCase {
    const char* name;
    TCannedResponse version;
    TCannedResponse changes;
    size_t requests; // how many the server saw
};

TEST_F(UpdateCheckTest, NoUpdateOrAnyFailureMeansNoOffer) {
    const NoOfferCase cases[] = {
        {"same version", Reply(200, "25/20"), Reply(200, "x"), 1},
        {"older on the server", Reply(200, "24/10"), Reply(200, "x"), 1},
        {"not whole numbers", Reply(200, "2.6/2.0"), Reply(200, "x"), 1},
        {"no slash", Reply(200, "26"), Reply(200, "x"), 1},
        {"empty page", Reply(200, ""), Reply(200, "x"), 1},
        {"version page 404", Reply(404, "gone"), Reply(200, "x"), 1},
        {"version page 500", Reply(500, "broken"), Reply(200, "x"), 1},
        {"changes page 500", Reply(200, "30/26"), Reply(500, "broken"), 2},
        {"redirect to a missing page", RedirectTo("/elsewhere"), Reply(200, "x"), 2},
    };
    for (const NoOfferCase& c : cases) {
        SCOPED_TRACE(c.name);
        LocalHttpServer local;
        local.Serve(kVersionPage, c.version);
        local.Serve(kChangesPage, c.changes);
        TUpdateCheck check(*http, shell, {local.BaseUrl(), true}, temp.Root());
        EXPECT_FALSE(check.CheckForUpdate());
        EXPECT_EQ(check.UpdateMessage(), "");
        EXPECT_FALSE(check.Forced());
        EXPECT_EQ(local.Requests().size(), c.requests);
    }
}

TEST_F(UpdateCheckTest, FollowsRedirects) {
    server.Serve(kVersionPage, RedirectTo("/moved/version.txt"));
    server.Serve("/moved/version.txt", Reply(200, "26/20"));
    server.Serve(kChangesPage, Reply(200, "x"));
    TUpdateCheck check = MakeCheck();
    EXPECT_TRUE(check.CheckForUpdate());
}

TEST_F(UpdateCheckTest, PlainHttpOnlyForAnAddressFromTheEnvironment) {
    ServeUpdate("30/26");
    TUpdateCheck check = MakeCheck({server.BaseUrl(), false});
    EXPECT_FALSE(check.CheckForUpdate());
    EXPECT_TRUE(server.Requests().empty());
}

TEST_F(UpdateCheckTest, SwitchedOffMeansNoRequest) {
    TUpdateCheck check = MakeCheck({"", true});
    EXPECT_FALSE(check.CheckForUpdate());
}

TEST_F(UpdateCheckTest, UnreachableServerFailsFast) {
    const std::string address =
        "http://127.0.0.1:" + std::to_string(LocalHttpServer::UnusedPort()) + "/";
    TUpdateCheck check = MakeCheck({address, true});
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(check.CheckForUpdate());
    EXPECT_LT(SecondsSince(start), 1.0);
}

TEST_F(UpdateCheckTest, SilentServerIsBoundedByTheTimeout) {
    server.Serve(kVersionPage, NoReply());
    TUpdateTimeouts timeouts;
    timeouts.PageMs = 300;
    TUpdateCheck check = MakeCheck({server.BaseUrl(), true}, timeouts);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(check.CheckForUpdate());
    EXPECT_GE(SecondsSince(start), 0.25);
    EXPECT_LT(SecondsSince(start), 1.5);
}

TEST_F(UpdateCheckTest, BothPagesTogetherStayWithinTheCheckBudget) {
    server.Serve(kVersionPage, Reply(200, "26/20"));
    server.Serve(kChangesPage, NoReply());
    TUpdateTimeouts timeouts;
    timeouts.PageMs = 3000;
    timeouts.CheckMs = 400;
    TUpdateCheck check = MakeCheck({server.BaseUrl(), true}, timeouts);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(check.CheckForUpdate());
    EXPECT_LT(SecondsSince(start), 2.0);
}

TEST_F(UpdateCheckTest, OversizedPageIsRefused) {
    ServeUpdate("26/20\n" + std::string(2 * 1024 * 1024, 'x'));
    TUpdateCheck check = MakeCheck();
    EXPECT_FALSE(check.CheckForUpdate());
}

// ------------------------------------------------------------- the download

std::string InstallerBytes(size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>(i * 31 % 251);
    }
    return bytes;
}

class UpdateDownloadTest : public UpdateCheckTest {
protected:
    // Runs the check and shows the dialog; the caller clicks.
    void Offer(const std::string& versionLine) {
        ServeUpdate(versionLine);
        check = std::make_unique<TUpdateCheck>(MakeCheck());
        ASSERT_TRUE(check->CheckForUpdate());
        dialog = std::make_unique<FakeDialog>(*check);
        check->FormShow(*dialog);
    }

    std::unique_ptr<TUpdateCheck> check;
    std::unique_ptr<FakeDialog> dialog;
};

TEST_F(UpdateDownloadTest, UpdateNowDownloadsAndRunsTheInstallerThenEnds) {
    const std::string installer = InstallerBytes(300 * 1000);
    server.Serve(kInstaller, Reply(200, installer));
    Offer("26/20");
    dialog->OnEvents = [](FakeDialog& d) {
        EXPECT_EQ(d.CancelCaption, "Abort");
        EXPECT_FALSE(d.UpdateNowEnabled);
        EXPECT_TRUE(d.Check().Forced());
    };

    check->btUpdateNowClick();

    EXPECT_TRUE(dialog->Errors.empty());
    ASSERT_EQ(shell.Opened, std::vector<std::string>{check->InstallerFile()});
    EXPECT_EQ(shell.OpenedFileContent, installer);
    EXPECT_TRUE(StartsWith(check->InstallerFile(), temp.Root()));
    EXPECT_EQ(ExtractFileName(check->InstallerFile()), "bwd_update.exe");
    EXPECT_TRUE(dialog->ProgressVisible);
    ASSERT_FALSE(dialog->Progress.empty());
    EXPECT_EQ(dialog->Progress.front(), 0);
    EXPECT_EQ(dialog->Progress.back(), 100);
    EXPECT_TRUE(std::is_sorted(dialog->Progress.begin(), dialog->Progress.end()));
    EXPECT_GT(dialog->EventRounds, 0);
    EXPECT_TRUE(dialog->Closed);
    EXPECT_EQ(check->Outcome(), TUpdateOutcome::Stop);
    EXPECT_EQ(server.Requests().back().UserAgent, kUpdateUserAgent);
}

TEST_F(UpdateDownloadTest, ChunkedDownloadLeavesTheProgressAtZero) {
    const std::string installer = InstallerBytes(50 * 1000);
    server.Serve(kInstaller, ChunkedReply(installer, 4096));
    Offer("26/20");

    check->btUpdateNowClick();

    EXPECT_TRUE(dialog->Errors.empty());
    EXPECT_EQ(shell.OpenedFileContent, installer);
    EXPECT_EQ(dialog->Progress, std::vector<int>{0});
    EXPECT_EQ(check->Outcome(), TUpdateOutcome::Stop);
}

struct AbortCase {
    const char* name;
    TCannedResponse installer;
    std::function<void(TUpdateCheck&)> userAction;
};

TEST_F(UpdateDownloadTest, AbortDuringTheDownloadOpensTheHomePageAndEnds) {
    const AbortCase cases[] = {
        {"Abort button", StalledReply(InstallerBytes(1000 * 1000), 2000),
         [](TUpdateCheck& c) { c.btCancelClick(); }},
        {"closing the window", StalledReply(InstallerBytes(1000 * 1000), 2000),
         [](TUpdateCheck& c) { EXPECT_FALSE(c.FormCloseQuery()); }},
        {"Abort during a chunked download", ChunkedReply(InstallerBytes(200 * 1000), 1000, 10),
         [](TUpdateCheck& c) { c.btCancelClick(); }},
    };
    for (const AbortCase& c : cases) {
        SCOPED_TRACE(c.name);
        shell = FakeShell();
        server.Serve(kInstaller, c.installer);
        Offer("26/20");
        dialog->OnEvents = [&c](FakeDialog& d) {
            if (d.EventRounds == 3) {
                c.userAction(d.Check());
            }
        };
        const auto start = std::chrono::steady_clock::now();

        check->btUpdateNowClick();

        EXPECT_LT(SecondsSince(start), 3.0);
        EXPECT_EQ(dialog->Errors,
                  std::vector<std::string>{kFailureText + "\r\n\r\n" + kCancelText});
        EXPECT_EQ(shell.Opened, std::vector<std::string>{kVendorHomePage});
        EXPECT_TRUE(dialog->Closed);
        EXPECT_EQ(check->Outcome(), TUpdateOutcome::Stop);
        EXPECT_TRUE(check->FormCloseQuery());
    }
}

struct DownloadFailureCase {
    const char* name;
    TCannedResponse installer;
    bool serverFromEnvironment;
    bool shellSucceeds;
    const char* cause; // part of the text after the failure text
};

TEST_F(UpdateDownloadTest, FailedDownloadShowsTheCauseOpensTheHomePageAndEnds) {
    const DownloadFailureCase cases[] = {
        {"installer missing", Reply(404, "no"), true, true, "404"},
        {"server error", Reply(500, "no"), true, true, "500"},
        {"connection closed early", TruncatedReply("MZ12345678", 4), true, true, ""},
        {"installer cannot be started", Reply(200, "MZ"), true, false,
         "The downloaded installer could not be started."},
        {"plain http from the compiled address", Reply(200, "MZ"), false, true, "https://"},
    };
    for (const DownloadFailureCase& c : cases) {
        SCOPED_TRACE(c.name);
        LocalHttpServer local;
        local.Serve(kInstaller, c.installer);
        shell = FakeShell();
        shell.Succeeds = c.shellSucceeds;
        TUpdateCheck failing(*http, shell, {local.BaseUrl(), c.serverFromEnvironment}, temp.Root());
        FakeDialog view(failing);
        failing.FormShow(view);

        failing.btUpdateNowClick();

        ASSERT_EQ(view.Errors.size(), 1u);
        EXPECT_TRUE(StartsWith(view.Errors[0], kFailureText + "\r\n\r\n"));
        EXPECT_NE(view.Errors[0].find(c.cause), std::string::npos) << view.Errors[0];
        EXPECT_EQ(shell.Opened.back(), kVendorHomePage);
        EXPECT_EQ(failing.Outcome(), TUpdateOutcome::Stop);
        if (!c.serverFromEnvironment) {
            EXPECT_TRUE(local.Requests().empty());
        }
    }
}

TEST_F(UpdateDownloadTest, RefusesAFolderOthersCanWriteTo) {
    server.Serve(kInstaller, Reply(200, "MZ"));
    Offer("26/20");
    const std::string folder = ExtractFileDir(check->InstallerFile());
    std::filesystem::create_directory(folder);
    ::chmod(folder.c_str(), 0777);

    check->btUpdateNowClick();

    ASSERT_EQ(dialog->Errors.size(), 1u);
    EXPECT_NE(dialog->Errors[0].find("not private"), std::string::npos);
    EXPECT_EQ(shell.Opened, std::vector<std::string>{kVendorHomePage});
    EXPECT_FALSE(FileExists(check->InstallerFile()));
}

} // namespace
