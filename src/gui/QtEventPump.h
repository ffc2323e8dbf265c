#pragma once

#include "platform/EventPump.h"

namespace quillmark::gui {

// Runs Qt's pending events inside the core's bounded waits for the editor
// page, so page messages (which arrive as Qt events) can be delivered.
class TQtEventPump final : public IEventPump {
public:
    void ProcessPendingEvents(int maxWaitMs) override;
};

} // namespace quillmark::gui
