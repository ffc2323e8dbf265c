// The printed manual read back from the PDF the browser made: page numbers,
// bookmarks and paper size as a reader meets them.
#include "PdfReading.h"
#include "TempFolder.h"
#include "TestHelpers.h"
#include "base/FileHelpers.h"
#include "base/Regex.h"
#include "base/TextUtils.h"
#include "model/DocProject.h"
#include "model/TopicTreeOrder.h"
#include "platform/Clock.h"
#include "platform/ProcessRunner.h"
#include "publish/BrowserLocator.h"
#include "publish/PdfExport.h"
#include "publish/PdfTopicHeading.h"
#include "settings/ProjectSettings.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>

namespace quillmark {
namespace {

using testing::TempFolder;

class PdfPrintedManualTest : public ::testing::Test {
protected:
    void SetUp() override {
        Browser = FindEdgeOrChromium();
        if (Browser.empty())
            GTEST_SKIP() << "no Chromium-based browser installed";
        Project.SetRootPath(Folder.Root());
        Project.FTitle = "Printed Manual";
    }
    TTopic& Add(const std::string& title, const std::string& parent, const std::string& html) {
        TTopic& topic = Project.AddTopic(title, parent);
        WriteTextFileUtf8(Project.TopicPagePath(topic.FID), html);
        return topic;
    }
    TPdfReader Print() {
        Settings.SaveToFile(TProjectSettings::DefaultSettingsPathForProject(Project.FRootPath));
        auto runner = MakeSystemProcessRunner();
        TSteadyClock clock;
        const TPublishContext context{Project, Settings, *runner, clock, true, Browser, {}};
        return TPdfReader(ExportPdf(context, Folder.Path("build/pdf")));
    }

    std::string Browser;
    TempFolder Folder;
    TDocProject Project;
    TProjectSettings Settings;
};

// The contents as printed: each line that ends in a page number, its text
// before the number.
std::map<std::string, int> PrintedContents(const TPdfReader& pdf, int& lastContentsPage) {
    static const Regex entry(R"(^[ \t]*(.*\S)[ \t]+(\d+)[ \t]*$)", Regex::Multiline);
    std::map<std::string, int> contents;
    for (int page = 2; page <= pdf.Pages(); ++page) {
        const std::string text = pdf.PageText(page);
        if (!StartsWith(Trim(text), "Contents"))
            break;
        lastContentsPage = page;
        for (const RegexMatch& line : entry.Matches(text))
            contents[std::string(line.Group(1))] = std::stoi(std::string(line.Group(2)));
    }
    return contents;
}

// A paragraph of filler text that names no topic.
std::string Filler(int seed) {
    static const char* words[] = {"lamp",  "light", "warm",   "ring", "touch", "dim",
                                  "night", "desk",  "colour", "mode", "quiet", "glow"};
    std::string text = "<p>";
    for (int w = 0; w < 90; ++w)
        text += std::string(words[(seed * 7 + w * 5) % 12]) + (w % 13 == 12 ? ". " : " ");
    return text + "</p>";
}

TEST_F(PdfPrintedManualTest, EveryListedPageBeginsItsTopicInA300PageManual) {
    // Six chapters of ten topics, pages from a few lines to several sheets,
    // so that topics start anywhere on a page.
    std::vector<std::string> titles;
    for (int chapter = 0; chapter < 6; ++chapter) {
        std::string parent;
        for (int t = 0; t < 10; ++t) {
            const int n = chapter * 10 + t;
            const std::string title = "Topic " + std::string(n < 10 ? "00" : "0") +
                                      std::to_string(n) + " heading";
            std::string html = "<h1>" + title + "</h1>";
            for (int p = 0; p < (n * 37) % 53 + 3; ++p)
                html += Filler(n + p);
            TTopic& topic = Add(title, t == 0 ? "" : parent, html);
            if (n % 7 == 0)
                topic.FIndexEntries = {"Entry " + std::to_string(n)};
            if (n % 20 == 3)
                topic.FKeywords = {"Shared keyword"};
            if (t == 0)
                parent = topic.FID;
            titles.push_back(title);
        }
    }
    Settings.PdfPaperSize = "Letter";
    const TPdfReader pdf = Print();
    ASSERT_GE(pdf.Pages(), 300);

    int lastContentsPage = 0;
    const std::map<std::string, int> contents = PrintedContents(pdf, lastContentsPage);
    ASSERT_EQ(contents.size(), titles.size());
    // Each title is printed as the topic's heading and nowhere else but in
    // the running heads of its chapter, which begin on the chapter's first
    // page: the first page after the contents that shows it begins the topic.
    std::map<std::string, int> starts;
    for (int page = lastContentsPage + 1; page <= pdf.Pages(); ++page) {
        const std::string text = pdf.PageText(page);
        for (const std::string& title : titles)
            if (text.find(title) != std::string::npos)
                starts.emplace(title, page);
        // The page number stands alone on the page's last line.
        const std::string trimmed = Trim(text);
        EXPECT_EQ(Trim(trimmed.substr(trimmed.rfind('\n') + 1)), std::to_string(page));
    }
    for (const std::string& title : titles)
        EXPECT_EQ(contents.at(title), starts[title]) << title;
    // The index lists the start pages of its entries' topics.
    std::string index;
    for (int page = 1; page <= pdf.Pages(); ++page)
        if (const std::string text = pdf.PageText(page); StartsWith(Trim(text), "Index"))
            index += text;
    const auto listed = [&](const std::string& entry) {
        return Regex(entry + R"(\b)").IsMatch(index);
    };
    for (int n = 0; n < 60; n += 7)
        EXPECT_TRUE(listed("Entry " + std::to_string(n) + ", " + std::to_string(starts[titles[n]])))
            << n;
    EXPECT_TRUE(listed("Shared keyword, " + std::to_string(starts[titles[3]]) + ", " +
                       std::to_string(starts[titles[23]]) + ", " +
                       std::to_string(starts[titles[43]])));
    for (int page = 1; page <= pdf.Pages(); page += 50) {
        const auto [width, height] = pdf.PageSize(page);
        EXPECT_NEAR(width, 612, 1) << page;
        EXPECT_NEAR(height, 792, 1) << page;
    }
}

// The bookmarks a reader expects: each printed topic under its parent, its
// own sub-headings first.
TEST_F(PdfPrintedManualTest, BookmarksMirrorTheContentsTreeOnA4) {
    const std::string intro =
        Add("Introduction", "", "<h1>Introduction</h1><p>a</p><h2>Before you start</h2><p>b</p>")
            .FID;
    const std::string setup = Add("Setup", intro, "<h2>Setup</h2><h3>Unpack</h3><p>c</p>").FID;
    Add("Cables", setup, "<p>d</p><h1>Which cable</h1><p>e</p>");
    Add("Hidden", intro, "<p>not printed</p>").FExcludePdf = true;
    Add("Reference", "", "<p>f</p><pre>" + std::string(400, 'x') + "</pre>");

    const TPdfReader pdf = Print();
    const std::vector<TPdfBookmark> expected = {
        {"Contents", {}},
        {"Introduction",
         {{"Before you start", {}},
          {"Setup", {{"Unpack", {}}, {"Cables", {{"Which cable", {}}}}}}}},
        {"Reference", {}},
    };
    EXPECT_EQ(pdf.Bookmarks(), expected);
    const auto [width, height] = pdf.PageSize(1);
    EXPECT_NEAR(width, 595, 1);
    EXPECT_NEAR(height, 842, 1);
    // The cover shows the title and no page number; a long line of code
    // wraps inside the page instead of being cut off.
    EXPECT_EQ(Trim(pdf.PageText(1)), "Printed Manual");
    const std::string last = pdf.PageText(pdf.Pages());
    EXPECT_EQ(std::count(last.begin(), last.end(), 'x'), 400);
    // The manual left beside the PDF carries the numbers.
    EXPECT_EQ(ReadTextFileUtf8(Folder.Path("build/pdf/manual.html"))
                  .find("<span class=\"toc-page\"></span>"),
              std::string::npos);
}

} // namespace
} // namespace quillmark
