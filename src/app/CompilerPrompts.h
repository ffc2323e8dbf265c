#pragma once

#include "app/WindowPorts.h"
#include "publish/HelpCompiler.h"

namespace quillmark {

// The help compiler's questions shown as the window's message boxes and
// open-file dialog.
class TWindowCompilerPrompts final : public IHelpCompilerPrompts {
public:
    explicit TWindowCompilerPrompts(IUserPrompts& prompts) : FPrompts(prompts) {}

    void ShowInformation(const std::string& text) override;
    void ShowWarning(const std::string& text) override;
    bool AskYesNoError(const std::string& text) override;
    std::optional<std::string> PickFile(const TCompilerFileDialog& dialog) override;

private:
    IUserPrompts& FPrompts;
};

// The filter list in the dialogs' "Description|pattern;pattern|…" form.
std::string FileDialogFilter(const std::vector<TFileFilter>& filters);

} // namespace quillmark
