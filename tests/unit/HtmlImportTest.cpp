#include "editor/HtmlImport.h"

#include "TempFolder.h"
#include "TestHelpers.h"
#include "base/FileHelpers.h"
#include "editor/HtmlImportCommand.h"
#include "editor/HtmlImportFiles.h"

#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <map>

using namespace quillmark;
using quillmark::testing::ErrorOf;
using quillmark::testing::ErrorUnderFileSizeLimit;
using quillmark::testing::TempFolder;
using ::testing::ElementsAre;
using ::testing::Pair;
namespace fs = std::filesystem;

namespace {

const std::string kFixtures = std::string(QUILLMARK_SOURCE_DIR) + "/tests/fixtures/import/";
const std::string kBom = "\xEF\xBB\xBF";

// Every file below `folder`: its path relative to `folder`, and its bytes
// (a link as "-> target").
std::map<std::string, std::string> FilesBelow(const std::string& folder) {
    std::map<std::string, std::string> files;
    if (!fs::exists(folder))
        return files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const std::string relative = fs::relative(entry.path(), folder).string();
        if (entry.is_symlink())
            files[relative] = "-> " + fs::read_symlink(entry.path()).string();
        else if (entry.is_regular_file())
            files[relative] = ReadFileBytes(entry.path().string());
    }
    return files;
}

class HtmlImportTest : public ::testing::Test {
protected:
    std::string Import(const std::string& page) { return ImportHtmlFile(FProject, page); }
    std::map<std::string, std::string> Assets() const { return FilesBelow(FProject + "assets"); }
    // A page (and the files it refers to) written into the source folder.
    std::string WriteSource(const std::string& name, const std::string& content) {
        WriteTextFileUtf8(FSource + name, content);
        return FSource + name;
    }

    TempFolder FTemp;
    std::string FProject = FTemp.Root() + "project/";
    std::string FSource = FTemp.Root() + "source/";
};

} // namespace

TEST_F(HtmlImportTest, PageWithPictures) {
    EXPECT_EQ(Import(kFixtures + "images/page.html"),
              "<div class=\"doc\" dir=\"rtl\"><div id=\"s\">\n"
              "<img src=\"assets/images/a.png\">\n"
              "<img src=\"assets/images/a.png\" srcset=\"assets/images/a.png 1x, "
              "assets/images/b.png 2x\">\n"
              "<img src=\"https://example.com/x.png?a=1&amp;b=2\">\n"
              "<img src=\"assets/images/b.png\">\n"
              "<video src=\"assets/media/clip.mp4\" poster=\"media/p.jpg\"></video>\n"
              "<img src=\"assets/images/site.png\">\n"
              "<object data=\"assets/files/manual.pdf\"></object>\n"
              "<img src=\"pics/missing.png\">\n"
              "<span>hi</span>\n"
              "\n"
              "</div></div>");
    // Each file once, into the folder of its kind; the poster is not copied.
    EXPECT_THAT(Assets(),
                ElementsAre(Pair("files/manual.pdf", "pdf"), Pair("images/a.png", "png-a"),
                            Pair("images/b.png", "png-b"), Pair("images/site.png", "png-site"),
                            Pair("media/clip.mp4", "mp4")));
}

TEST_F(HtmlImportTest, StyleSheetsWithImportsAndFonts) {
    EXPECT_EQ(Import(kFixtures + "styles/page.html"),
              "<link rel=\"stylesheet\" href=\"assets/css/site.css\">\r\n"
              "<link rel=\"stylesheet\" href=\"http://cdn.example.com/x.css?a=1&amp;b=2\">\r\n"
              "<link rel=\"stylesheet\" href=\"assets/css/site.css\">\r\n"
              "<style>.row { display: block; } .g{display: block}</style>\r\n"
              "<p>Text</p>");
    // site.css is written once although two links name it; the nested
    // base.css does not take the name its importer reserved; the cycle back
    // to site.css refers to the copy; the font named twice is copied twice.
    EXPECT_THAT(
        Assets(),
        ElementsAre(
            Pair("css/base.css",
                 kBom + "@import url(\"base_2.css\");\nbody { background: url(\"bg.png\"); }\n"),
            Pair("css/base_2.css", kBom + "@import url(\"site.css\");\np { color: red; }\n"),
            Pair("css/bg.png", "bg"),
            Pair("css/print.css", kBom + "@media print { .x { display: block } }\n"),
            Pair("css/site.css",
                 kBom +
                     "@import url(\"base.css\");\n"
                     "@import url(\"print.css\") print;\n"
                     "@import url(\"https://fonts.example.com/f.css\");\n"
                     "@import url(\"missing.css\");\n"
                     "@font-face { src: url(\"x.woff\") format(\"woff\"), url(\"x_2.woff\"); }\n"
                     ".a { background: url(\"data:image/png;base64,AAAA\"); display: block; }\n"),
            Pair("css/x.woff", "woff"), Pair("css/x_2.woff", "woff")));
}

TEST_F(HtmlImportTest, LegacyPagesAreReadAsWindows1252) {
    EXPECT_EQ(Import(kFixtures + "cp1252/page.html"),
              "<link rel=\"stylesheet\" href=\"assets/css/legacy.css\">\r\n"
              "<p>Caf\u00e9 \u2013 na\u00efve \u20ac</p>");
    EXPECT_THAT(Assets(),
                ElementsAre(Pair("css/legacy.css", kBom + "p:before { content: \"\u00a7\"; }\n")));
}

TEST_F(HtmlImportTest, EncodedNames) {
    EXPECT_EQ(Import(kFixtures + "encoded/page.html"),
              "<p><img src=\"assets/images/my pic.png\"><img src=\"assets/images/caf\u00e9.png\">"
              "<img src=\"assets/images/a b.png\"><img src=\"assets/images/deep.png\">"
              "<img src=\"assets/images/Tom&amp;Jerry.png\"></p>");
    EXPECT_EQ(Assets().size(), 5U);
}

TEST_F(HtmlImportTest, FilesOutsideThePagesFolderAreCopiedOnlyWhenAllowed) {
    WriteTextFileUtf8(FTemp.Path("outside/x.png"), "x");
    WriteTextFileUtf8(FTemp.Path("outside/y.css"), "p{background:url(z.png)}");
    WriteTextFileUtf8(FTemp.Path("outside/z.png"), "z");
    WriteTextFileUtf8(FSource + "inside.png", "in");
    fs::create_symlink(FTemp.Path("outside/x.png"), FSource + "alias.png");
    fs::create_directories(FSource + "folder.png");
    const std::string outsideRefs =
        "<img src=\"../outside/x.png\"><img src=\"" + FTemp.Path("outside/x.png") +
        "\"><img src=\"file://" + FTemp.Path("outside/x.png") +
        "\"><img src=\"sub%2f%2e%2e%2f%2e%2e%2foutside/x.png\"><img src=\"alias.png\">";
    const std::string systemRefs = "<img src=\"/proc/self/environ\"><img src=\"/dev/zero\">";
    const std::string page = WriteSource(
        "page.html", "<link rel=stylesheet href=\"../outside/y.css\"><p>" + outsideRefs +
                         systemRefs +
                         "<img src=\"inside.png\"><img src=\"folder.png\"><img src=\"..\"></p>");

    // By default only the file inside the page's folder is copied; the others
    // keep their references and are listed, each once.
    THtmlImportSkipped skipped;
    EXPECT_EQ(ImportHtmlFile(FProject, page, {}, &skipped),
              "<link rel=\"stylesheet\" href=\"../outside/y.css\">\r\n<p>" + outsideRefs +
                  systemRefs +
                  "<img src=\"assets/images/inside.png\"><img src=\"folder.png\"><img "
                  "src=\"..\"></p>");
    EXPECT_THAT(Assets(), ElementsAre(Pair("images/inside.png", "in")));
    EXPECT_THAT(skipped.OutsideFiles,
                ElementsAre(FTemp.Path("outside/y.css"), FTemp.Path("outside/x.png"),
                            FSource + "alias.png"));
    EXPECT_THAT(skipped.NeverCopied, ElementsAre("/proc/self/environ"));

    // Asked beforehand, the list also holds what an outside sheet names.
    EXPECT_THAT(FindOutsideFiles(FProject, page),
                ElementsAre(FTemp.Path("outside/y.css"), FTemp.Path("outside/z.png"),
                            FTemp.Path("outside/x.png"), FSource + "alias.png"));
    EXPECT_THAT(Assets(), ElementsAre(Pair("images/inside.png", "in")));

    // Allowed, they are copied; system files never are.
    fs::remove_all(FProject + "assets");
    THtmlImportRules allow;
    allow.CopyOutsideFiles = true;
    const std::string html = ImportHtmlFile(FProject, page, allow, &skipped);
    EXPECT_THAT(html, ::testing::HasSubstr("<link rel=\"stylesheet\" href=\"assets/css/y.css\">"));
    EXPECT_THAT(html, ::testing::HasSubstr(systemRefs));
    EXPECT_THAT(Assets(), ElementsAre(Pair("css/y.css", kBom + "p{background:url(\"z.png\")}"),
                                      Pair("css/z.png", "z"), Pair("images/alias.png", "x"),
                                      Pair("images/inside.png", "in"), Pair("images/x.png", "x")));
    EXPECT_THAT(skipped.OutsideFiles, ::testing::IsEmpty());
    EXPECT_THAT(skipped.NeverCopied, ElementsAre("/proc/self/environ"));
}

TEST_F(HtmlImportTest, NeverWritesThroughALinkInAnAssetFolder) {
    // A dangling link where the copy would go must not create its target.
    fs::create_directories(FProject + "assets/images");
    fs::create_symlink(FTemp.Path("victim.png"), FProject + "assets/images/a.png");
    WriteTextFileUtf8(FSource + "a.png", "new");
    EXPECT_EQ(Import(WriteSource("page.html", "<img src=a.png>")),
              "<img src=\"assets/images/a_2.png\">");
    EXPECT_FALSE(fs::exists(fs::symlink_status(FTemp.Path("victim.png"))));
    EXPECT_EQ(ReadFileBytes(FProject + "assets/images/a_2.png"), "new");
}

TEST_F(HtmlImportTest, CopiesNeverReplaceOrFollowWhatIsAlreadyThere) {
    WriteTextFileUtf8(FSource + "a.png", "new");
    WriteTextFileUtf8(FProject + "old.png", "old");
    fs::create_symlink(FTemp.Path("victim.png"), FProject + "link.png");
    for (const char* name : {"old.png", "link.png"}) {
        EXPECT_EQ(ErrorOf([&] { CopyImportedFile(FSource + "a.png", FProject + name); }),
                  "Cannot copy \"" + FSource + "a.png\" to \"" + FProject + name +
                      "\": File exists");
    }
    EXPECT_EQ(ReadFileBytes(FProject + "old.png"), "old");
    EXPECT_FALSE(fs::exists(fs::symlink_status(FTemp.Path("victim.png"))));
}

TEST_F(HtmlImportTest, FailuresStopTheImportAndKeepEarlierCopies) {
    WriteTextFileUtf8(FSource + "first.png", "1");
    WriteTextFileUtf8(FSource + "100%.png", "%");
    const struct {
        std::string body;
        std::string error;
    } cases[] = {
        {"<img src=100%.png>", "The address \"100%.png\" holds a malformed percent escape."},
        {"<img src=\"x%00.png\">",
         "The address \"x%00.png\" names a path with characters that are not allowed in file "
         "names."},
        {"<video src=\"missing.mp4\" poster=\"p.jpg\"></video><img srcset=\"a.png 1x, %.png 2x\">",
         "The address \"%.png\" holds a malformed percent escape."},
    };
    for (const auto& c : cases) {
        const std::string page = WriteSource("page.html", "<img src=first.png>" + c.body);
        EXPECT_EQ(ErrorOf([&] { Import(page); }), c.error) << c.body;
        EXPECT_EQ(ReadFileBytes(FProject + "assets/images/first.png"), "1");
        fs::remove(FProject + "assets/images/first.png");
    }
    // The same in a style sheet: its target stays unwritten.
    WriteTextFileUtf8(FSource + "broken.css", "@import '100%.css';");
    const std::string page = WriteSource("page.html", "<link rel=stylesheet href=broken.css>");
    EXPECT_EQ(ErrorOf([&] { Import(page); }),
              "The address \"100%.css\" holds a malformed percent escape.");
    EXPECT_FALSE(fs::exists(FProject + "assets/css/broken.css"));
}

TEST_F(HtmlImportTest, FailedWritesLeaveNoPartialFile) {
    WriteTextFileUtf8(FSource + "big.png", std::string(4096, 'p'));
    WriteTextFileUtf8(FSource + "big.css", "/*" + std::string(4096, 'c') + "*/");
    for (const char* body : {"<img src=big.png>", "<link rel=stylesheet href=big.css>"}) {
        const std::string page = WriteSource("page.html", body);
        const std::string error = ErrorUnderFileSizeLimit(1024, [&] { Import(page); });
        EXPECT_THAT(error, ::testing::HasSubstr("File too large")) << body;
        EXPECT_THAT(Assets(), ::testing::IsEmpty()) << body;
    }
}

namespace {

struct CommandCase {
    THtmlImportRequest request;
    std::string message;
};

} // namespace

TEST_F(HtmlImportTest, CommandPreconditions) {
    const std::string id = "0123456789ABCDEF0123456789ABCDEF";
    const CommandCase cases[] = {
        {{"", id, true}, "Please open or create a project and select a topic first."},
        {{FProject, "", true}, "Please open or create a project and select a topic first."},
        {{FProject, id, false}, "The editor is not ready yet."},
    };
    for (const CommandCase& c : cases) {
        bool asked = false;
        const THtmlImportOutcome outcome = btnImportHTMLClick(c.request, [&] {
            asked = true;
            return std::optional<std::string>();
        });
        EXPECT_EQ(outcome.Action, THtmlImportOutcome::TAction::ShowInformation);
        EXPECT_EQ(outcome.Message, c.message);
        EXPECT_FALSE(asked) << "the dialog must not open";
    }
}

TEST_F(HtmlImportTest, CommandOutcomes) {
    const THtmlImportRequest ready{FProject, "0123456789ABCDEF0123456789ABCDEF", true};
    const auto choose = [](std::optional<std::string> file) { return [file] { return file; }; };

    EXPECT_EQ(btnImportHTMLClick(ready, choose(std::nullopt)).Action,
              THtmlImportOutcome::TAction::None);

    const std::string blank = WriteSource("blank.html", "<html><body> \n </body></html>");
    const THtmlImportOutcome empty = btnImportHTMLClick(ready, choose(blank));
    EXPECT_EQ(empty.Action, THtmlImportOutcome::TAction::ShowInformation);
    EXPECT_EQ(empty.Message, "The selected HTML file does not contain importable body content.");

    // A style block alone is content.
    const std::string styleOnly =
        WriteSource("style.html", "<html><head><style>p{}</style></head><body></body></html>");
    const THtmlImportOutcome styled = btnImportHTMLClick(ready, choose(styleOnly));
    EXPECT_EQ(styled.Action, THtmlImportOutcome::TAction::InsertHtml);
    EXPECT_EQ(styled.Html, "<style>p{}</style>\r\n");
    EXPECT_EQ(styled.Message, "Inserted HTML: style.html");
}

TEST_F(HtmlImportTest, CommandAsksBeforeCopyingFilesOutsideThePagesFolder) {
    const THtmlImportRequest ready{FProject, "0123456789ABCDEF0123456789ABCDEF", true};
    WriteTextFileUtf8(FTemp.Path("outside/x.png"), "x");
    const std::string page =
        WriteSource("page.html", "<img src=\"../outside/x.png\"><img src=\"/proc/self/environ\">");
    for (const bool answer : {false, true}) {
        fs::remove_all(FProject + "assets");
        std::vector<std::string> questions;
        const THtmlImportOutcome outcome = btnImportHTMLClick(
            ready, [&] { return std::optional<std::string>(page); },
            [&](const std::string& question) {
                questions.push_back(question);
                return answer;
            });
        EXPECT_THAT(questions,
                    ElementsAre("The page refers to files outside its folder:\r\n" +
                                FTemp.Path("outside/x.png") +
                                "\r\n\r\nCopy them into the project as well? Otherwise their "
                                "references stay as they are."));
        EXPECT_EQ(outcome.Action, THtmlImportOutcome::TAction::InsertHtml);
        EXPECT_EQ(Assets().size(), answer ? 1u : 0u);
        EXPECT_EQ(outcome.Warning,
                  "These files are not copied: they are no regular files or belong "
                  "to the system. Their references stay as they are:\r\n"
                  "/proc/self/environ");
    }
}
