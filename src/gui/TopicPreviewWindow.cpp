#include "gui/TopicPreviewWindow.h"

#include "base/Translation.h"
#include "gui/QtText.h"

#include <QCloseEvent>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace quillmark::gui {

TTopicPreviewWindow::TTopicPreviewWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName(QStringLiteral("frmPreview"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    FView = new QWebEngineView(this);
    FView->setObjectName(QStringLiteral("PreviewView"));
    FView->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    layout->addWidget(FView);
    resize(900, 760);
}

void TTopicPreviewWindow::ShowPage(const std::string& pagePath) {
    setWindowTitle(ToQString(Translate("Preview")));
    const QUrl url = QUrl::fromLocalFile(ToQString(pagePath));
    if (FView->url() == url) {
        // A reload keeps the scroll position; a new load would start at the top.
        FView->page()->triggerAction(QWebEnginePage::ReloadAndBypassCache);
    } else {
        FView->setUrl(url);
    }
    show();
    raise();
}

void TTopicPreviewWindow::closeEvent(QCloseEvent* event) {
    emit closed();
    QWidget::closeEvent(event);
}

} // namespace quillmark::gui
