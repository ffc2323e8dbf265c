#include "editor/EditorBridge.h"

#include "FakeEditorPage.h"
#include "base/JsonRead.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <stdexcept>

using namespace quillmark;
using quillmark::testing::FakeEditorPage;

namespace {

// The JSON text inside the last receive-function script.
std::string LastJson(const FakeEditorPage& page) {
    const auto message = FakeEditorPage::MessageOf(page.Scripts.back());
    return message ? WriteJson(*message) : "(not a message script)";
}

} // namespace

TEST(EditorBridge, WrapsEachMessageInOneGuardedReceiveCall) {
    FakeEditorPage page;
    TEditorBridge bridge(&page);
    bridge.ExecCommand("bold", "");
    bridge.RequestHtml();
    bridge.RequestHeader();
    ASSERT_EQ(page.Scripts.size(), 3u);
    EXPECT_EQ(page.Scripts[0], R"(window.__sv_recv && window.__sv_recv()"
                               R"("{\"type\":\"exec\",\"cmd\":\"bold\",\"origin\":\"user\"}");)");
    EXPECT_EQ(page.Scripts[1],
              R"(window.__sv_recv && window.__sv_recv("{\"type\":\"getHtml\"}");)");
    EXPECT_EQ(page.Scripts[2],
              R"(window.__sv_recv && window.__sv_recv("{\"type\":\"getHeader\"}");)");
}

TEST(EditorBridge, QuotesJsonEscapesAgainForTheScript) {
    FakeEditorPage page;
    TEditorBridge bridge(&page);
    // A quote, a backslash, CR LF, é, U+2028 and an emoji beyond the BMP.
    bridge.SetHtml("<p class=\"a\">C:\\x\r\n\xC3\xA9\xE2\x80\xA8\xF0\x9F\x98\x80</p>");
    EXPECT_EQ(page.Scripts.back(),
              R"(window.__sv_recv && window.__sv_recv("{\"type\":\"setHtml\",\"html\":)"
              R"(\"<p class=\\\"a\\\">C:\\\\x\\r\\n\\u00E9\\u2028\\uD83D\\uDE00<\\/p>\"}");)");
    // The script text itself is plain ASCII without line breaks.
    for (const char c : page.Scripts.back())
        EXPECT_TRUE(c >= 0x20 && c < 0x7F) << static_cast<int>(c);
    EXPECT_EQ(LastJson(page), R"({"type":"setHtml","html":"<p class=\"a\">C:\\x\r\n\u00E9)"
                              R"(\u2028\uD83D\uDE00<\/p>"})");
}

TEST(EditorBridge, QuoteJsStringEscapesBackslashQuoteAndLineBreaksInThatOrder) {
    EXPECT_EQ(TEditorBridge::QuoteJsString(""), "\"\"");
    EXPECT_EQ(TEditorBridge::QuoteJsString("a\\\"b\r\nc"), R"("a\\\"b\r\nc")");
    // Non-ASCII text passes unchanged; the page's script parser reads it.
    EXPECT_EQ(TEditorBridge::QuoteJsString("\xC3\xA9 \xE2\x80\xA8"), "\"\xC3\xA9 \xE2\x80\xA8\"");
}

TEST(EditorBridge, SetBaseHrefCallsThePageFunctionDirectly) {
    FakeEditorPage page;
    TEditorBridge bridge(&page);
    bridge.SetBaseHref("file:///home/a \"b\"/");
    EXPECT_EQ(page.Scripts.back(), R"(svSetBaseHref("file:///home/a \"b\"/");)");
}

TEST(EditorBridge, TypedSendersUseTheirWordAndArgumentForm) {
    struct Case {
        std::function<void(TEditorBridge&)> send;
        std::string json;
    };
    const std::string head = R"({"type":"exec","cmd":)";
    const Case cases[] = {
        {[](auto& b) { b.SetCssFile("/p/internal/editor/editor_effective.css"); },
         head +
             R"("setCssFile","origin":"user","arg":"\/p\/internal\/editor\/editor_effective.css"})"},
        {[](auto& b) { b.SetFontName("Segoe UI"); },
         head + R"("fontName","origin":"user","arg":"Segoe UI"})"},
        {[](auto& b) { b.SetFontSizePx(14); },
         head + R"("fontSizePx","origin":"user","arg":"14"})"},
        {[](auto& b) { b.SetTextColor("#FF0000"); },
         head + R"("foreColor","origin":"user","arg":"#FF0000"})"},
        {[](auto& b) { b.SetTextBackColor(""); }, head + R"("backColor","origin":"user"})"},
        {[](auto& b) { b.SetDefaultFontName("Arial"); },
         head + R"("setDefaultFontName","origin":"user","arg":"Arial"})"},
        {[](auto& b) { b.SetDefaultFontSizePx(16); },
         head + R"("setDefaultFontSizePx","origin":"user","arg":"16"})"},
        {[](auto& b) { b.SetDefaultTextColor("#000000"); },
         head + R"("setDefaultTextColor","origin":"user","arg":"#000000"})"},
        {[](auto& b) { b.SetDefaultLineSpacing(1.5); },
         head + R"("setDefaultLineHeight","origin":"user","arg":"1.5"})"},
        {[](auto& b) { b.SetLineSpacing(1.15); },
         head + R"("lineHeight","origin":"user","arg":"1.15"})"},
        {[](auto& b) { b.SetLineSpacing(2.0); },
         head + R"("lineHeight","origin":"user","arg":"2"})"},
        {[](auto& b) { b.SetAlign(TTextAlign::taLeft); },
         head + R"("align","origin":"user","arg":"left"})"},
        {[](auto& b) { b.SetAlign(TTextAlign::taCenter); },
         head + R"("align","origin":"user","arg":"center"})"},
        {[](auto& b) { b.SetAlign(TTextAlign::taRight); },
         head + R"("align","origin":"user","arg":"right"})"},
        {[](auto& b) { b.SetAlign(TTextAlign::taJustify); },
         head + R"("align","origin":"user","arg":"justify"})"},
        {[](auto& b) { b.InsertTable(2, 3); }, head + R"("table","origin":"user","arg":"2,3"})"},
        {[](auto& b) { b.RemoveSelectedImage(); },
         head + R"("removeSelectedImage","origin":"user"})"},
        {[](auto& b) { b.ReplaceSelectedImage("assets/images/a b.png"); },
         head + R"("replaceSelectedImage","origin":"user","arg":"assets\/images\/a b.png"})"},
        {[](auto& b) { b.SetHeaderHtml(""); }, head + R"("setHeaderHtml","origin":"user"})"},
        {[](auto& b) { b.SetHeaderHtml("<b>T</b>"); },
         head + R"("setHeaderHtml","origin":"user","arg":"<b>T<\/b>"})"},
        {[](auto& b) { b.SetHeaderBgColor("#E7EFF5"); },
         head + R"("setHeaderBg","origin":"user","arg":"#E7EFF5"})"},
        {[](auto& b) { b.SetTableBorderStyle("dashed"); },
         head + R"("setTableBorderStyle","origin":"user","arg":"dashed"})"},
        {[](auto& b) { b.SetTableBorderWidth(2); },
         head + R"("setTableBorderWidth","origin":"user","arg":"2"})"},
        {[](auto& b) { b.SetTableBorderColor("#999999"); },
         head + R"("setTableBorderColor","origin":"user","arg":"#999999"})"},
        {[](auto& b) { b.SetPageBgColor("#FFFFFF"); },
         head + R"("setPageBg","origin":"user","arg":"#FFFFFF"})"},
        {[](auto& b) { b.ExecCommand("link", ""); }, head + R"("link","origin":"user"})"},
    };
    for (const Case& c : cases) {
        FakeEditorPage page;
        TEditorBridge bridge(&page);
        c.send(bridge);
        ASSERT_EQ(page.Scripts.size(), 1u) << c.json;
        EXPECT_EQ(LastJson(page), c.json);
    }
}

TEST(EditorBridge, OriginFollowsTheProgrammaticDepth) {
    FakeEditorPage page;
    TEditorBridge bridge(&page);
    auto origin = [&] {
        bridge.ExecCommand("bold");
        const auto message = FakeEditorPage::MessageOf(page.Scripts.back());
        return message ? JsonValueText(*message->Find("origin")) : "";
    };
    EXPECT_EQ(origin(), "user");
    bridge.BeginProgrammatic();
    bridge.BeginProgrammatic();
    bridge.EndProgrammatic();
    EXPECT_EQ(origin(), "program");
    bridge.EndProgrammatic();
    EXPECT_EQ(origin(), "user");
    bridge.EndProgrammatic(); // never below zero
    EXPECT_EQ(bridge.ProgrammaticDepth(), 0);
    bridge.BeginProgrammatic();
    EXPECT_EQ(origin(), "program");
    bridge.EndProgrammatic();

    // The scope restores the depth also when a send fails.
    page.Responder = [](const std::string&) { throw std::runtime_error("page gone"); };
    EXPECT_THROW(
        {
            TProgrammaticScope scope(bridge);
            bridge.SetFontName("Arial");
        },
        std::runtime_error);
    EXPECT_EQ(bridge.ProgrammaticDepth(), 0);

    // Messages other than "exec" carry no origin.
    page.Responder = nullptr;
    TProgrammaticScope scope(bridge);
    bridge.SetHtml("x");
    EXPECT_EQ(LastJson(page), R"({"type":"setHtml","html":"x"})");
}

TEST(EditorBridge, FileUrlOfAbsoluteAndRelativePaths) {
    EXPECT_EQ(TEditorBridge::FilePathToFileUrl("/home/me/My Docs/Proj/internal/editor/editor.html"),
              "file:///home/me/My%20Docs/Proj/internal/editor/editor.html");
    EXPECT_EQ(TEditorBridge::FilePathToFileUrl("/home/me/Proj/"), "file:///home/me/Proj/");
    // Characters that would cut the path short or start an escape.
    EXPECT_EQ(TEditorBridge::FilePathToFileUrl("/p/C# 100%?/a\\b.html"),
              "file:///p/C%23%20100%25%3F/a%5Cb.html");
    EXPECT_EQ(TEditorBridge::FilePathToFileUrl("/p/\xC3\x9C"
                                               "ber/"),
              "file:///p/\xC3\x9C"
              "ber/");

    const std::string cwd = std::filesystem::current_path().string();
    EXPECT_EQ(TEditorBridge::FilePathToFileUrl("sub/editor.html"),
              "file://" + cwd + (cwd.back() == '/' ? "" : "/") + "sub/editor.html");
}

TEST(EditorBridge, NavigatesToTheEditorPageAsFileUrl) {
    FakeEditorPage page;
    TEditorBridge bridge(&page);
    bridge.NavigateToEditor("/tmp/a b/editor.html");
    EXPECT_EQ(page.NavigatedUrls, std::vector<std::string>{"file:///tmp/a%20b/editor.html"});
}

TEST(EditorBridge, WithoutAPageNothingIsSent) {
    TEditorBridge bridge(nullptr);
    int ready = 0;
    bridge.SetOnReady([&](TEditorBridge&) { ++ready; });
    EXPECT_NO_THROW({
        bridge.SetHtml("x");
        bridge.SetBaseHref("file:///p/");
        bridge.NavigateToEditor("/p/editor.html");
        bridge.ExecCommand("bold");
    });
    // A message handed in directly still reaches its handler.
    bridge.HandleWebMessage(R"({"type":"ready"})");
    EXPECT_EQ(ready, 1);
}

TEST(EditorBridge, ReleasesThePageHandlerWhenDestroyed) {
    FakeEditorPage page;
    {
        TEditorBridge bridge(&page);
        EXPECT_TRUE(page.HasHandler());
    }
    EXPECT_FALSE(page.HasHandler());
    page.Post(R"({"type":"ready"})");
}

namespace {

// Records every event the bridge raises as one line of text.
struct EventLog {
    explicit EventLog(TEditorBridge& bridge) {
        bridge.SetOnReady([this](TEditorBridge&) { lines.push_back("ready"); });
        bridge.SetOnHtmlChanged([this](TEditorBridge& sender, const std::string& html) {
            lines.push_back("html[" + html +
                            "] user=" + (sender.LastHtmlChangeWasUser() ? "1" : "0"));
        });
        bridge.SetOnHtmlResponse([this](TEditorBridge& sender, const std::string& html) {
            lines.push_back("response[" + html +
                            "] user=" + (sender.LastHtmlChangeWasUser() ? "1" : "0"));
        });
        bridge.SetOnHeaderChanged(
            [this](TEditorBridge&, const std::string& html, const std::string& bg) {
                lines.push_back("header[" + html + "][" + bg + "]");
            });
        bridge.SetOnAreaChanged([this](TEditorBridge&, const std::string& area) {
            lines.push_back("area[" + area + "]");
        });
        bridge.SetOnCursorStyle([this](TEditorBridge&, const TEditorCursorStyle& s) {
            styles.push_back(s);
            lines.push_back("style");
        });
    }
    std::vector<std::string> lines;
    std::vector<TEditorCursorStyle> styles;
};

} // namespace

TEST(EditorBridge, ReadsPageMessagesLeniently) {
    struct Case {
        std::string json;
        std::string event; // "" when nothing is raised
    };
    const Case cases[] = {
        {R"({"type":"ready"})", "ready"},
        {R"({"type":"READY","extra":[1,2]})", "ready"},
        {R"({"type":"HtmlChanged","html":"x","user":"TRUE"})", "html[x] user=1"},
        {R"({"type":"htmlChanged","html":"x"})", "html[x] user=0"},
        {R"({"type":"htmlChanged","html":"x","user":true})", "html[x] user=1"},
        {R"({"type":"htmlChanged","html":"x","user":1})", "html[x] user=1"},
        {R"({"type":"htmlChanged","html":"x","user":"1"})", "html[x] user=1"},
        {R"({"type":"htmlChanged","html":"x","user":"yes"})", "html[x] user=0"},
        {R"({"type":"htmlChanged","html":"x","user":" true"})", "html[x] user=0"},
        {R"({"type":"htmlChanged","html":"x","user":1.0})", "html[x] user=0"},
        {R"({"type":"htmlChanged","html":12.50,"user":false})", "html[12.50] user=0"},
        {R"({"type":"htmlChanged","html":null,"user":true})", "html[] user=1"},
        {R"({"type":"htmlChanged","html":{"a":1},"user":true})", "html[] user=1"},
        {R"({"type":"htmlResponse","html":"<p>\u00e9<\/p>","user":true})",
         "response[<p>\xC3\xA9</p>] user=0"},
        {R"({"type":"HTMLRESPONSE"})", "response[] user=0"},
        {R"({"type":"htmlChanged","html":"htmlResponse","user":false})",
         "html[htmlResponse] user=0"},
        {R"({"html":"x","kind":"htmlResponse"})", ""},
        {R"("htmlResponse")", ""},
        {R"([{"type":"htmlResponse"}])", ""},
        {R"({"type":"htmlResponse")", ""},
        {R"({"type":"headerChanged","headerHtml":"<b>T</b>","headerBg":"#fafafa"})",
         "header[<b>T</b>][#fafafa]"},
        {R"({"type":"headerChanged"})", "header[][]"},
        {R"({"type":"areaChanged","area":"header"})", "area[header]"},
        {R"({"type":"areachanged","Area":"header"})", "area[]"}, // member names are exact
        {R"("{\"type\":\"ready\"}")", ""},                       // a posted plain string
        {R"([{"type":"ready"}])", ""},
        {R"({"type":"ready")", ""},
        {"", ""},
        {R"({"type":"unknown"})", ""},
        {R"({"kind":"ready"})", ""},
        {R"({"type":true})", ""},
        {"{\"type\":\"ready\xFF\"}", ""},
    };
    for (const Case& c : cases) {
        FakeEditorPage page;
        TEditorBridge bridge(&page);
        EventLog log(bridge);
        page.Post(c.json);
        const std::vector<std::string> expected =
            c.event.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.event};
        EXPECT_EQ(log.lines, expected) << c.json;
    }
}

TEST(EditorBridge, ResponseClearsTheUserFlagOfAnEarlierChange) {
    FakeEditorPage page;
    TEditorBridge bridge(&page);
    EventLog log(bridge);
    page.Post(R"({"type":"htmlChanged","html":"a","user":true})");
    EXPECT_TRUE(bridge.LastHtmlChangeWasUser());
    page.Post(R"({"type":"cursorStyle"})");
    EXPECT_TRUE(bridge.LastHtmlChangeWasUser()); // other messages leave it
    page.Post(R"({"type":"htmlResponse","html":"a"})");
    EXPECT_FALSE(bridge.LastHtmlChangeWasUser());
}

TEST(EditorBridge, ReadsTheTwelveCursorStyleMembers) {
    FakeEditorPage page;
    TEditorBridge bridge(&page);
    EventLog log(bridge);
    page.Post(R"({"type":"cursorStyle","area":"body","fontName":"Arial","fontSizePx":16,)"
              R"("textColor":"#FF0000","backColor":"transparent","align":"center","bold":1,)"
              R"("italic":"True","underline":false,"listType":"ul","blockTag":"h2",)"
              R"("lineHeight":"21px"})");
    page.Post(R"({"type":"cursorStyle","fontSizePx":"14.5","bold":"yes","lineHeight":1.5})");
    ASSERT_EQ(log.styles.size(), 2u);
    const TEditorCursorStyle& s = log.styles[0];
    EXPECT_EQ(s.Area, "body");
    EXPECT_EQ(s.FontName, "Arial");
    EXPECT_EQ(s.FontSizePx, 16);
    EXPECT_EQ(s.TextColorHtml, "#FF0000");
    EXPECT_EQ(s.BackColorHtml, "transparent");
    EXPECT_EQ(s.Align, "center");
    EXPECT_TRUE(s.Bold);
    EXPECT_TRUE(s.Italic);
    EXPECT_FALSE(s.Underline);
    EXPECT_EQ(s.ListType, "ul");
    EXPECT_EQ(s.BlockTag, "h2");
    EXPECT_EQ(s.LineHeight, "21px");
    // A fresh record every time: nothing carries over.
    const TEditorCursorStyle& t = log.styles[1];
    EXPECT_EQ(t.Area, "");
    EXPECT_EQ(t.FontName, "");
    EXPECT_EQ(t.FontSizePx, 0);
    EXPECT_FALSE(t.Bold);
    EXPECT_EQ(t.LineHeight, "1.5");
}

TEST(EditorBridge, FontSizeMustBeAWholeNumber) {
    struct Case {
        std::string member;
        int32_t expected;
    };
    const Case cases[] = {
        {R"(16)", 16},  {R"("16")", 16}, {R"("+16")", 16},      {R"(-3)", -3},   {R"("14.5")", 0},
        {R"(14.0)", 0}, {R"("abc")", 0}, {R"("")", 0},          {R"(" 16")", 0}, {R"(1e2)", 0},
        {R"(true)", 0}, {R"("+-5")", 0}, {R"(99999999999)", 0}, {R"(null)", 0},
    };
    for (const Case& c : cases) {
        FakeEditorPage page;
        TEditorBridge bridge(&page);
        EventLog log(bridge);
        page.Post(R"({"type":"cursorStyle","fontSizePx":)" + c.member + "}");
        ASSERT_EQ(log.styles.size(), 1u) << c.member;
        EXPECT_EQ(log.styles[0].FontSizePx, c.expected) << c.member;
    }
}

TEST(EditorBridge, EventsWithoutHandlersAndFailingHandlers) {
    FakeEditorPage page;
    TEditorBridge bridge(&page);
    page.Post(R"({"type":"ready"})"); // no handler assigned: nothing happens
    page.Post(R"({"type":"htmlChanged","html":"x","user":true})");
    EXPECT_TRUE(bridge.LastHtmlChangeWasUser());

    int calls = 0;
    bridge.SetOnReady([&](TEditorBridge&) {
        ++calls;
        throw std::runtime_error("handler failed");
    });
    EXPECT_THROW(page.Post(R"({"type":"ready"})"), std::runtime_error);
    EXPECT_THROW(page.Post(R"({"type":"ready"})"), std::runtime_error);
    EXPECT_EQ(calls, 2);
}
