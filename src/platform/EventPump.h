#pragma once

namespace quillmark {

// Lets pending window events run inside a bounded wait (the waits for the
// editor page's answers), so page messages and user input are not starved.
class IEventPump {
public:
    virtual ~IEventPump() = default;
    // Runs the events that are pending now, waiting at most `maxWaitMs` for
    // one to arrive when none is pending.
    virtual void ProcessPendingEvents(int maxWaitMs) = 0;
};

} // namespace quillmark
