#include "publish/PdfExport.h"

#include "FakeClock.h"
#include "TempFolder.h"
#include "TestHelpers.h"
#include "base/FileHelpers.h"
#include "model/DocProject.h"
#include "platform/Clock.h"
#include "platform/ProcessRunner.h"
#include "publish/BrowserLocator.h"
#include "settings/ProjectSettings.h"

#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>

namespace quillmark {
namespace {

using namespace testing;

std::string CrLfLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

const std::vector<std::string> kManualHead = {
    "<!doctype html>",
    "<html>",
    "<head>",
    "<meta charset=\"utf-8\">",
};
const std::vector<std::string> kManualStyle = {
    "<link rel=\"stylesheet\" href=\"style.css\">",
    "<style>",
    "@page {",
    "  size: auto;",
    "  margin: 0mm;",
    "}",
    "html, body { margin:20; }",
    "</style>",
    "</head>",
    "<body>",
};

std::vector<std::string> Section(const std::string& id, const std::string& tag,
                                 const std::string& heading, const std::string& html) {
    return {"<section id=\"" + id + "\">", "<" + tag + ">" + heading + "</" + tag + ">", html,
            "</section>"};
}

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

TEST_F(PdfExportTest, ManualHoldsTheIncludedTopicsInContentsOrder) {
    const std::string r = Add("Root", "", "<p>Root text</p>").FID;
    const std::string c1 = Add("C1 <x>", r, "<p>one</p>\n<p>two</p>").FID;
    const std::string g = Add("Grandchild", c1, "").FID; // no page file
    TTopic& c2 = Add("Excluded", r, "<p>hidden</p>");
    c2.FExcludePdf = true;
    Add("Below excluded", c2.FID, "<p>hidden too</p>");
    const std::string c3 = Add("C3", r, "").FID;
    WriteTextFileUtf8(Project.TopicPagePath(c3),
                      "<a href=\"doc:" + c2.FID +
                          "\">x</a>"
                          "<a href='doc:0123456789ABCDEF0123456789ABCDEF'>y</a>");
    WriteTextFileUtf8(Folder.Path("meta/header_" + r + ".html"),
                      "<div><b>Intro &amp; Setup</b></div>");

    std::vector<std::string> lines = kManualHead;
    lines.push_back("<title>Lamp &amp; Co</title>");
    lines.insert(lines.end(), kManualStyle.begin(), kManualStyle.end());
    for (const auto& section :
         {Section(r, "h1", "Intro &amp; Setup", "<p>Root text</p>"),
          Section(c1, "h2", "C1 &lt;x&gt;", "<p>one</p>\n<p>two</p>"),
          Section(g, "h3", "Grandchild", ""),
          Section(c3, "h2", "C3", "<a href=\"#" + c2.FID + "\">x</a><a href=\"#\">y</a>")})
        lines.insert(lines.end(), section.begin(), section.end());
    lines.insert(lines.end(), {"</body>", "</html>"});
    EXPECT_EQ(BuildManualHtml(Project), CrLfLines(lines));
}

TEST_F(PdfExportTest, HeadingTagsAndHeaderTexts) {
    const std::pair<int, const char*> tags[] = {
        {0, "h1"}, {1, "h2"}, {4, "h5"}, {5, "h6"}, {7, "h6"}};
    for (const auto& [depth, tag] : tags)
        EXPECT_EQ(HeadingTag(depth), tag) << depth;

    const std::pair<const char*, const char*> texts[] = {
        {"<div><b>Intro &amp; Setup</b></div>", "Intro & Setup"},
        {" <p>a &gt; b</p> > c ", "a > b  c"},
        {"&nbsp;Shown&#160;", "&nbsp;Shown"},
        {"<p>\r\n</p>", ""},
        {"Tab <b>c</b> <i unclosed", "Tab c"},
    };
    for (const auto& [html, text] : texts)
        EXPECT_EQ(StripTagsToText(html), text) << html;

    const std::string own = Add("Own", "", "").FID;
    const std::string shared = Add("Shared", "", "").FID;
    WriteTextFileUtf8(Folder.Path("meta/header_" + own + ".html"), "<b>Mine</b>");
    EXPECT_EQ(ReadHeaderText(Project, own, "Own"), "Mine");
    EXPECT_EQ(ReadHeaderText(Project, shared, "Shared"), "Shared");
    WriteTextFileUtf8(Folder.Path("meta/header_default.html"), "<b>Everyone</b>");
    EXPECT_EQ(ReadHeaderText(Project, shared, "Shared"), "Everyone");
    WriteTextFileUtf8(Folder.Path("meta/header_default.html"), "<b> </b>");
    EXPECT_EQ(ReadHeaderText(Project, shared, "Shared"), "Shared");
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
    EXPECT_EQ(ReadTextFileUtf8(Folder.Path("build/pdf/manual.html")), BuildManualHtml(Project));
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
        "--generate-pdf-document-outline",
        "--disable-background-networking",
        "--disable-component-update",
        "--disable-sync",
        "--disable-default-apps",
        "--disable-extensions",
        "--host-resolver-rules=MAP * ~NOTFOUND",
        "--no-sandbox",
        "file:///p/my%20docs%23%3F%25/Caf%C3%A9/manual.html"};
    EXPECT_EQ(PdfPrintArguments("/p/my docs#?%/Café/manual.html", "/p/my docs/manual.pdf",
                                "/tmp/profile", true),
              expected);
    EXPECT_EQ(PdfPrintArguments("/m.html", "/m.pdf", "/t", false).size(), expected.size() - 1);
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
                WriteTextFileUtf8(ArgumentValue(request, "--print-to-pdf="), "%PDF-1.4");
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
