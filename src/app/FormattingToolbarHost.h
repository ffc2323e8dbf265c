#pragma once

#include "app/MainWindow.h"
#include "editor/FormattingToolbarView.h"

namespace quillmark {

// The main window as the formatting toolbar's host: the editor's ready state
// and deferred focus, and the open project's settings.
class TMainWindowToolbarHost final : public IFormattingToolbarHost {
public:
    explicit TMainWindowToolbarHost(TMainWindow& window) : FWindow(window) {}

    bool IsEditorReady() const override { return FWindow.Editor().IsEditorReady(); }
    void FocusEditorLater() override { FWindow.Editor().FocusEditorLater(); }
    const TProjectSettings& Settings() const override { return FWindow.State().FSettings; }

private:
    TMainWindow& FWindow;
};

} // namespace quillmark
