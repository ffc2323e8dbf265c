#include "app/MainWindow.h"
#include "publish/TopicPreview.h"

namespace quillmark {

void TMainWindow::ShowPreview() {
    const std::string id = FState.FCurrentTopicID;
    if (id.empty() || !FState.FProject.HasTopic(id))
        return;
    FPorts.View.ShowTopicPreview(
        WriteTopicPreview(FState.FProject, id, FEditor->GetCurrentTopicHtml()));
    FPreviewOpen = true;
}

void TMainWindow::Preview1Click() {
    Guarded([&] { ShowPreview(); });
}

} // namespace quillmark
