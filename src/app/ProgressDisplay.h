#pragma once

#include "base/QuillError.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace quillmark {

// One result of long work, such as one output of a publishing run.
struct TWorkOutcome {
    std::string Name;   // what was made, translated ("WebHelp", "PDF manual")
    std::string File;   // the main file written; empty when nothing was made
    std::string Folder; // the folder the author may open for it
    std::string Error;  // why it failed; empty when it did not
    bool Cancelled = false;

    bool Succeeded() const { return Error.empty() && !Cancelled; }
};

// What the author chose when the display of the outcomes was closed.
enum class TOutcomeAction { None, OpenFile, OpenFolder };

struct TOutcomeChoice {
    TOutcomeAction Action = TOutcomeAction::None;
    size_t Index = 0; // into the outcomes handed to Finish
};

// Raised inside the work at a step boundary once the author pressed Cancel.
class TWorkCancelled : public QuillError {
public:
    TWorkCancelled() : QuillError("Cancelled") {}
};

// The window's display of long work: a title, the current step, a Cancel
// button and, at the end, the outcomes with what can be done with them
// (open the file, open the folder, copy the path). A flow calls Begin, then
// Run with the work (which reports through Step and looks at
// CancelRequested between its steps), then Finish with the outcomes. The
// window runs the work on a thread of its own so that the display stays
// live; a test's fake runs it inline.
class IProgressDisplay {
public:
    virtual ~IProgressDisplay() = default;

    // Shows the display; `title` names the whole work ("Publishing WebHelp").
    virtual void Begin(const std::string& title) = 0;
    // Runs the work and returns when it has ended; what the work throws is
    // thrown on from here, in the caller's thread.
    virtual void Run(const std::function<void()>& work) = 0;
    // The step now under way; may be called from the work's thread.
    virtual void Step(const std::string& text) = 0;
    // Whether the author pressed Cancel; may be called from the work's thread.
    virtual bool CancelRequested() const = 0;
    // Shows the outcomes until the author closes the display, and says what
    // the author chose to open.
    virtual TOutcomeChoice Finish(const std::vector<TWorkOutcome>& outcomes) = 0;
};

// A display that shows nothing: runs the work inline, never cancels and
// chooses nothing. Used until the window sets its own.
class TSilentProgressDisplay final : public IProgressDisplay {
public:
    void Begin(const std::string&) override {}
    void Run(const std::function<void()>& work) override { work(); }
    void Step(const std::string&) override {}
    bool CancelRequested() const override { return false; }
    TOutcomeChoice Finish(const std::vector<TWorkOutcome>&) override { return {}; }
};

} // namespace quillmark
