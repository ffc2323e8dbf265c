#include "PageChannelGuiTest.h"

#include "gui/QtEditorPageChannel.h"
#include "gui/QtEventPump.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <stdexcept>
#include <string>
#include <vector>

namespace quillmark::testing {

namespace {

// Posts right away, while the document is still being parsed, long before
// the web channel is connected: these must wait in the page's queue.
const char kTestPage[] = R"HTML(<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>Channel test</title>
<script>
window.chrome.webview.postMessage({type: "ready", n: 1, nested: {list: [1, "two"]}});
window.chrome.webview.postMessage("plain text");
window.chrome.webview.postMessage({type: "unicode", text: "Über \u2603 \ud83d\ude00"});
</script></head><body><p id="target">body</p></body></html>
)HTML";

// Waits through the event pump, as the window logic does, until `count`
// messages arrived or five seconds passed.
bool WaitForMessages(gui::TQtEventPump& pump, const std::vector<std::string>& messages,
                     std::size_t count) {
    QElapsedTimer timer;
    timer.start();
    while (messages.size() < count && timer.elapsed() < 5000) {
        pump.ProcessPendingEvents(50);
    }
    return messages.size() >= count;
}

struct TChannelFixture {
    QTemporaryDir folder;
    QWebEngineView view;
    gui::TQtEditorPageChannel channel{view.page()};
    gui::TQtEventPump pump;
    std::vector<std::string> messages;

    TChannelFixture() {
        channel.SetMessageHandler([this](const std::string& json) { messages.push_back(json); });
        const QString path = folder.filePath(QStringLiteral("page.html"));
        QFile file(path);
        if (file.open(QIODevice::WriteOnly)) {
            file.write(kTestPage);
        }
        file.close();
        view.resize(400, 300);
        view.show();
        channel.Navigate(QUrl::fromLocalFile(path).toString().toStdString());
    }
};

} // namespace

void PageChannelGuiTest::deliversPostedMessagesAsJsonText() {
    TChannelFixture fixture;
    QVERIFY2(WaitForMessages(fixture.pump, fixture.messages, 3),
             "the page's messages did not arrive");
    QCOMPARE(fixture.messages[0],
             std::string(R"({"type":"ready","n":1,"nested":{"list":[1,"two"]}})"));
    QCOMPARE(fixture.messages[1], std::string(R"("plain text")"));
    QCOMPARE(fixture.messages[2], std::string("{\"type\":\"unicode\",\"text\":\"\xC3\x9C"
                                              "ber \xE2\x98\x83 "
                                              "\xF0\x9F\x98\x80\"}"));
}

void PageChannelGuiTest::executeScriptReachesThePage() {
    TChannelFixture fixture;
    QVERIFY(WaitForMessages(fixture.pump, fixture.messages, 3));
    fixture.messages.clear();

    fixture.channel.ExecuteScript("document.getElementById('target').textContent = 'changed';"
                                  "window.chrome.webview.postMessage({title: document.title, "
                                  "text: document.getElementById('target').textContent});");
    QVERIFY(WaitForMessages(fixture.pump, fixture.messages, 1));
    QCOMPARE(fixture.messages[0], std::string(R"({"title":"Channel test","text":"changed"})"));
}

// An error that leaves the message handler must not unwind through Qt's
// event loop: it is handed to the error handler, and later messages still
// arrive.
void PageChannelGuiTest::handlerErrorGoesToErrorHandler() {
    TChannelFixture fixture;
    std::vector<std::string> errors;
    fixture.channel.SetErrorHandler(
        [&errors](const std::string& message) { errors.push_back(message); });
    fixture.channel.SetMessageHandler([&fixture](const std::string& json) {
        fixture.messages.push_back(json);
        if (fixture.messages.size() == 1) {
            throw std::runtime_error("bad message");
        }
    });
    QVERIFY(WaitForMessages(fixture.pump, fixture.messages, 3));
    QCOMPARE(errors, std::vector<std::string>{"bad message"});
}

} // namespace quillmark::testing
