#pragma once

#include "monitor/InputEvent.h"

#include <cstddef>
#include <string>

namespace vantrel {

/// An event and which of the source's devices sent it.
struct SourcedEvent {
    std::size_t device = 0;
    InputEvent event;
};

/// Where the monitor's events come from: the encoder's event devices while
/// it is attached, or recordings of them. Each device of a source is decoded
/// on its own, since modifier and hat states belong to one device.
class EventSource {
public:
    enum class Status {
        Event,  ///< `event` holds the next event
        Idle,   ///< nothing arrived for a while (a live source only)
        End,    ///< every event has been delivered
        Failed, ///< reading stopped; the source's own failure says why
    };

    EventSource() = default;
    virtual ~EventSource() = default;
    EventSource(const EventSource&) = delete;
    EventSource& operator=(const EventSource&) = delete;
    EventSource(EventSource&&) = delete;
    EventSource& operator=(EventSource&&) = delete;

    virtual Status next(SourcedEvent& event) = 0;
    /// A name by which a line can say which device it is about.
    [[nodiscard]] virtual std::string deviceName(std::size_t device) const = 0;
};

} // namespace vantrel
