#pragma once

#include "app/WindowPorts.h"

#include <QPointer>
#include <QWidget>

namespace quillmark::gui {

// The core's questions and messages as Qt dialogs over the main window:
// message boxes, a one-line input box and the file dialogs.
class TQtUserPrompts final : public IUserPrompts {
public:
    explicit TQtUserPrompts(QWidget* owner);

    void ShowMessage(TMessageKind kind, const std::string& caption,
                     const std::string& text) override;
    TPromptButton Ask(TMessageKind kind, const std::string& caption, const std::string& text,
                      const std::vector<TPromptButton>& buttons) override;
    std::optional<std::string> InputText(const std::string& caption, const std::string& prompt,
                                         const std::string& initialText) override;
    std::optional<std::string> OpenFile(const TFileDialogRequest& request) override;
    std::optional<std::string> SaveFile(const TFileDialogRequest& request) override;
    bool ExecuteProjectSettings(TProjectSettings& settings) override;

private:
    QPointer<QWidget> FOwner;
};

// "Help Project (*.hff)|*.hff|Images|*.png;*.jpg" as Qt's name filters:
// "Help Project (*.hff)", "Images (*.png *.jpg)".
QStringList QtNameFilters(const std::string& filter);

} // namespace quillmark::gui
