#pragma once

#include <QObject>
#include <QtTest>

namespace quillmark::testing {

// The editor page channel in a real WebEngine page: what the page posts
// through window.chrome.webview.postMessage arrives as JSON text, in order,
// also when posted before the channel is connected; scripts reach the page.
class PageChannelGuiTest : public QObject {
    Q_OBJECT
private slots:
    void deliversPostedMessagesAsJsonText();
    void executeScriptReachesThePage();
    void handlerErrorGoesToErrorHandler();
};

} // namespace quillmark::testing
