#include "publish/PdfExport.h"

#include "FakeClock.h"
#include "PdfFixture.h"
#include "TempFolder.h"
#include "TestHelpers.h"
#include "base/FileHelpers.h"
#include "model/DocProject.h"
#include "platform/Clock.h"
#include "platform/ProcessRunner.h"
#include "publish/BrowserLocator.h"
#include "publish/PdfManual.h"
#include "publish/PublishSteps.h"
#include "settings/ProjectSettings.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>

namespace quillmark {
namespace {

using namespace testing;

class PdfExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        Project.SetRootPath(Folder.Root());
        Project.FTitle = "Lamp & Co";
    }
    TTopic& Add(const std::string& title, const std::string& parent, const std::string& html) {
        TTopic& topic = Project.AddTopic(title, parent);
        if (!html.empty())
            WriteTextFileUtf8(Project.TopicPagePath(topic.FID), html);
        return topic;
    }
    // The printer waits for the PDF by `clock`: the fixture's own clock
    // unless a real browser prints.
    std::string Export(IProcessRunner& runner, bool print, const std::string& browser = {},
                       IClock* clock = nullptr) {
        TProjectSettings settings;
        const TPublishContext context{Project, settings, runner, clock != nullptr ? *clock : Clock,
                                      print,   browser,  {}};
        return ExportPdf(context, Folder.Path("build/pdf"));
    }

    TempFolder Folder;
    TDocProject Project;
    FakeClock Clock;
};

TEST(PdfManualTextTest, StripTagsToText) {
    const std::pair<const char*, const char*> texts[] = {
        {"<div><b>Intro &amp; Setup</b></div>", "Intro & Setup"},
        {" <p>a &gt; b</p> > c ", "a > b  c"},
        {"&nbsp;Shown&#160;", "&nbsp;Shown"},
        {"<p>\r\n</p>", ""},
        {"Tab <b>c</b> <i unclosed", "Tab c"},
    };
    for (const auto& [html, text] : texts)
        EXPECT_EQ(StripTagsToText(html), text) << html;
}

TEST_F(PdfExportTest, WritesManualStylesheetAndAssetsWithoutPrinting) {
    Add("Topic", "", "<img src=\"assets/images/a.png\">");
    WriteTextFileUtf8(Folder.Path("assets/images/a.png"), "png");
    EnsureDir(Folder.Path("assets/empty"));
    WriteTextFileUtf8(Folder.Path("build/pdf/manual.pdf"), "old manual");
    WriteTextFileUtf8(Folder.Path("build/pdf/notes.txt"), "kept");

    auto runner = MakeSystemProcessRunner();
    EXPECT_EQ(Export(*runner, false), Folder.Path("build/pdf/manual.html"));
    EXPECT_FALSE(FileExists(Folder.Path("build/pdf/manual.pdf")));
    EXPECT_TRUE(FileExists(Folder.Path("build/pdf/notes.txt")));
    EXPECT_EQ(ReadTextFileUtf8(Folder.Path("build/pdf/manual.html")),
              BuildManualHtml(Project, ReadSettingsAfresh(Project)));
    EXPECT_NE(ReadTextFileUtf8(Folder.Path("build/pdf/style.css"))
                  .find("/* Project settings overrides */"),
              std::string::npos);
    EXPECT_EQ(ReadTextFileUtf8(Folder.Path("build/pdf/assets/images/a.png")), "png");
    EXPECT_FALSE(DirectoryExists(Folder.Path("build/pdf/assets/empty")));
}

TEST(PdfPrintTest, BrowserCommandLine) {
    const std::vector<std::string> expected = {
        "--headless",
        "--disable-gpu",
        "--no-first-run",
        "--no-default-browser-check",
        "--disable-print-preview",
        "--kiosk-printing",
        "--user-data-dir=/tmp/profile",
        "--print-to-pdf=/p/my docs/manual.pdf",
        "--no-pdf-header-footer",
        "--disable-background-networking",
        "--disable-component-update",
        "--disable-sync",
        "--disable-default-apps",
        "--disable-extensions",
        "--host-resolver-rules=MAP * ~NOTFOUND",
        "--generate-pdf-document-outline",
        "--no-sandbox",
        "file:///p/my%20docs%23%3F%25/Caf%C3%A9/manual.html"};
    EXPECT_EQ(PdfPrintArguments("/p/my docs#?%/Café/manual.html", "/p/my docs/manual.pdf",
                                "/tmp/profile", true),
              expected);
    EXPECT_EQ(PdfPrintArguments("/m.html", "/m.pdf", "/t", false).size(), expected.size() - 1);
    // The first print of a manual only finds its pages and makes no bookmarks.
    EXPECT_EQ(PdfPrintArguments("/m.html", "/m.pdf", "/t", false, false).size(),
              expected.size() - 2);
}

TEST(PdfPrintTest, FindEdgeLooksForABrowser) {
    TempFolder folder;
    auto makeProgram = [&](const std::string& relative) {
        WriteTextFileUtf8(folder.Path(relative), "#!/bin/sh\n");
        chmod(folder.Path(relative).c_str(), 0755);
        return folder.Path(relative);
    };
    std::map<std::string, std::string> env{{"PATH", folder.Path("a") + ":" + folder.Path("b")}};
    const auto getEnv = [&](const char* name) {
        return env.count(name) ? env[name] : std::string();
    };
    EXPECT_EQ(FindEdgeOrChromium(getEnv), "");
    // Added from the last choice to the first.
    for (const char* program :
         {"b/google-chrome", "a/chromium-browser", "b/chromium", "b/microsoft-edge"})
        EXPECT_EQ(FindEdgeOrChromium(getEnv), makeProgram(program)) << program;
    env["QUILLMARK_BROWSER"] = "google-chrome";
    EXPECT_EQ(FindEdgeOrChromium(getEnv), folder.Path("b/google-chrome"));
    env["QUILLMARK_BROWSER"] = "/opt/none/browser";
    EXPECT_EQ(FindEdgeOrChromium(getEnv), "/opt/none/browser");
}

class FakeBrowser final : public IProcessRunner {
public:
    std::function<TProcessResult(const TProcessRequest&)> OnRun;
    std::vector<TProcessRequest> Requests;
    TProcessResult Run(const TProcessRequest& request) override {
        Requests.push_back(request);
        return OnRun(request);
    }
};

std::string ArgumentValue(const TProcessRequest& request, const std::string& prefix) {
    for (const std::string& argument : request.Arguments)
        if (argument.rfind(prefix, 0) == 0)
            return argument.substr(prefix.size());
    return "";
}

TEST_F(PdfExportTest, PrintFailuresAreReported) {
    Add("Topic", "", "<p>x</p>");
    FakeBrowser browser;
    const std::string pdf = Folder.Path("build/pdf/manual.pdf");
    std::string profile;
    struct Case {
        const char* Name;
        bool Started, TimedOut, WritesPdf;
        const char* Error;
    } cases[] = {
        {"prints", true, false, true, ""},
        {"cannot start", false, false, false, "Could not start the browser"},
        {"hangs", true, true, false, "did not finish printing the PDF within 5 minutes"},
        {"ends without a PDF", true, false, false,
         "PDF file was not created in time\r\n\r\nBrowser output:\r\nno printer"},
    };
    for (const Case& c : cases) {
        browser.OnRun = [&](const TProcessRequest& request) {
            profile = ArgumentValue(request, "--user-data-dir=");
            EXPECT_TRUE(DirectoryExists(profile));
            if (c.WritesPdf)
                WriteTextFileUtf8(ArgumentValue(request, "--print-to-pdf="), MinimalPdf(1, {}));
            TProcessResult result;
            result.Started = c.Started;
            result.TimedOut = c.TimedOut;
            result.ExitCode = c.Started && !c.TimedOut ? 0 : -1;
            result.Output = "no printer";
            return result;
        };
        std::string returned;
        const std::string error =
            ErrorOf([&] { returned = Export(browser, true, "/usr/bin/browser"); });
        if (*c.Error == '\0') {
            EXPECT_EQ(error, "") << c.Name;
            EXPECT_EQ(returned, pdf);
        } else {
            EXPECT_NE(error.find(c.Error), std::string::npos) << c.Name << ": " << error;
            EXPECT_FALSE(FileExists(pdf)) << c.Name;
        }
        EXPECT_EQ(browser.Requests.back().Program, "/usr/bin/browser");
        EXPECT_EQ(browser.Requests.back().Timeout, std::chrono::minutes(5));
        EXPECT_FALSE(profile.empty());
        EXPECT_FALSE(DirectoryExists(profile)) << c.Name;
    }
}

// The page number the contents of manual.html give a topic; empty when none.
std::string ContentsNumber(const std::string& manual, const std::string& id) {
    const std::string entry = "href=\"#" + id + "\">";
    const size_t at = manual.find(entry);
    const std::string box = "<span class=\"toc-page\">";
    const size_t start = manual.find(box, at) + box.size();
    return at == std::string::npos ? "?" : manual.substr(start, manual.find('<', start) - start);
}

TEST_F(PdfExportTest, PageNumbersComeFromThePrintedPages) {
    const std::string a = Add("A", "", "<p>a</p>").FID;
    const std::string b = Add("B", "", "<p>b</p>").FID;
    const std::string manual = Folder.Path("build/pdf/manual.html");
    struct Case {
        const char* Name;
        std::vector<std::map<std::string, int>> Prints;
        const char* Error;
        const char* FinalB;
    } cases[] = {
        {"settles at once", {{{a, 3}, {b, 4}}, {{a, 3}, {b, 4}}}, "", "4"},
        {"a number moved a break", {{{a, 3}, {b, 4}}, {{a, 3}, {b, 5}}, {{a, 3}, {b, 5}}}, "", "5"},
        {"never settles",
         {{{a, 3}, {b, 4}}, {{a, 3}, {b, 5}}, {{a, 3}, {b, 6}}, {{a, 3}, {b, 7}}},
         "did not settle after 4 prints",
         "6"},
    };
    for (const Case& c : cases) {
        FakeBrowser browser;
        std::vector<std::string> numbersSeen;
        browser.OnRun = [&](const TProcessRequest& request) {
            const std::string html = ReadTextFileUtf8(manual);
            numbersSeen.push_back(ContentsNumber(html, a) + "," + ContentsNumber(html, b));
            const size_t print = browser.Requests.size() - 1;
            WriteTextFileUtf8(ArgumentValue(request, "--print-to-pdf="),
                              MinimalPdf(9, c.Prints.at(print)));
            TProcessResult result;
            result.Started = true;
            return result;
        };
        const std::string error = ErrorOf([&] { Export(browser, true, "/usr/bin/browser"); });
        EXPECT_NE(error.find(c.Error), std::string::npos) << c.Name << ": " << error;
        EXPECT_EQ(browser.Requests.size(), c.Prints.size()) << c.Name;
        ASSERT_FALSE(numbersSeen.empty());
        EXPECT_EQ(numbersSeen[0], ",") << c.Name << ": the first print has no numbers";
        EXPECT_EQ(numbersSeen[1], "3,4") << c.Name;
        EXPECT_EQ(ContentsNumber(ReadTextFileUtf8(manual), b), c.FinalB) << c.Name;
        // The first print goes to a scratch file without bookmarks, every
        // later one to manual.pdf with them.
        const auto outlined = [](const TProcessRequest& request) {
            const auto& arguments = request.Arguments;
            return std::count(arguments.begin(), arguments.end(),
                              "--generate-pdf-document-outline") == 1;
        };
        EXPECT_NE(ArgumentValue(browser.Requests[0], "--print-to-pdf="),
                  Folder.Path("build/pdf/manual.pdf"));
        EXPECT_FALSE(outlined(browser.Requests[0]));
        EXPECT_EQ(ArgumentValue(browser.Requests[1], "--print-to-pdf="),
                  Folder.Path("build/pdf/manual.pdf"));
        EXPECT_TRUE(outlined(browser.Requests[1]));
    }
}

TEST_F(PdfExportTest, RealBrowserPrintsTheManualWithBookmarks) {
    const std::string browser = FindEdgeOrChromium();
    if (browser.empty())
        GTEST_SKIP() << "no Chromium-based browser installed";
    const std::string root =
        Add("Getting started", "", "<p>Unpack the lamp.</p><h2>Inside</h2>").FID;
    Add("Safety", root, "<p>Keep away from water.</p>");
    auto runner = MakeSystemProcessRunner();
    TSteadyClock clock;
    const std::string pdf = Export(*runner, true, browser, &clock);
    const std::string bytes = ReadFileBytes(pdf);
    ASSERT_GT(bytes.size(), 100u);
    EXPECT_EQ(bytes.substr(0, 4), "%PDF");
    EXPECT_NE(bytes.find("/Outlines"), std::string::npos);
}

} // namespace
} // namespace quillmark
