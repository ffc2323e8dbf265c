#include "gui/QtEditorPageChannel.h"

#include "gui/QtText.h"

#include <QFile>
#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <exception>

namespace quillmark::gui {

namespace {

const QString kScriptName = QStringLiteral("quillmark-webview-shim");
const QString kReceiverName = QStringLiteral("quillmarkHost");

// Stands in for Edge's window.chrome.webview.postMessage. Until the channel
// transport exists and the receiver object is known, posted messages wait in
// a queue; then they go out in the order they were posted.
const char kShimSource[] = R"JS(
(function () {
    'use strict';
    var chromeObject = window.chrome || {};
    window.chrome = chromeObject;
    if (chromeObject.webview && chromeObject.webview.__quillmarkShim) {
        return;
    }
    var queue = [];
    var receiver = null;
    function send(text) {
        if (receiver) {
            receiver.postMessage(text);
        } else {
            queue.push(text);
        }
    }
    chromeObject.webview = {
        __quillmarkShim: true,
        postMessage: function (message) {
            var text = JSON.stringify(message);
            send(text === undefined ? 'null' : text);
        },
        addEventListener: function () {},
        removeEventListener: function () {}
    };
    function connect() {
        if (typeof qt === 'undefined' || !qt.webChannelTransport) {
            setTimeout(connect, 5);
            return;
        }
        new QWebChannel(qt.webChannelTransport, function (channel) {
            receiver = channel.objects.quillmarkHost;
            var waiting = queue;
            queue = [];
            for (var i = 0; i < waiting.length; ++i) {
                receiver.postMessage(waiting[i]);
            }
        });
    }
    connect();
})();
)JS";

QString QtWebChannelScript() {
    QFile file(QStringLiteral(":/qtwebchannel/qwebchannel.js"));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(file.readAll());
}

} // namespace

TPageMessageReceiver::TPageMessageReceiver(TReceive receive) : FReceive(std::move(receive)) {}

void TPageMessageReceiver::postMessage(const QString& messageJson) {
    if (FReceive) {
        FReceive(messageJson);
    }
}

QString TQtEditorPageChannel::PageScriptSource() {
    return QtWebChannelScript() + QLatin1Char('\n') + QString::fromUtf8(kShimSource);
}

TQtEditorPageChannel::TQtEditorPageChannel(QWebEnginePage* page)
    : FPage(page), FReceiver(std::make_unique<TPageMessageReceiver>(
                       [this](const QString& messageJson) { Deliver(messageJson); })),
      FChannel(std::make_unique<QWebChannel>()) {
    FChannel->registerObject(kReceiverName, FReceiver.get());

    QWebEngineScriptCollection& scripts = page->scripts();
    for (const QWebEngineScript& old : scripts.find(kScriptName)) {
        scripts.remove(old);
    }
    QWebEngineScript script;
    script.setName(kScriptName);
    script.setSourceCode(PageScriptSource());
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::MainWorld);
    script.setRunsOnSubFrames(false);
    scripts.insert(script);

    page->setWebChannel(FChannel.get(), QWebEngineScript::MainWorld);
}

TQtEditorPageChannel::~TQtEditorPageChannel() {
    if (FPage) {
        FPage->setWebChannel(nullptr);
    }
    FChannel->deregisterObject(FReceiver.get());
}

void TQtEditorPageChannel::Navigate(const std::string& url) {
    if (FPage) {
        FPage->load(QUrl(ToQString(url)));
    }
}

void TQtEditorPageChannel::ExecuteScript(const std::string& script) {
    if (FPage) {
        FPage->runJavaScript(ToQString(script), QWebEngineScript::MainWorld);
    }
}

void TQtEditorPageChannel::SetMessageHandler(TMessageHandler handler) {
    FHandler = std::move(handler);
}

void TQtEditorPageChannel::SetErrorHandler(TErrorHandler handler) {
    FErrorHandler = std::move(handler);
}

void TQtEditorPageChannel::Deliver(const QString& messageJson) {
    // A copy, so a handler that replaces itself keeps running to its end.
    const TMessageHandler handler = FHandler;
    if (!handler) {
        return;
    }
    try {
        handler(ToStdString(messageJson));
    } catch (const std::exception& error) {
        if (FErrorHandler) {
            FErrorHandler(error.what());
        } else {
            qWarning("Quillmark: error while handling a page message: %s", error.what());
        }
    }
}

} // namespace quillmark::gui
