#include "editor/EditorContent.h"

#include "FakeClock.h"
#include "FakeEditorPage.h"
#include "TempFolder.h"
#include "base/FileHelpers.h"
#include "base/JsonRead.h"
#include "editor/DefaultContent.h"
#include "editor/EditorBridge.h"
#include "model/HeaderFiles.h"
#include "model/ProjectStorage.h"
#include "platform/Clock.h"
#include "platform/EventPump.h"

#include <deque>
#include <gtest/gtest.h>

using namespace quillmark;
using quillmark::testing::FakeClock;
using quillmark::testing::FakeEditorPage;
using quillmark::testing::TempFolder;

namespace {

// The editor page as the host sees it: it takes the host's messages in
// order and posts its answers in order, each after `Delay` ms (a busy page),
// or never (`Answers` false). Posted messages reach the host only while the
// host pumps events.
class SimulatedPage final : public IEventPump {
public:
    SimulatedPage(FakeEditorPage& channel, FakeClock& clock) : FChannel(channel), FClock(clock) {
        FChannel.Responder = [this](const std::string& script) { Take(script); };
    }

    void ProcessPendingEvents(int maxWaitMs) override {
        ++PumpCalls;
        if (FQueue.empty() || FQueue.front().Due > FClock.Now) {
            std::uint64_t until = FClock.Now + static_cast<std::uint64_t>(maxWaitMs);
            if (!FQueue.empty())
                until = std::min(until, FQueue.front().Due);
            FClock.Now = std::max(FClock.Now, until);
        }
        while (!FQueue.empty() && FQueue.front().Due <= FClock.Now) {
            const std::string json = FQueue.front().Json;
            FQueue.pop_front();
            FChannel.Post(json);
        }
    }

    // Posts a message after the ones already on their way.
    void Posts(JsonValue message) { Posts(std::move(message), Delay); }
    void Posts(JsonValue message, std::uint64_t delay) {
        const std::uint64_t due =
            std::max(FClock.Now + delay, FQueue.empty() ? 0 : FQueue.back().Due);
        FQueue.push_back({due, WriteJson(message)});
    }
    // The author types: the body changes and the page reports it.
    void Type(const std::string& html, std::uint64_t delay = 5) {
        Body = html;
        Posts(HtmlMessage("htmlChanged", html, true), delay);
    }
    void DeliverAll() {
        while (!FQueue.empty())
            ProcessPendingEvents(100000);
    }

    static JsonValue HtmlMessage(const char* type, const std::string& html, bool user) {
        JsonValue message = JsonValue::Object();
        message.Add("type", JsonValue::String(type));
        message.Add("html", JsonValue::String(html));
        if (std::string(type) == "htmlChanged")
            message.Add("user", JsonValue::Boolean(user));
        return message;
    }
    JsonValue HeaderMessage() const {
        JsonValue message = JsonValue::Object();
        message.Add("type", JsonValue::String("headerChanged"));
        message.Add("headerHtml", JsonValue::String(Header));
        message.Add("headerBg", JsonValue::String(HeaderBg));
        return message;
    }

    std::string Body;
    std::string Header;
    std::string HeaderBg;
    bool Answers = true;
    std::uint64_t Delay = 5;
    // The next this many answers to "getHtml"/"getHeader" take SlowDelay.
    int SlowAnswers = 0;
    std::uint64_t SlowDelay = 1100;
    int PumpCalls = 0;

private:
    struct TQueued {
        std::uint64_t Due;
        std::string Json;
    };

    void Take(const std::string& script) {
        const std::optional<JsonValue> message = FakeEditorPage::MessageOf(script);
        if (!message)
            return;
        const std::string type = ReadJsonText(&*message, "type", "");
        const std::string cmd = ReadJsonText(&*message, "cmd", "");
        const std::string arg = ReadJsonText(&*message, "arg", "");
        if (type == "setHtml") {
            Body = ReadJsonText(&*message, "html", "");
            Posts(HtmlMessage("htmlChanged", Body, false));
        } else if (type == "getHtml" && Answers) {
            Posts(HtmlMessage("htmlResponse", Body, false), AnswerDelay());
        } else if (type == "getHeader" && Answers) {
            Posts(HeaderMessage(), AnswerDelay());
        } else if (cmd == "setHeaderHtml") {
            Header = arg;
        } else if (cmd == "setHeaderBg") {
            HeaderBg = arg;
            Posts(HeaderMessage());
        }
    }

    std::uint64_t AnswerDelay() { return SlowAnswers-- > 0 ? SlowDelay : Delay; }

    FakeEditorPage& FChannel;
    FakeClock& FClock;
    std::deque<TQueued> FQueue;
};

class FakeHost final : public IEditorContentHost {
public:
    TEditingState& State() override { return Window; }
    void MarkProjectDirty() override { ++DirtyMarks; }
    void SetStatusText(const std::string& text) override { Status = text; }
    void ShowTopicProperties(const std::string& topicId) override {
        PropertiesShown.push_back(topicId);
    }

    TEditingState Window;
    int DirtyMarks = 0;
    std::string Status;
    std::vector<std::string> PropertiesShown;
};

class EditorContentTest : public ::testing::Test {
protected:
    EditorContentTest()
        : bridge(&channel), page(channel, clock), content(host, bridge, clock, page, FocusPort()) {
        TDocProject& project = host.Window.FProject;
        project.FRootPath = temp.Root();
        project.FTitle = "Manual";
        EnsureProjectFolders(temp.Root());
        host.Window.FSettings.SetDefaults();
        a = project.AddTopic("Alpha", "").FID;
        b = project.AddTopic("Beta", "").FID;
        c = project.AddTopic("Gamma", "").FID;
        WriteTextFileUtf8(project.TopicPagePath(a), "<p>alpha file</p>");
        WriteTextFileUtf8(project.TopicPagePath(b), "<p>beta file</p>");
        WriteTextFileUtf8(project.TopicPagePath(c), "<p>gamma file</p>");
    }

    TEditorFocusPort FocusPort() {
        TEditorFocusPort port;
        port.Post = [this](std::function<void()> handler) { posted.push_back(handler); };
        port.Focus = [this] { ++focusChanges; };
        return port;
    }

    // The page reports "ready" with topic `id` selected, and settles.
    void StartWith(const std::string& id) {
        content.SwitchToTopic(id);
        channel.Post(R"({"type":"ready"})");
        page.DeliverAll();
    }
    void SwitchAndSettle(const std::string& id) {
        content.SwitchToTopic(id);
        page.DeliverAll();
    }
    std::string Cached(const std::string& id) const {
        const auto found = host.Window.FUnsavedTopicHtml.find(id);
        return found == host.Window.FUnsavedTopicHtml.end() ? "(none)" : found->second;
    }
    std::string PagePath(const std::string& id) const {
        return host.Window.FProject.TopicPagePath(id);
    }
    std::vector<std::string> SentOfType(const std::string& typeOrCmd) const {
        std::vector<std::string> found;
        for (const JsonValue& message : channel.Messages()) {
            const std::string type = ReadJsonText(&message, "type", "");
            const std::string cmd = ReadJsonText(&message, "cmd", "");
            if (type == typeOrCmd || cmd == typeOrCmd)
                found.push_back(WriteJson(message));
        }
        return found;
    }

    TempFolder temp;
    FakeHost host;
    FakeEditorPage channel;
    TEditorBridge bridge;
    FakeClock clock;
    SimulatedPage page;
    std::vector<std::function<void()>> posted;
    int focusChanges = 0;
    TEditorContent content;
    std::string a, b, c;
};

TEST_F(EditorContentTest, BeforeReadyOnlyTheHeaderIsLoadedAndNothingWaits) {
    content.SwitchToTopic(a);
    EXPECT_EQ(host.Window.FCurrentTopicID, a);
    EXPECT_TRUE(channel.Scripts.empty());
    EXPECT_EQ(page.PumpCalls, 0);
    EXPECT_EQ(content.HeaderBg(), "#fafafa");
    EXPECT_NE(content.HeaderHtml().find("<b>Alpha</b>"), std::string::npos);
    EXPECT_EQ(host.PropertiesShown, std::vector<std::string>{a});
}

TEST_F(EditorContentTest, ReadySetsUpThePageAndShowsTheCurrentTopic) {
    StartWith(a);
    ASSERT_TRUE(content.IsEditorReady());
    EXPECT_EQ(channel.Scripts.front(),
              "svSetBaseHref(\"" + TEditorBridge::FilePathToFileUrl(temp.Root()) + "\");");
    const std::vector<std::string> css = SentOfType("setCssFile");
    ASSERT_FALSE(css.empty());
    EXPECT_NE(css.front().find("editor_effective.css"), std::string::npos);
    EXPECT_NE(css.front().find(R"("origin":"program")"), std::string::npos);
    EXPECT_TRUE(FileExists(temp.Path("internal/editor/editor_effective.css")));
    EXPECT_EQ(page.Body, "<p>alpha file</p>");
    EXPECT_EQ(host.Status, "Loaded: Alpha");
    // The echo of the host's own header push and of setHtml are no edits.
    EXPECT_EQ(host.DirtyMarks, 0);
    EXPECT_FALSE(FileExists(HeaderHtmlPath(temp.Root(), a)));
    // The page's start gives the editor the focus once, after the event.
    ASSERT_EQ(posted.size(), 1u);
    posted.front()();
    EXPECT_EQ(focusChanges, 1);
    // Switching topics leaves the focus where it is (the contents tree).
    SwitchAndSettle(b);
    EXPECT_EQ(posted.size(), 1u);
    EXPECT_EQ(focusChanges, 1);
}

// A dark desktop shows pages with the default colours dark, and only those.
TEST_F(EditorContentTest, DarkDesktopDarkensOnlyPagesWithDefaultColors) {
    const auto darkShown = [&] {
        const std::vector<std::string> sent = SentOfType("setDarkView");
        return !sent.empty() && sent.back().find(R"("arg":"1")") != std::string::npos;
    };
    StartWith(a);
    EXPECT_FALSE(darkShown());
    content.SetDarkDesktop(true);
    content.ApplySettingsToEditor();
    EXPECT_TRUE(darkShown());
    host.Window.FSettings.DefaultPageBgColor = MakeColor(250, 240, 200);
    content.ApplySettingsToEditor();
    EXPECT_FALSE(darkShown());
}

TEST_F(EditorContentTest, SettingsGoAsProgramWordsAndNeverAsUserEdits) {
    StartWith(a);
    for (const char* word :
         {"setHeaderBg", "setPageBg", "foreColor", "backColor", "fontName", "fontSizePx",
          "lineHeight", "setTableBorderStyle", "setTableBorderWidth", "setTableBorderColor"}) {
        const std::vector<std::string> sent = SentOfType(word);
        ASSERT_FALSE(sent.empty()) << word;
        EXPECT_NE(sent.back().find(R"("origin":"program")"), std::string::npos) << word;
    }
    EXPECT_EQ(bridge.ProgrammaticDepth(), 0);
    EXPECT_EQ(SentOfType("backColor").back(),
              R"({"type":"exec","cmd":"backColor","origin":"program"})");
}

TEST_F(EditorContentTest, TypedTextGoesToTheCacheOfItsTopicAndComesBack) {
    StartWith(a);
    page.Type("<p>typed in alpha</p>");
    page.DeliverAll();
    EXPECT_EQ(host.DirtyMarks, 1);
    EXPECT_EQ(content.DirtyHtml(), "<p>typed in alpha</p>");

    SwitchAndSettle(b);
    EXPECT_EQ(Cached(a), "<p>typed in alpha</p>");
    EXPECT_EQ(ReadTextFileUtf8(PagePath(a)), "<p>alpha file</p>");
    EXPECT_EQ(page.Body, "<p>beta file</p>");
    EXPECT_EQ(host.DirtyMarks, 1);

    // Leaving an unedited topic files its page too, without a modification.
    SwitchAndSettle(a);
    EXPECT_EQ(Cached(b), "<p>beta file</p>");
    EXPECT_EQ(host.DirtyMarks, 1);
    EXPECT_EQ(page.Body, "<p>typed in alpha</p>");
    EXPECT_EQ(content.GetCurrentTopicHtml(), "<p>typed in alpha</p>");
}

TEST_F(EditorContentTest, AnAnsweringPageIsNotWaitedForLongerThanItsAnswer) {
    StartWith(a);
    const std::uint64_t before = clock.Now;
    content.SwitchToTopic(b);
    EXPECT_LE(clock.Now - before, 2 * page.Delay);
}

TEST_F(EditorContentTest, ASilentPageEndsTheWaitsAfterTheirTimeouts) {
    StartWith(a);
    host.Window.FUnsavedTopicHtml[a] = "<p>cached before</p>";
    page.Answers = false;
    const std::uint64_t before = clock.Now;
    content.SwitchToTopic(b);
    EXPECT_EQ(clock.Now - before, 600u + 400u);
    EXPECT_EQ(host.Window.FCurrentTopicID, b);
    EXPECT_EQ(Cached(a), "<p>cached before</p>");
    // The header files of the topic left are written from what is known.
    EXPECT_TRUE(FileExists(HeaderHtmlPath(temp.Root(), a)));
}

// A page too busy to answer within the waits answers later, when another
// topic is current. Those answers, and edits it reported before it took the
// new topic, hold the old topic's page and must never be filed under the
// new one.
TEST_F(EditorContentTest, LateMessagesOfTheTopicLeftAreNeverFiledUnderTheNextOne) {
    StartWith(a);
    page.Type("<p>alpha edited</p>");
    page.DeliverAll();
    page.Type("<p>alpha edited more</p>", 1100);
    page.SlowAnswers = 2;
    content.SwitchToTopic(b);
    EXPECT_EQ(host.Window.FCurrentTopicID, b);
    EXPECT_EQ(Cached(a), "<p>alpha edited</p>");
    page.DeliverAll();
    EXPECT_EQ(content.DirtyHtml(), "");
    SwitchAndSettle(c);
    EXPECT_EQ(Cached(b), "<p>beta file</p>");
    EXPECT_EQ(Cached(a), "<p>alpha edited</p>");
    EXPECT_EQ(host.DirtyMarks, 1);
}

TEST_F(EditorContentTest, ALateAnswerDoesNotEndTheNextWait) {
    StartWith(a);
    page.SlowAnswers = 2;
    content.SwitchToTopic(b); // both waits time out; the answers are owed
    page.Body = "<p>beta now</p>";
    content.WaitForEditorHtml(2000); // alpha's late answer arrives first
    EXPECT_EQ(content.DirtyHtml(), "<p>beta now</p>");
    content.CommitCurrentTopic();
    EXPECT_EQ(Cached(b), "<p>beta now</p>");
    EXPECT_EQ(Cached(a), "(none)");
}

// An edit the page reports while the host waits for the header of the topic
// it leaves still belongs to that topic.
TEST_F(EditorContentTest, AnEditReportedDuringTheHeaderWaitIsKept) {
    StartWith(a);
    channel.Responder = [&, original = channel.Responder](const std::string& script) {
        original(script);
        if (script.find("getHeader") != std::string::npos)
            page.Type("<p>last keystroke</p>", 1);
    };
    SwitchAndSettle(b);
    EXPECT_EQ(Cached(a), "<p>last keystroke</p>");
}

TEST_F(EditorContentTest, AClickDuringAWaitWinsOverTheSwitchItInterrupted) {
    StartWith(a);
    bool nested = false;
    page.Delay = 50;
    channel.Responder = [&, original = channel.Responder](const std::string& script) {
        original(script);
        if (!nested && FakeEditorPage::MessageOf(script) &&
            script.find("getHtml") != std::string::npos) {
            nested = true;
            content.SwitchToTopic(c); // the second click, handled inside the wait
        }
    };
    content.SwitchToTopic(b);
    page.DeliverAll();
    EXPECT_EQ(host.Window.FCurrentTopicID, c);
    EXPECT_EQ(page.Body, "<p>gamma file</p>");
}

TEST_F(EditorContentTest, ATopicWithoutPageGetsTheDefaultPageAndHeaderAtOnce) {
    const std::string d = host.Window.FProject.AddTopic("Delta & \"Co\"", "").FID;
    host.Window.FSettings.FontSizeBody = 14;
    StartWith(a);
    SwitchAndSettle(d);
    const std::string expected =
        "<p style=\"font-family:Segoe UI, Arial, sans-serif;font-size:14px;color:#000000;"
        "line-height:1.5;\"><br></p>";
    EXPECT_EQ(page.Body, expected);
    EXPECT_EQ(ReadTextFileUtf8(PagePath(d)), expected);
    EXPECT_NE(ReadTextFileUtf8(HeaderHtmlPath(temp.Root(), d)).find("Delta &amp; &quot;Co&quot;"),
              std::string::npos);
    EXPECT_EQ(ReadTextFileUtf8(HeaderBgPath(temp.Root(), d)), "#E7EFF5");
    EXPECT_EQ(page.Header, ReadTextFileUtf8(HeaderHtmlPath(temp.Root(), d)));
}

TEST_F(EditorContentTest, HeaderEditsAreWrittenAtOnceAndEchoesDropped) {
    WriteTextFileUtf8(HeaderBgPath(temp.Root(), a), "   ");
    StartWith(a);
    EXPECT_EQ(page.Header.find("<b>Alpha</b>") != std::string::npos, true);
    EXPECT_FALSE(FileExists(HeaderHtmlPath(temp.Root(), a)));

    page.Header = "<div>My header</div>";
    page.HeaderBg = " ";
    page.Posts(page.HeaderMessage());
    page.DeliverAll();
    EXPECT_EQ(ReadTextFileUtf8(HeaderHtmlPath(temp.Root(), a)), "<div>My header</div>");
    EXPECT_EQ(host.DirtyMarks, 0);

    SwitchAndSettle(b);
    SwitchAndSettle(a);
    EXPECT_EQ(page.Header, "<div>My header</div>");
    EXPECT_EQ(ReadTextFileUtf8(HeaderHtmlPath(temp.Root(), b)).find("<b>Beta</b>") !=
                  std::string::npos,
              true);
}

// After the current topic was deleted or another project opened, the page
// still shows the old header until a topic is loaded: it is filed nowhere.
TEST_F(EditorContentTest, TheHeaderOfATopicNoLongerCurrentIsFiledNowhere) {
    StartWith(a);
    content.ClearCurrentTopic();
    page.Header = "<div>old topic's header, edited</div>";
    page.Posts(page.HeaderMessage());
    page.DeliverAll();
    SwitchAndSettle(b);
    EXPECT_FALSE(FileExists(HeaderHtmlPath(temp.Root(), "")));
    EXPECT_FALSE(FileExists(HeaderHtmlPath(temp.Root(), a)));
    EXPECT_NE(page.Header.find("<b>Beta</b>"), std::string::npos);
}

TEST_F(EditorContentTest, ABlankBackgroundFileReadsAsTheDefault) {
    WriteTextFileUtf8(HeaderBgPath(temp.Root(), a), "   ");
    content.LoadHeaderForTopic(a);
    EXPECT_EQ(content.HeaderBg(), "#fafafa");
}

TEST_F(EditorContentTest, ProgramChangesDoNotModifyTheProject) {
    StartWith(a);
    page.Posts(SimulatedPage::HtmlMessage("htmlChanged", "<p>by the program</p>", false));
    page.Posts(SimulatedPage::HtmlMessage("htmlResponse", "<p>unasked</p>", false));
    page.DeliverAll();
    EXPECT_EQ(host.DirtyMarks, 0);
    EXPECT_EQ(content.DirtyHtml(), "");
}

TEST_F(EditorContentTest, WithoutACurrentTopicNothingIsAskedOrFiled) {
    StartWith(a);
    SwitchAndSettle("");
    EXPECT_EQ(host.Window.FCurrentTopicID, "");
    const size_t sent = channel.Scripts.size();
    EXPECT_EQ(content.GetCurrentTopicHtml(), "");
    content.CommitCurrentTopic();
    EXPECT_EQ(channel.Scripts.size(), sent);
}

TEST_F(EditorContentTest, RefreshDefaultHeaderFollowsSettingsOnlyForUntouchedTopics) {
    StartWith(a);
    page.Body = "<p><br></p>";
    host.Window.FSettings.FontSizeBody = 20;
    content.RefreshDefaultHeader();
    page.DeliverAll();
    EXPECT_NE(page.Header.find("font-size:20px"), std::string::npos);
    EXPECT_NE(ReadTextFileUtf8(HeaderHtmlPath(temp.Root(), a)).find("font-size:20px"),
              std::string::npos);

    page.Header = "<div><b>Alpha</b> <a href=\"x\">link</a></div>";
    page.Posts(page.HeaderMessage());
    page.DeliverAll();
    host.Window.FSettings.FontSizeBody = 24;
    content.RefreshDefaultHeader();
    page.DeliverAll();
    EXPECT_EQ(page.Header, "<div><b>Alpha</b> <a href=\"x\">link</a></div>");
}

TEST_F(EditorContentTest, AReloadedPageGetsEverythingAgainAndOldRequestsAreVoid) {
    StartWith(a);
    page.Answers = false;
    content.CommitCurrentTopic(); // never answered by the old page
    page.Answers = true;
    channel.Post(R"({"type":"ready"})");
    page.DeliverAll();
    EXPECT_EQ(page.Body, "<p>alpha file</p>");
    page.Type("<p>after reload</p>");
    page.DeliverAll();
    EXPECT_EQ(content.DirtyHtml(), "<p>after reload</p>");
}

} // namespace
