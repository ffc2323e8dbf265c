#include "publish/ChmExport.h"

#include "FakeClock.h"
#include "JpegFixture.h"
#include "TempFolder.h"
#include "TestHelpers.h"
#include "base/CodePage.h"
#include "base/FileHelpers.h"
#include "model/DocProject.h"
#include "platform/ProcessRunner.h"
#include "platform/ProgramSearch.h"
#include "publish/ChmLanguage.h"
#include "publish/HelpCompiler.h"
#include "publish/HtmlHelpers.h"
#include "publish/JpegOrientation.h"
#include "settings/ProjectSettings.h"

#include <gtest/gtest.h>

namespace quillmark {
namespace {

using namespace testing;

std::string Cp1251(const std::string& utf8) {
    return Utf8ToCodePage(utf8, "WINDOWS-1251");
}

std::string CrLfLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

std::string Entry(const std::string& title, const std::string& id) {
    return CrLfLines({"<LI><OBJECT type=\"text/sitemap\">",
                      "<param name=\"Name\" value=\"" + title + "\">",
                      "<param name=\"Local\" value=\"topics/" + id + ".html\">", "</OBJECT>"});
}

TEST(ChmPageTest, BuildChmPageJoinsTheFixedPieces) {
    EXPECT_EQ(
        BuildChmPage({"Q&A <1>", "de", "<p>B</p>", "<b>H</b>", "#E7EFF5", "#FFFFFF",
                      "<div class=\"sv-footer\">F</div>"}),
        "<html lang=\"de\"><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
        "charset=windows-1251\"><title>Q&amp;A &lt;1&gt;</title>"
        "<link rel=\"stylesheet\" href=\"../style.css\"><style>body{margin:0;background:#FFFFFF;}"
        ".sv-header{padding:12px 28px;background:#E7EFF5;}.sv-body{padding:18px 28px 28px;}"
        ".sv-footer{padding:10px 28px;font-size:12px;color:#666;"
        "border-top:1px solid #d0d0d0;}</style></head><body><div class=\"sv-header\"><b>H</b>"
        "</div><div class=\"sv-body\"><p>B</p></div><div "
        "class=\"sv-footer\">F</div></body></html>");
}

TEST(ChmPageTest, ApplyHeaderRowColorColoursOnlyTheFirstRow) {
    const std::string c = " bgcolor=\"#E7EFF5\" style=\"background-color: #E7EFF5;\">";
    struct Case {
        std::string Html;
        std::string Expected;
    } cases[] = {
        {"<p>no table</p>", "<p>no table</p>"},
        {"<table><TR class=\"r\"><TD>a</TD><th colspan=2>b</th></TR><tr><td>c</td></tr></table>"
         "<table><tr><td>d</td></tr></table>",
         "<table><TR class=\"r\"><TD" + c + "a</TD><th colspan=2" + c +
             "b</th></TR><tr><td>c</td></tr>"
             "</table><table><tr><td>d</td></tr></table>"},
        // A cell with a style of its own ends up with two; <tbody>/<tdx> are no cells.
        {"<tr>\n<td style=\"x\">a</td><tdx></tr>",
         "<tr>\n<td style=\"x\"" + c + "a</td><tdx></tr>"},
    };
    for (const Case& k : cases)
        EXPECT_EQ(ApplyHeaderRowColor(k.Html, "#E7EFF5"), k.Expected) << k.Html;
}

TEST(ChmPageTest, RemoveInvisibleChars) {
    EXPECT_EQ(RemoveInvisibleChars("\xEF\xBB\xBF"
                                   "a\u200Bb\u200Cc\u200Dd\u2060e\u00ADf\u00A0g"),
              "abcdef\u00A0g");
}

class ChmExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        Project.SetRootPath(Folder.Root());
        Project.FTitle = "A & B";
        Places.SettingsFile = Folder.Path("app/settings.ini");
        Places.GetEnv = [](const char*) { return std::string(); };
    }
    TTopic& Add(const std::string& title, const std::string& parent, const std::string& html) {
        TTopic& topic = Project.AddTopic(title, parent);
        WriteTextFileUtf8(Project.TopicPagePath(topic.FID), html);
        return topic;
    }
    std::string Export(bool compile = false, const std::string& compiler = {}) {
        TProjectSettings settings;
        auto runner = MakeSystemProcessRunner();
        FakeClock clock;
        const TPublishContext context{Project, settings, *runner, clock, compile, compiler, {}};
        TSilentCompilerPrompts prompts;
        return ExportChm(context, prompts, Places);
    }
    std::string Out(const std::string& relative) const {
        return Folder.Path("build/chm/" + relative);
    }

    TempFolder Folder;
    TDocProject Project;
    THelpCompilerPlaces Places;
};

TEST_F(ChmExportTest, WritesTheHelpProjectSources) {
    TProjectSettings settings;
    settings.CopyrightEnabled = true;
    settings.CopyrightText = "© Me <x>";
    settings.DefaultFontName = "Café Sans";
    settings.SaveToFile(TProjectSettings::DefaultSettingsPathForProject(Project.FRootPath));

    TTopic& excluded = Add("Excluded root", "", "<p>gone</p>");
    excluded.FExcludeChm = true;
    const std::string a = excluded.FID;
    const std::string c = Add("Child \"quoted\"", a, "<p>child</p>").FID;
    const std::string r = Add("Русский", "", "").FID;
    TTopic& d = Add("Deep", r, "<p>Plain</p>");
    d.FChildren.push_back("0123456789ABCDEF0123456789ABCDEF"); // names no topic
    WriteTextFileUtf8(Project.TopicPagePath(r),
                      "<h1>Привет\u200B</h1><p>Café Noël</p><a href=\"doc:" + c +
                          "\">c</a>"
                          "<a href='doc:" +
                          a +
                          "'>a</a><IMG SRC=\"/assets/images/photo.JPG\">"
                          "<a href=\"assets/file.pdf\">f</a>"
                          "<table><tr><td style=\"background-color:#ffffff\">h</td></tr></table>");
    EnsureDir(Folder.Path("assets/images"));
    WriteTextFileUtf8(Folder.Path("assets/images/photo.JPG"), "not really a picture");

    EXPECT_EQ(Export(), Out("project.hhp"));

    EXPECT_EQ(
        ReadFileBytes(Out("toc.hhc")),
        Cp1251(
            CrLfLines(
                {"<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">", "<HTML>", "<HEAD>",
                 "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">",
                 "</HEAD>", "<BODY>", "<OBJECT type=\"text/site properties\"></OBJECT>", "<UL>"}) +
            Entry("Русский", r) + "<UL>\r\n" + Entry("Deep", d.FID) + "<UL>\r\n</UL>\r\n</UL>\r\n" +
            CrLfLines({"</UL>", "</BODY>", "</HTML>"})));
    // Every exported topic by title, sorted as the reader looks things up;
    // names are HTML.
    EXPECT_EQ(ReadFileBytes(Out("index.hhk")),
              Cp1251("<HTML><BODY><UL>\r\n" + Entry("Child &quot;quoted&quot;", c) +
                     Entry("Deep", d.FID) + Entry("Русский", r) + "</UL></BODY></HTML>\r\n"));
    EXPECT_EQ(ReadFileBytes(Out("project.hhp")),
              CrLfLines({"[OPTIONS]", "Compiled file=help.chm", "Contents file=toc.hhc",
                         "Index file=index.hhk", "Default topic=topics/" + c + ".html",
                         "Title=A & B", "Language=0x409 English (United States)",
                         "Full-text search=Yes", "", "[FILES]", "toc.hhc", "index.hhk",
                         "topics/" + c + ".html", "topics/" + r + ".html",
                         "topics/" + d.FID + ".html", "style.css", "assets/images/photo.JPG"}));
    EXPECT_FALSE(FileExists(Out("topics/" + a + ".html")));

    // The page of a plain topic, byte for byte: fallback header with the
    // encoded project title, the encoded footer, Windows-1251.
    EXPECT_EQ(ReadFileBytes(Out("topics/" + d.FID + ".html")),
              Cp1251(BuildChmPage({"Deep", "en", "<p>Plain</p>",
                                   "<div style=\"font-size:14px;\"><b>A &amp; B</b></div>",
                                   "#fafafa", "#FFFFFF",
                                   "<div class=\"sv-footer\">© Me &lt;x&gt;</div>"})));

    const std::string page = ReadFileBytes(Out("topics/" + r + ".html"));
    for (const std::string& expected :
         {Cp1251("<h1>Привет</h1>"), std::string("<p>Caf&#233; No&#235;l</p>"),
          "<a href=\"" + c + ".html\">c</a>", std::string("<a href=\"#\">a</a>"),
          std::string("<IMG src=\"../assets/images/photo.JPG\">"),
          // Pages sit in "topics": links to project files move up as well.
          std::string("<a href=\"../assets/file.pdf\">"),
          std::string("<td style=\"background-color: transparent\" bgcolor=\"#E7EFF5\" "
                      "style=\"background-color: #E7EFF5;\">h</td>")})
        EXPECT_NE(page.find(expected), std::string::npos) << expected;

    // The stylesheet stays UTF-8.
    EXPECT_NE(ReadTextFileUtf8(Out("style.css")).find("Café Sans"), std::string::npos);
}

TEST_F(ChmExportTest, ProjectWithoutExportedTopicsHasNoDefaultTopic) {
    Add("Hidden", "", "<p>x</p>").FExcludeChm = true;
    Export();
    EXPECT_EQ(ReadFileBytes(Out("project.hhp")),
              CrLfLines({"[OPTIONS]", "Compiled file=help.chm", "Contents file=toc.hhc",
                         "Index file=index.hhk", "Title=A & B",
                         "Language=0x409 English (United States)", "Full-text search=Yes", "",
                         "[FILES]", "toc.hhc", "index.hhk", "style.css"}));
}

// Help IDs of the topics in the help reach the project through an alias
// file and a map header; a project without them has neither.
TEST_F(ChmExportTest, HelpIdsBecomeAliasAndMapSections) {
    TTopic& pairing = Add("Pairing", "", "<p>Pair the lamp.</p>");
    pairing.FHelpIds = {{"IDH_PAIRING", 1001}, {"IDH_PAIR_BYNAME", 0}};
    TTopic& hidden = Add("Hidden", "", "<p>x</p>");
    hidden.FHelpIds = {{"IDH_HIDDEN", 1002}};
    hidden.FExcludeChm = true;
    Export();
    const std::string page = "topics/" + pairing.FID + ".html";
    EXPECT_EQ(ReadFileBytes(Out("project.hhp")),
              CrLfLines({"[OPTIONS]", "Compiled file=help.chm", "Contents file=toc.hhc",
                         "Index file=index.hhk", "Default topic=" + page, "Title=A & B",
                         "Language=0x409 English (United States)", "Full-text search=Yes", "",
                         "[FILES]", "toc.hhc", "index.hhk", page,
                         "context/IDH_PAIR_BYNAME.html", "style.css", "", "[ALIAS]",
                         "#include alias.h", "", "[MAP]", "#include map.h"}));
    // The topic's second ID leads to a page of its own that opens the topic.
    EXPECT_EQ(ReadFileBytes(Out("alias.h")),
              CrLfLines({"IDH_PAIRING=" + page, "IDH_PAIR_BYNAME=context/IDH_PAIR_BYNAME.html"}));
    EXPECT_NE(ReadFileBytes(Out("context/IDH_PAIR_BYNAME.html"))
                  .find("<meta http-equiv=\"refresh\" content=\"0; url=../" + page + "\">"),
              std::string::npos);
    EXPECT_EQ(ReadFileBytes(Out("map.h")),
              CrLfLines({"// Help IDs for context-sensitive help: the help context number of "
                         "each topic. Written by Quillmark.",
                         "#define IDH_PAIRING 1001"}));

    pairing.FHelpIds.clear();
    Export();
    EXPECT_EQ(ReadFileBytes(Out("project.hhp")).find("[ALIAS]"), std::string::npos);
    EXPECT_FALSE(FileExists(Out("alias.h")));
    EXPECT_FALSE(FileExists(Out("map.h")));
    EXPECT_FALSE(FileExists(Out("context/IDH_PAIR_BYNAME.html")));
}

TEST_F(ChmExportTest, TurnsReferencedJpegsUprightInTheOutputOnly) {
    const std::string rotated = WithOrientation(MakeTestJpeg(), 6);
    EnsureDir(Folder.Path("assets/images"));
    WriteFileAtomically(Folder.Path("assets/images/photo.JPG"), rotated);
    WriteFileAtomically(Folder.Path("assets/images/unused.jpg"), rotated);
    // Outside the output folder: must never be touched.
    EnsureDir(Folder.Path("build"));
    WriteFileAtomically(Folder.Path("build/outside.jpg"), rotated);
    Add("Photo", "",
        "<img src=\"assets/images/photo.JPG\"><img src = '/assets/images/photo.JPG'>"
        "<img src=\"assets/../../outside.jpg\">");

    Export();
    const DecodedJpeg turned = DecodeTestJpeg(ReadFileBytes(Out("assets/images/photo.JPG")));
    EXPECT_EQ(turned.Width, 8u);
    EXPECT_EQ(turned.Height, 16u);
    // Turned once, not twice: the red half is on top.
    EXPECT_TRUE(turned.IsRed(4, 3));
    EXPECT_EQ(ReadJpegOrientation(Out("assets/images/photo.JPG")), 1);
    EXPECT_EQ(ReadFileBytes(Folder.Path("assets/images/photo.JPG")), rotated);
    EXPECT_EQ(ReadFileBytes(Out("assets/images/unused.jpg")), rotated);
    EXPECT_EQ(ReadFileBytes(Folder.Path("build/outside.jpg")), rotated);
}

TEST_F(ChmExportTest, IndexListsEntriesAndKeywordsBesideTheTitles) {
    TTopic& one = Add("Setup", "", "<p>x</p>");
    one.FIndexEntries = {"Lamp", "power"};
    TTopic& two = Add("Zoom", "", "<p>y</p>");
    two.FKeywords = {"lamp"};
    TTopic& hidden = Add("Hidden", "", "<p>z</p>");
    hidden.FKeywords = {"lamp", "secret"};
    hidden.FExcludeChm = true;
    Export();
    const std::string lamp = CrLfLines({
        "<LI><OBJECT type=\"text/sitemap\">", "<param name=\"Name\" value=\"Lamp\">",
        "<param name=\"Name\" value=\"Setup\">",
        "<param name=\"Local\" value=\"topics/" + one.FID + ".html\">",
        "<param name=\"Name\" value=\"Zoom\">",
        "<param name=\"Local\" value=\"topics/" + two.FID + ".html\">", "</OBJECT>"});
    EXPECT_EQ(ReadFileBytes(Out("index.hhk")),
              "<HTML><BODY><UL>\r\n" + lamp + Entry("power", one.FID) + Entry("Setup", one.FID) +
                  Entry("Zoom", two.FID) + "</UL></BODY></HTML>\r\n");
}

TEST_F(ChmExportTest, TheContentLanguageNamesThePagesAndTheHelpFile) {
    TProjectSettings settings;
    settings.ContentLanguage = " de-CH ";
    settings.SaveToFile(TProjectSettings::DefaultSettingsPathForProject(Project.FRootPath));
    const std::string id = Add("Seite", "", "<p>x</p>").FID;
    Export();
    EXPECT_EQ(ReadFileBytes(Out("topics/" + id + ".html")).rfind("<html lang=\"de-CH\">", 0), 0u);
    EXPECT_NE(ReadFileBytes(Out("project.hhp")).find("\r\nLanguage=0x807 German (Switzerland)\r\n"),
              std::string::npos);
}

TEST(ChmLanguageTest, ContentLanguagesBecomeWindowsLanguageCodes) {
    const std::pair<const char*, const char*> cases[] = {
        {"en", "0x409 English (United States)"}, {"EN-us", "0x409 English (United States)"},
        {"en-GB", "0x809 English (United Kingdom)"}, {"de_CH", "0x807 German (Switzerland)"},
        {"de", "0x407 German (Germany)"},           {"ru-RU", "0x419 Russian"},
        {"zh-Hant-TW", "0x404 Chinese (Taiwan)"},   {"zh", "0x804 Chinese (PRC)"},
        {"english", "0x409 English (United States)"}, {"", "0x409 English (United States)"},
        {"xx", "0x409 English (United States)"},
    };
    for (const auto& [language, line] : cases)
        EXPECT_EQ(ChmLanguageLine(language), line) << language;
}

TEST_F(ChmExportTest, FailedWriteIsAnError) {
    Add("Topic", "", std::string(4000, 'x'));
    EXPECT_NE(ErrorUnderFileSizeLimit(1000, [&] { Export(); }), "");
}

std::string Chmcmd() {
    return FindProgramOnPath("chmcmd");
}

std::string RunTool(const std::vector<std::string>& arguments, const std::string& folder) {
    TProcessRequest request;
    request.Program = arguments[0];
    request.Arguments.assign(arguments.begin() + 1, arguments.end());
    request.WorkingFolder = folder;
    const TProcessResult result = MakeSystemProcessRunner()->Run(request);
    EXPECT_EQ(result.ExitCode, 0) << result.Output;
    return result.Output;
}

TEST_F(ChmExportTest, CompiledHelpOpensWithTopicsContentsAndIndex) {
    if (Chmcmd().empty())
        GTEST_SKIP() << "chmcmd (fp-utils) is not installed";
    const std::string first = Add("Getting started", "", "<p>Welcome to the lamp.</p>").FID;
    const std::string second = Add("Привет", first, "<p>Safety notes</p>").FID;

    const std::string chm = Export(true, Chmcmd());
    EXPECT_EQ(chm, Out("help.chm"));
    const std::string listing = RunTool({"chmls", "list", chm}, Out(""));
    for (const std::string& name : {"/topics/" + first + ".html", "/topics/" + second + ".html",
                                    std::string("/style.css"), std::string("/toc.hhc")})
        EXPECT_NE(listing.find(name), std::string::npos) << name << "\n" << listing;

    RunTool({"chmls", "extract", chm, "/topics/" + second + ".html", Folder.Path("page.html")},
            Out(""));
    EXPECT_EQ(ReadFileBytes(Folder.Path("page.html")),
              ReadFileBytes(Out("topics/" + second + ".html")));
    // The compiled contents and index as the viewer reads them.
    for (const char* command : {"extracttoc", "extractindex"}) {
        RunTool({"chmls", command, chm, Folder.Path("tree.txt")}, Out(""));
        const std::string tree = ReadFileBytes(Folder.Path("tree.txt"));
        EXPECT_NE(tree.find("value=\"Getting started\""), std::string::npos) << command << tree;
        EXPECT_NE(tree.find("topics/" + second + ".html"), std::string::npos) << command << tree;
    }
}

// The compiled help carries the context table: chmls reads the number back
// with the topic page it opens. (chmcmd 3.2 writes the page with the
// folder it compiled in before it.)
TEST_F(ChmExportTest, CompiledHelpResolvesAHelpIdNumber) {
    if (Chmcmd().empty())
        GTEST_SKIP() << "chmcmd (fp-utils) is not installed";
    Add("Start", "", "<p>Welcome to the lamp.</p>");
    TTopic& pairing = Add("Pairing", "", "<p>Pair the lamp with the remote.</p>");
    pairing.FHelpIds = {{"IDH_PAIRING", 1001}, {"IDH_PAIRING_REMOTE", 1002}, {"IDH_NAME", 0}};

    const std::string chm = Export(true, Chmcmd());
    // chmls writes "help.ali" and "help.h" beside the help file.
    RunTool({"chmls", "extractalias", chm}, Out(""));
    const std::string table = ReadFileBytes(Out("help.ali"));
    const size_t entry = table.find("helpid1001=");
    ASSERT_NE(entry, std::string::npos) << table;
    const std::string target = table.substr(entry, table.find('\n', entry) - entry);
    EXPECT_TRUE(target.ends_with("/topics/" + pairing.FID + ".html")) << target;
    EXPECT_NE(table.find("helpid1002="), std::string::npos) << table;
    // The topic's second number opens the page that forwards to the topic.
    RunTool({"chmls", "extract", chm, "/context/IDH_PAIRING_REMOTE.html", Folder.Path("fw.html")},
            Out(""));
    EXPECT_NE(ReadFileBytes(Folder.Path("fw.html")).find("url=../topics/" + pairing.FID),
              std::string::npos);
    EXPECT_NE(ReadFileBytes(Out("help.h")).find("#define helpid1001 1001"),
              std::string::npos);
}

// The sources and, when chmcmd is there, the compiled help decode to every
// letter: those Windows-1251 lacks travel as character references.
TEST_F(ChmExportTest, LettersOutsideTheCodePageSurviveAsReferences) {
    const std::string name = "café Größe Łódź 日本語";
    TTopic& topic = Add(name, "", "<p>Lamp: " + name + "</p>");
    topic.FKeywords = {"Łódź"};
    const std::string page = "topics/" + topic.FID + ".html";
    const auto decoded = [](const std::string& bytes) {
        return DecodeHtml(CodePageToUtf8(bytes, "WINDOWS-1251"));
    };
    const std::vector<std::pair<std::string, std::string>> expected = {
        {page, "<title>" + name + "</title>"},
        {page, "<p>Lamp: " + name + "</p>"},
        {"toc.hhc", "value=\"" + name + "\""},
        {"index.hhk", "value=\"Łódź\""},
    };
    const bool compile = !Chmcmd().empty();
    const std::string chm = Export(compile, Chmcmd());
    for (const auto& [file, text] : expected) {
        EXPECT_NE(decoded(ReadFileBytes(Out(file))).find(text), std::string::npos) << file;
        if (!compile)
            continue;
        RunTool({"chmls", "extract", chm, "/" + file, Folder.Path("extracted")}, Out(""));
        EXPECT_NE(decoded(ReadFileBytes(Folder.Path("extracted"))).find(text), std::string::npos)
            << "compiled " << file;
    }
}

TEST_F(ChmExportTest, CompilerCrashIsReportedNotCalledSuccess) {
    if (Chmcmd().empty())
        GTEST_SKIP() << "chmcmd (fp-utils) is not installed";
    // chmcmd's full-text indexer fails on pages without one ASCII word.
    Project.FTitle = "Проект";
    Add("Тема", "", "<p>Привет мир</p>");
    const std::string error = ErrorOf([&] { Export(true, Chmcmd()); });
    EXPECT_NE(error.find("did not create help.chm"), std::string::npos) << error;
    EXPECT_NE(error.find("plain ASCII letters"), std::string::npos) << error;
}

} // namespace
} // namespace quillmark
