#include "app/MainWindow.h"
#include "model/ProjectStorage.h"

namespace quillmark {

void TMainWindow::UndoDelete1Click() {
    Guarded([&] {
        const std::string id = FTrash.RestoreLatest(FState.FProject, FState.FUnsavedTopicHtml);
        if (id.empty())
            return;
        SaveProjectFolder(FState.FProject);
        RebuildTree();
        SelectTopicNode(id);
    });
}

void TMainWindow::FormClose() {
    FTrash.Empty(FState.FProject.FRootPath);
}

} // namespace quillmark
