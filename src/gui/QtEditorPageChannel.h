#pragma once

#include "editor/EditorPageChannel.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

class QWebChannel;
class QWebEnginePage;

namespace quillmark::gui {

// The object the page reaches through the web channel. Its one slot receives
// the JSON text of every message the page posts.
class TPageMessageReceiver final : public QObject {
    Q_OBJECT
public:
    using TReceive = std::function<void(const QString& messageJson)>;

    explicit TPageMessageReceiver(TReceive receive);

public slots:
    void postMessage(const QString& messageJson);

private:
    TReceive FReceive;
};

// The editor page channel over Qt WebEngine. Scripts run through
// QWebEnginePage::runJavaScript; the page posts messages exactly as it would
// to an embedded Edge, with window.chrome.webview.postMessage(obj), which a
// script injected at document creation forwards over a QWebChannel as
// JSON.stringify(obj). Messages posted before the channel is connected are
// queued on the page side and delivered in order.
class TQtEditorPageChannel final : public IEditorPageChannel {
public:
    using TErrorHandler = std::function<void(const std::string& message)>;

    explicit TQtEditorPageChannel(QWebEnginePage* page);
    ~TQtEditorPageChannel() override;
    TQtEditorPageChannel(const TQtEditorPageChannel&) = delete;
    TQtEditorPageChannel& operator=(const TQtEditorPageChannel&) = delete;

    void Navigate(const std::string& url) override;
    void ExecuteScript(const std::string& script) override;
    void SetMessageHandler(TMessageHandler handler) override;

    // Receives the message of an error that escapes the message handler, so
    // it is shown to the user instead of unwinding through Qt's event loop.
    void SetErrorHandler(TErrorHandler handler);

    // The script the page receives at document creation: Qt's qwebchannel.js
    // followed by the window.chrome.webview shim.
    static QString PageScriptSource();

private:
    void Deliver(const QString& messageJson);

    QPointer<QWebEnginePage> FPage;
    std::unique_ptr<TPageMessageReceiver> FReceiver;
    std::unique_ptr<QWebChannel> FChannel;
    TMessageHandler FHandler;
    TErrorHandler FErrorHandler;
};

} // namespace quillmark::gui
