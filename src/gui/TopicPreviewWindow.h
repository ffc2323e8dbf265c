#pragma once

#include <QWidget>
#include <string>

class QWebEngineView;

namespace quillmark::gui {

// The preview window of Topic > Preview: the topic page as the WebHelp site
// shows it, in its own browser view beside the main window. Showing a page
// again reloads it and keeps the reader's scroll position.
class TTopicPreviewWindow final : public QWidget {
    Q_OBJECT
public:
    explicit TTopicPreviewWindow(QWidget* owner);

    void ShowPage(const std::string& pagePath);
    QWebEngineView& View() { return *FView; }

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWebEngineView* FView = nullptr;
};

} // namespace quillmark::gui
