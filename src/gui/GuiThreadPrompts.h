#pragma once

#include "app/WindowPorts.h"

namespace quillmark::gui {

// Prompts that may be called from work running off the window's thread (a
// help compiler's question during publishing): every call is made on the
// window's thread, waiting for the answer; calls on that thread go straight
// through.
class TGuiThreadPrompts final : public IUserPrompts {
public:
    explicit TGuiThreadPrompts(IUserPrompts& prompts) : FPrompts(prompts) {}

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
    IUserPrompts& FPrompts;
};

} // namespace quillmark::gui
