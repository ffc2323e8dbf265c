#pragma once

#include "app/ProgressDisplay.h"

#include <functional>
#include <string>
#include <vector>

namespace quillmark::testing {

// A progress display that runs the work inline and records what it was
// shown. `CancelAtStep` presses Cancel when that many steps were shown;
// `Choice` is what the author picks when the outcomes are shown.
class FakeProgressDisplay final : public IProgressDisplay {
public:
    std::vector<std::string> Titles;
    std::vector<std::string> Steps;
    std::vector<std::vector<TWorkOutcome>> Finished;
    size_t CancelAtStep = 0; // 0: never
    TOutcomeChoice Choice;

    void Begin(const std::string& title) override { Titles.push_back(title); }
    void Run(const std::function<void()>& work) override { work(); }
    void Step(const std::string& text) override { Steps.push_back(text); }
    bool CancelRequested() const override {
        return CancelAtStep != 0 && Steps.size() >= CancelAtStep;
    }
    TOutcomeChoice Finish(const std::vector<TWorkOutcome>& outcomes) override {
        Finished.push_back(outcomes);
        return Choice;
    }
};

} // namespace quillmark::testing
