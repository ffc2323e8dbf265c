#include "reuse/TokenExpansion.h"

#include "ReferenceExpansion.h"
#include "TempFolder.h"
#include "TestHelpers.h"
#include "base/FileHelpers.h"
#include "base/QuillError.h"
#include "base/Regex.h"
#include "base/TextUtils.h"
#include "model/DocProject.h"
#include "base/HtmlEscaping.h"
#include "reuse/InnermostConditionBlocks.h"
#include "reuse/ReusableContent.h"
#include "reuse/TokenText.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <random>

using namespace quillmark;
using quillmark::testing::ErrorOf;
using quillmark::testing::TempFolder;

namespace {

struct Case {
    std::string input;
    std::string expected;
};

TReusableProjectContent SampleStore() {
    TReusableProjectContent store;
    store.FVariables = {{"ProductName", "A & B <x>"},
                        {"SnippetText", "{snip:SupportNote}"},
                        {"R&D", "research"}};
    store.FSnippets = {{"SupportNote", "<p>Contact support.</p>"},
                       {"Credits", "Made by {var:ProductName}"},
                       {"ProOnly", "{begincond:ProEdition}pro {endcond}all"},
                       {"Empty", ""},
                       {"Q&A", "<i>qa</i>"}};
    store.FConditions = {{"ProEdition", false}, {"Beta", true}, {"On", true}, {"Off", false},
                         {"\"Quoted\"", true}};
    return store;
}

void ExpectExpansions(const TReusableProjectContent& store, const std::vector<Case>& cases) {
    for (const Case& c : cases)
        EXPECT_EQ(ExpandReusableContent(store, c.input), c.expected) << "input: " << c.input;
}

TEST(TokenExpansion, VariablesAndSnippets) {
    ExpectExpansions(
        SampleStore(),
        {
            {"<p>{var:ProductName}</p>", "<p>A &amp; B &lt;x&gt;</p>"},
            {"<p>{ VAR : ProductName }</p>", "<p>A &amp; B &lt;x&gt;</p>"},
            {"<p>{\n\tVar\r\n:\nproductname\n}</p>", "<p>A &amp; B &lt;x&gt;</p>"},
            {"<p>{var:Product&#78;ame}</p>", "<p>A &amp; B &lt;x&gt;</p>"},
            {"<p>{var:&nbsp;ProductName}</p>", "<p></p>"},
            {R"(<a href="{var:ProductName}">{var:ProductName}</a>)",
             R"(<a href="{var:ProductName}">A &amp; B &lt;x&gt;</a>)"},
            {"<p>{var:Product<b></b>Name}</p>", "<p>{var:Product<b></b>Name}</p>"},
            {"<p>{var:Missing}|</p>", "<p>|</p>"},
            {"<p>{var:}</p>", "<p>{var:}</p>"},
            {"<p>{snip:SupportNote}</p>", "<p><p>Contact support.</p></p>"},
            {"<p>{SNIP : supportnote }</p>", "<p><p>Contact support.</p></p>"},
            {"<p>{snip:Credits}</p>", "<p>Made by A &amp; B &lt;x&gt;</p>"},
            {"<p>{snip:ProOnly}</p>", "<p>all</p>"},
            {"<p>[{snip:Empty}{snip:Missing}]</p>", "<p>[]</p>"},
            {R"(<img alt="{snip:SupportNote}">)", R"(<img alt="{snip:SupportNote}">)"},
            // A variable's value is not scanned again for tokens.
            {"<p>{var:SnippetText}</p>", "<p>{snip:SupportNote}</p>"},
            {"<style>p{color:red}</style>", "<style>p{color:red}</style>"},
            {"plain text", "plain text"},
            {"", ""},
        });
}

TEST(TokenExpansion, ConditionBlocks) {
    TReusableProjectContent store = SampleStore();
    const std::string threeParagraphs =
        "<p>{begincond:ProEdition}</p><p>Pro text</p><p>{endcond}</p><p>after</p>";
    ExpectExpansions(
        store,
        {
            {threeParagraphs, "<p>after</p>"},
            {"<P class=\"x\">{begincond:ProEdition}</P>\n<p>Pro</p>\n<DIV> {endcond} </div>",
             ""},
            {"<p>Try {begincond:Beta}this{endcond:Beta} now</p>", "<p>Try this now</p>"},
            {"<p>Try {begincond:Beta}this{ endcond : beta } now</p>", "<p>Try this now</p>"},
            {"<p>{begincond:ProEdition}shown anyway{endcond:Beta}</p>", "<p>shown anyway</p>"},
            {"<p>stray {endcond} end</p>", "<p>stray  end</p>"},
            {"<p>{begincond:ProEdition}</p><p>no end, still shown</p>",
             "<p>no end, still shown</p>"},
            {"<p>{begincond:Unknown}gone{endcond}</p>", "<p></p>"},
            {"<p>{begincond:&quot;Quoted&quot;}kept{endcond}</p>", "<p>kept</p>"},
            // A marker wrapped in further markup stays wrapped.
            {"<p><span>{begincond:Beta}</span></p>x<p>{endcond}</p>",
             "<p><span></span></p>x"},
            {"<ul><li>{begincond:Beta}</li><li>one</li><li>{endcond}</li></ul>",
             "<ul><li>one</li></ul>"},
            // A start tag may hold "<" in a value; a closing tag is no block start.
            {"<p data-x=\"a<b\">\n{begincond:ProEdition}\t</p><p>x</p></p>{endcond}</p>y",
             "</p>y"},
        });
    store.FConditions[0].Enabled = true;
    ExpectExpansions(store, {{threeParagraphs, "<p>Pro text</p><p>after</p>"}});
}

TEST(TokenExpansion, EditorDecorationsAreRemoved) {
    ExpectExpansions(
        SampleStore(),
        {
            {R"(<img src="a.png" title="Picture">)", R"(<img src="a.png">)"},
            {R"(<td style="color:red; border: 1px dashed red">x</td>)", "<td>x</td>"},
            {R"(<span STYLE="Background : #EEF5FF">v</span>)", "<span>v</span>"},
            {R"(<td style="border: 2px dashed red">x</td>)",
             R"(<td style="border: 2px dashed red">x</td>)"},
            {R"(<span contenteditable="false" title='kept'>x</span>)",
             R"(<span title='kept'>x</span>)"},
        });
}

TEST(TokenExpansion, TokenBuildersEscapeAndResolveBack) {
    EXPECT_EQ(MakeVariableToken("R&D"), "{var:R&amp;D}");
    EXPECT_EQ(MakeSnippetToken("Q&A"), "{snip:Q&amp;A}");
    EXPECT_EQ(MakeBeginConditionToken("\"Quoted\""), "{begincond:&quot;Quoted&quot;}");
    EXPECT_EQ(MakeVariableToken("it's <b>"), "{var:it's &lt;b&gt;}");
    EXPECT_EQ(kEndConditionToken, "{endcond}");

    const std::string html = "<p>" + MakeVariableToken("R&D") + MakeSnippetToken("Q&A") +
                             MakeBeginConditionToken("\"Quoted\"") + "!" +
                             std::string(kEndConditionToken) + "</p>";
    EXPECT_EQ(ExpandReusableContent(SampleStore(), html), "<p>research<i>qa</i>!</p>");
}

TEST(TokenExpansion, NestedConditionBlocksResolveInnermostFirst) {
    TReusableProjectContent store = SampleStore();
    const std::vector<std::string> shapes = {
        "{begincond:%s}a{begincond:%s}b{endcond}c{endcond}",
        "{begincond:%s}a{begincond:%s}b{endcond:Inner}c{endcond:Outer}",
        "{begincond:%s}a{begincond:%s}b{endcond}c{endcond:Outer}",
        "{begincond:%s}a{begincond:%s}b{endcond:Inner}c{endcond}",
        "<p>{begincond:%s}</p><p>a</p><p>{begincond:%s}</p><p>b</p><p>{endcond}</p>"
        "<p>c</p><p>{endcond}</p>",
    };
    for (bool outer : {true, false})
        for (bool inner : {true, false}) {
            store.FConditions = {{"Outer", outer}, {"Inner", inner}};
            for (const std::string& shape : shapes) {
                const std::string input = FormatText(shape, {"Outer", "Inner"});
                std::string expected = !outer ? "" : inner ? "abc" : "ac";
                if (shape[0] == '<')
                    expected = !outer ? "" : inner ? "<p>a</p><p>b</p><p>c</p>" : "<p>a</p><p>c</p>";
                EXPECT_EQ(ExpandReusableContent(store, input), expected)
                    << input << " outer=" << outer << " inner=" << inner;
            }
        }

    store = SampleStore();
    ExpectExpansions(
        store,
        {
            {"{begincond:On}1{begincond:On}2{begincond:Off}3{endcond}4{endcond}5{endcond}", "1245"},
            {"{begincond:On}a{begincond:Off}b{endcond}c{begincond:On}d{endcond}e{endcond}", "acde"},
            {"{begincond:On}a{begincond:Off}b{endcond}c{endcond}|{begincond:Off}x{endcond}y",
             "ac|y"},
            // A begin marker left open does not swallow a later block.
            {"{begincond:Off}x{begincond:On}y{endcond}z", "xyz"},
        });
}

// The condition passes exactly as written, without early stops or nesting
// rules: flat input must come out of the real expansion the same.
std::string ReferenceConditionPasses(std::string html, const TReusableProjectContent& store) {
    const unsigned options = Regex::Caseless | Regex::DotAll;
    const char* blockTags = R"(<(?<tag>p|div|section|article|li|blockquote|h[1-6]|tr|td|th)\b)"
                            R"((?<attrs>[^>]*)>\s*)";
    static const Regex beginOnly(std::string(blockTags) +
                                     R"((?<token>\{\s*begincond\s*:\s*[^\}]+?\s*\})\s*</\k<tag>>)",
                                 options);
    static const Regex endOnly(
        std::string(blockTags) +
            R"((?<token>\{\s*endcond\s*(?::\s*[^\}]+?\s*)?\})\s*</\k<tag>>)",
        options);
    static const Regex named(R"(\{\s*begincond\s*:\s*(?<name>[^\}]+?)\s*\}(?<body>.*?))"
                             R"(\{\s*endcond\s*:\s*(?<endname>[^\}]+?)\s*\})",
                             options);
    static const Regex anonymous(
        R"(\{\s*begincond\s*:\s*(?<name>[^\}]+?)\s*\}(?<body>.*?)\{\s*endcond\s*\})", options);
    static const Regex anyMarker(
        R"(\{\s*begincond\s*:\s*[^\}]+?\s*\}|\{\s*endcond\s*(?::\s*[^\}]+?\s*)?\})", options);
    const auto name = [](const RegexMatch& m, const char* group) {
        return Trim(DecodeHtml(m.Group(group)));
    };
    for (int call = 0; call < 10; ++call) {
        const auto token = [](const RegexMatch& m) { return std::string(m.Group("token")); };
        html = endOnly.ReplaceMatches(beginOnly.ReplaceMatches(html, token), token);
        for (int pass = 0; pass < 20; ++pass) {
            html = named.ReplaceMatches(html, [&](const RegexMatch& m) {
                if (!AsciiSameText(name(m, "name"), name(m, "endname")))
                    return std::string(m.Group());
                return store.ConditionEnabled(name(m, "name"), false) ? std::string(m.Group("body"))
                                                                      : std::string();
            });
            html = anonymous.ReplaceMatches(html, [&](const RegexMatch& m) {
                return store.ConditionEnabled(name(m, "name"), false) ? std::string(m.Group("body"))
                                                                      : std::string();
            });
        }
        html = anyMarker.ReplaceMatches(html, [](const RegexMatch&) { return std::string(); });
    }
    return html;
}

TEST(TokenExpansion, FlatConditionInputMatchesThePassesAsWritten) {
    const TReusableProjectContent store = SampleStore();
    const std::vector<std::string> names = {"On", "off", " Beta ", "Missing", "&quot;Quoted&quot;"};
    const std::vector<std::string> beginForms = {"{begincond:%s}", "{ BeginCond :\n%s }"};
    const std::vector<std::string> endForms = {"{endcond}", "{ ENDCOND }", "{endcond:%s}",
                                               "{endcond : %s }"};
    const std::vector<std::string> texts = {"a", "b c", "<br>", "&amp;", "\n"};
    const std::vector<std::string> wrappers = {"%s", "%s", "<p>%s</p>", "<P class=\"k\"> %s </P>",
                                               "<li>%s</li>", "<p><span>%s</span></p>"};

    // Hand-picked cases where the passes pair markers across other blocks.
    std::vector<std::string> inputs = {
        "{begincond:On}x{endcond}y{begincond:Beta}z{endcond:On}",
        "{begincond:off}x{endcond}y{begincond:Beta}z{endcond:off}",
        "{begincond:On}x{endcond:Beta}y{endcond}",
        "{endcond:On}{begincond:On}a{endcond}{endcond}",
    };
    std::mt19937 random(20240611);
    const auto pick = [&](const std::vector<std::string>& list) {
        return list[random() % list.size()];
    };
    for (int i = 0; i < 3000; ++i) {
        std::string input;
        bool open = false;
        const int pieces = 1 + static_cast<int>(random() % 10);
        for (int piece = 0; piece < pieces; ++piece) {
            const unsigned kind = random() % 3;
            std::string text;
            if (kind == 0 && !open) {
                text = FormatText(pick(beginForms), {pick(names)});
                open = true;
            } else if (kind == 1) {
                text = FormatText(pick(endForms), {pick(names)});
                open = false;
            } else {
                text = pick(texts);
            }
            input += FormatText(pick(wrappers), {text});
        }
        inputs.push_back(input);
    }
    for (const std::string& input : inputs)
        ASSERT_EQ(ExpandReusableContent(store, input), ReferenceConditionPasses(input, store))
            << "input: " << input;
}

TEST(TokenExpansion, SelfIncludingSnippetsEnd) {
    TReusableProjectContent store;
    store.FSnippets = {{"Self", "a{snip:Self}b"},
                       {"Ping", "[ping {snip:Pong}]"},
                       {"Pong", "(pong {snip:PING})"},
                       {"Fan", "x{snip:Fan}{snip:Fan}{snip:Fan}{snip:Fan}{snip:Fan}{snip:Fan}"
                               "{snip:Fan}{snip:Fan}{snip:Fan}{snip:Fan}"}};
    ExpectExpansions(store, {
                                {"<p>{snip:Self}</p>", "<p>ab</p>"},
                                {"<p>{snip:Ping}</p>", "<p>[ping (pong )]</p>"},
                                {"<p>{snip:Pong}</p>", "<p>(pong [ping ])</p>"},
                                {"{snip:Fan}|{snip:Fan}", "x|x"},
                            });
}

TEST(TokenExpansion, SnippetNestingIsBounded) {
    // S0 includes S1, S1 includes S2 ... S24: sixteen nested levels are published.
    TReusableProjectContent store;
    std::string expected;
    for (int i = 0; i < 25; ++i) {
        store.FSnippets.push_back(
            {"S" + std::to_string(i), std::to_string(i) + ".{snip:S" + std::to_string(i + 1) + "}"});
        if (i < kMaxSnippetNesting)
            expected += std::to_string(i) + ".";
    }
    EXPECT_EQ(ExpandReusableContent(store, "{snip:S0}"), expected);
}

TEST(TokenExpansion, LongBlocksInNestedBlocksExpand) {
    TReusableProjectContent store;
    std::string body;
    while (body.size() < (1u << 20))
        body += "<p>An ordinary paragraph of a long block, with words in it.</p>\n";
    for (const bool inner : {true, false}) {
        store.FConditions = {{"Outer", true}, {"Inner", inner}};
        for (const char* end : {"{endcond}", "{endcond:Inner}"}) {
            const std::string input =
                "{begincond:Outer}a{begincond:Inner}" + body + end + "b{endcond}";
            EXPECT_EQ(ExpandReusableContent(store, input), inner ? "a" + body + "b" : "ab") << end;
        }
    }
}

// Random nested blocks, malformed bytes included: the scanner finds the
// innermost blocks where the pattern does.
TEST(TokenExpansion, InnermostBlocksAsThePatternFindsThem) {
    const std::vector<std::string> pieces = {"{begincond:A}",
                                             "{ BEGINCOND : b }",
                                             "{begincond:}",
                                             "{endcond}",
                                             "{ endcond }",
                                             "{endcond:A}",
                                             "{endcond: b}",
                                             "{endcond:}",
                                             "x",
                                             "<p>",
                                             "\xFF",
                                             "{",
                                             "}",
                                             "{begincond:\xC3}",
                                             "\xC3\xA9"};
    std::mt19937 random(20250101);
    const auto mark = [](const TConditionBlock& block) {
        return "[" + std::string(block.Name) + "|" + std::string(block.Body) + "|" +
               std::string(block.EndName) + "]";
    };
    for (int i = 0; i < 4000; ++i) {
        std::string input;
        for (int n = random() % 12; n >= 0; --n)
            input += pieces[random() % pieces.size()];
        for (const bool named : {true, false})
            ASSERT_EQ(ReplaceInnermostConditionBlocks(input, named, mark),
                      quillmark::testing::ReferenceInnermostBlocks(input, named, mark))
                << "named=" << named << " input: " << input;
    }
}

// The cap holds for a page whose snippets sit between tags: each piece of
// text stays below it on its own, the page as a whole does not.
TEST(TokenExpansion, SnippetsInSeveralPiecesOfAPageShareTheCap) {
    TReusableProjectContent store;
    store.FSnippets = {{"S", std::string(40, 'x')}};
    const std::string page = "{snip:S}<b>{snip:S}</b>{snip:S}";
    EXPECT_NE(ErrorOf([&] { ExpandReusableContent(store, page, 100); }), "");
    EXPECT_EQ(ExpandReusableContent(store, page, 200).size(), 3 * 40 + 7u);
}

TEST(TokenExpansion, SnippetsUsingEachOtherAreExpandedOnce) {
    // Sixteen snippets, each using the next one ten times: 10^15 copies of
    // the last one. The expansion stops at the cap instead, naming where.
    TReusableProjectContent store;
    for (int i = 0; i < 16; ++i) {
        std::string html = "<b>" + std::to_string(i) + "</b>";
        for (int use = 0; use < 10 && i < 15; ++use)
            html += "{snip:S" + std::to_string(i + 1) + "}";
        store.FSnippets.push_back({"S" + std::to_string(i), html});
    }
    const std::string error = ErrorOf([&] { ExpandReusableContent(store, "{snip:S0}"); });
    EXPECT_THAT(error,
                ::testing::StartsWith("The expanded text grows past 64 MB at the snippet \"S"));

    // Below the cap the text is what expanding every use anew gives.
    const std::string expanded = ExpandReusableContent(store, "{snip:S10}");
    std::string reference;
    ASSERT_TRUE(quillmark::testing::ReferenceExpansion(store, size_t{1} << 30)
                    .Expand("{snip:S10}", reference));
    EXPECT_EQ(expanded, reference);
    EXPECT_EQ(expanded.size(), 999999u); // 111111 pieces such as <b>15</b>
}

// Small random stores whose snippets use each other, themselves included:
// reusing expansions changes no byte of the result.
TEST(TokenExpansion, ReusedExpansionsMatchExpandingEveryUseAnew) {
    std::mt19937 random(20250102);
    const std::vector<std::string> texts = {"a",
                                            "<p>",
                                            "</p>",
                                            "{var:V}",
                                            "{begincond:C}",
                                            "{endcond}",
                                            "{snip:}",
                                            "<i title=\"{snip:S0}\">"};
    size_t compared = 0;
    for (int round = 0; round < 3000; ++round) {
        TReusableProjectContent store;
        store.FVariables = {{"V", "v&"}};
        store.FConditions = {{"C", round % 2 == 0}};
        const int count = 1 + static_cast<int>(random() % 5);
        for (int i = 0; i < count; ++i) {
            std::string html;
            for (int n = random() % 5; n >= 0; --n)
                html += random() % 2 ? "{snip:S" + std::to_string(random() % count) + "}"
                                     : texts[random() % texts.size()];
            store.FSnippets.push_back({"S" + std::to_string(i), html});
        }
        const std::string topic =
            "<p>{snip:S0}|{snip:S" + std::to_string(random() % count) + "}</p>";
        std::string reference;
        if (!quillmark::testing::ReferenceExpansion(store, 1 << 20).Expand(topic, reference))
            continue;
        ++compared;
        ASSERT_EQ(ExpandReusableContent(store, topic), reference) << "round " << round;
    }
    EXPECT_GT(compared, 2000u);
}

class TokenExpansionProject : public ::testing::Test {
protected:
    TokenExpansionProject() { project_.FRootPath = folder_.Root(); }
    void WriteStore(const std::string& text) {
        WriteTextFileUtf8(folder_.Path("meta/reusable_content.json"), text);
    }

    TempFolder folder_;
    TDocProject project_;
};

TEST_F(TokenExpansionProject, WithoutStoreFileEveryTokenAndGuardedBlockGoes) {
    EXPECT_EQ(ExpandReusableContent(project_, "<p>{var:X}</p><p>{snip:Y}</p>"
                                              "<p>{begincond:Z}</p><p>hidden</p><p>{endcond}</p>tail"),
              "<p></p><p></p>tail");
}

TEST_F(TokenExpansionProject, UsesTheSavedStore) {
    TReusableProjectContent store;
    store.FVariables = {{"Name", "Aurora"}};
    store.FSnippets = {{"Greeting", "<b>Hello {var:Name}</b>"}};
    store.FConditions = {{"Show", true}};
    store.SaveToProject(project_);
    EXPECT_EQ(ExpandReusableContent(project_, "{snip:Greeting}{begincond:Show}!{endcond}"),
              "<b>Hello Aurora</b>!");
}

TEST_F(TokenExpansionProject, LoadErrorsReachTheCallerButEmptyInputReadsNothing) {
    WriteStore(R"({"variables":{}})");
    EXPECT_EQ(ExpandReusableContent(project_, ""), "");
    TDocProject rootless;
    EXPECT_EQ(ExpandReusableContent(rootless, R"(<p title="t">{var:X}</p>)"),
              R"(<p title="t">{var:X}</p>)");
    const std::string store = folder_.Path("meta/reusable_content.json");
    EXPECT_EQ(ErrorOf([&] { ExpandReusableContent(project_, "<p>{var:X}</p>"); }),
              store + ": \"variables\": Invalid class typecast");
    // A damaged file never publishes as a store without variables.
    WriteStore(R"({"variables":[{"name":"X","value":"1"}])");
    EXPECT_EQ(ErrorOf([&] { ExpandReusableContent(project_, "<p>{var:X}</p>"); }),
              store + ": the file is damaged: it holds no valid JSON text.");
}

} // namespace

namespace quillmark {
namespace {

// Token scanning as the token pattern matches, case ignored the way the
// regular expression engine ignores it.
TEST(TokenText, KeywordTokensAsThePatternFindsThem) {
    struct Case {
        const char* keyword;
        std::string text;
        const char* result;
    };
    const Case cases[] = {
        {"var", "a{var:X}b{ VAR : Y z }c", "a[X]b[Y z]c"},
        {"var", "{var:}{var: \t}", "{var:}[\t]"},        // no name; white space only
        {"var", "{var:a{var:b}", "[a{var:b]"},           // a "{" may be in the name
        {"var", "{var:\xFF}{var:ok}", "{var:\xFF}[ok]"}, // malformed UTF-8 is no token
        {"var", "{var:x", "{var:x"},
        {"snip", "{\xC5\xBFnip:Note}", "[Note]"}, // the long s counts as s
        {"kind", "{\xE2\x84\xAAind:x}", "[x]"},   // the Kelvin sign as k
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReplaceKeywordTokens(
                      c.text, c.keyword,
                      [](std::string_view name) { return "[" + std::string(name) + "]"; }),
                  c.result)
            << c.text;
}

TEST(TokenText, OnlyRunsOfTextWithABraceAreReplaced) {
    const auto mark = [](std::string_view run) { return "(" + std::string(run) + ")"; };
    EXPECT_EQ(ApplyOutsideTags("a{x}<b t='{y}'>c{z}</b>d<i {w}", mark),
              "(a{x})<b t='{y}'>(c{z})</b>d<i {w}");
    EXPECT_EQ(ApplyOutsideTags("x > {y}", mark), "(x > {y})"); // a stray ">" is text
    EXPECT_EQ(ApplyOutsideTags("no braces <p>", mark), "no braces <p>");
}

} // namespace
} // namespace quillmark
