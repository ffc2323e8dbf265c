#include "app/CompilerPrompts.h"

namespace quillmark {

std::string FileDialogFilter(const std::vector<TFileFilter>& filters) {
    std::string text;
    for (const TFileFilter& filter : filters) {
        if (!text.empty())
            text += '|';
        text += filter.Description + '|';
        for (size_t i = 0; i < filter.Patterns.size(); ++i)
            text += (i == 0 ? "" : ";") + filter.Patterns[i];
    }
    return text;
}

void TWindowCompilerPrompts::ShowInformation(const std::string& text) {
    FPrompts.ShowInformation(text);
}

void TWindowCompilerPrompts::ShowWarning(const std::string& text) {
    FPrompts.ShowWarning(text);
}

bool TWindowCompilerPrompts::AskYesNoError(const std::string& text) {
    return FPrompts.Ask(TMessageKind::Error, kApplicationTitle, text,
                        {TPromptButton::Yes, TPromptButton::No}) == TPromptButton::Yes;
}

std::optional<std::string> TWindowCompilerPrompts::PickFile(const TCompilerFileDialog& dialog) {
    TFileDialogRequest request;
    request.Title = dialog.Title;
    request.Filter = FileDialogFilter(dialog.Filters);
    request.FileName = dialog.FileName;
    request.InitialFolder = dialog.InitialFolder;
    request.MustExist = true;
    return FPrompts.OpenFile(request);
}

} // namespace quillmark
