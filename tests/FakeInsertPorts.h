#pragma once

#include "FakeWindowPorts.h"
#include "app/InsertCommands.h"
#include "model/DocProject.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace quillmark::testing {

// A topic picker that answers from a queue (an empty queue cancels) and
// records the projects it was shown.
class FakeTopicPicker final : public ITopicPicker {
public:
    std::deque<std::optional<std::string>> Answers;
    std::vector<const TDocProject*> Shown;

    bool Execute(const TDocProject* project, std::string& topicId) override {
        Shown.push_back(project);
        topicId.clear();
        if (Answers.empty() || !Answers.front()) {
            if (!Answers.empty())
                Answers.pop_front();
            return false;
        }
        topicId = *Answers.front();
        Answers.pop_front();
        return true;
    }
};

// The shared fake prompts, plus a record of every input box asked for.
class InputRecordingPrompts final : public IUserPrompts {
public:
    struct InputRequest {
        std::string Caption;
        std::string Prompt;
        std::string InitialText;
    };

    explicit InputRecordingPrompts(FakeUserPrompts& inner) : Inner(inner) {}

    FakeUserPrompts& Inner;
    std::vector<InputRequest> InputRequests;

    void ShowMessage(TMessageKind kind, const std::string& caption,
                     const std::string& text) override {
        Inner.ShowMessage(kind, caption, text);
    }
    TPromptButton Ask(TMessageKind kind, const std::string& caption, const std::string& text,
                      const std::vector<TPromptButton>& buttons) override {
        return Inner.Ask(kind, caption, text, buttons);
    }
    std::optional<std::string> InputText(const std::string& caption, const std::string& prompt,
                                         const std::string& initialText) override {
        InputRequests.push_back({caption, prompt, initialText});
        return Inner.InputText(caption, prompt, initialText);
    }
    std::optional<std::string> OpenFile(const TFileDialogRequest& request) override {
        return Inner.OpenFile(request);
    }
    std::optional<std::string> SaveFile(const TFileDialogRequest& request) override {
        return Inner.SaveFile(request);
    }
    bool ExecuteProjectSettings(TProjectSettings& settings) override {
        return Inner.ExecuteProjectSettings(settings);
    }
};

} // namespace quillmark::testing
