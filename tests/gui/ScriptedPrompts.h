#pragma once

#include "app/WindowPorts.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace quillmark::testing {

// Answers the window's questions from queues the test fills, and records
// every message shown. A question with no queued answer is cancelled and
// counted, so a test notices prompts it did not expect.
class TScriptedPrompts final : public IUserPrompts {
public:
    std::deque<std::optional<std::string>> InputAnswers;
    std::deque<TPromptButton> AskAnswers;
    std::deque<std::optional<std::string>> FileAnswers;
    std::vector<std::string> Messages;
    std::vector<std::string> Inputs; // the captions of the input boxes shown
    int Unexpected = 0;

    void ShowMessage(TMessageKind, const std::string& caption, const std::string& text) override {
        Messages.push_back(caption + ": " + text);
    }
    TPromptButton Ask(TMessageKind, const std::string&, const std::string& text,
                      const std::vector<TPromptButton>& buttons) override {
        Messages.push_back(text);
        if (AskAnswers.empty()) {
            ++Unexpected;
            return buttons.back();
        }
        const TPromptButton answer = AskAnswers.front();
        AskAnswers.pop_front();
        return answer;
    }
    std::optional<std::string> InputText(const std::string& caption, const std::string&,
                                         const std::string&) override {
        Inputs.push_back(caption);
        return Next(InputAnswers);
    }
    std::optional<std::string> OpenFile(const TFileDialogRequest&) override {
        return Next(FileAnswers);
    }
    std::optional<std::string> SaveFile(const TFileDialogRequest&) override {
        return Next(FileAnswers);
    }
    bool ExecuteProjectSettings(TProjectSettings&) override { return false; }

private:
    std::optional<std::string> Next(std::deque<std::optional<std::string>>& answers) {
        if (answers.empty()) {
            ++Unexpected;
            return std::nullopt;
        }
        std::optional<std::string> answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

} // namespace quillmark::testing
