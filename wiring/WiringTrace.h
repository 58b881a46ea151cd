#pragma once

#include "monitor/EventSource.h"
#include "monitor/MonitorSession.h"
#include "wiring/WiringSession.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// The presses of the encoders holding the probe, traced back to the input or
// rotary direction that sent each, as the monitor traces them.
namespace vantrel {

/// What one press was to a wiring session.
struct TracedPress {
    enum class Kind : std::uint8_t {
        Control, ///< `source` on `encoder` sent it
        Skip,    ///< Enter on a keyboard: the probe never sends it
        Back,    ///< Backspace, likewise
    };
    Kind kind = Kind::Control;
    std::size_t encoder = 0;
    ActionSource source;
};

class WiringTrace {
public:
    /// `encoderOfDevice[d]` is the encoder that device d belongs to; a
    /// device not listed belongs to the first.
    WiringTrace(std::size_t encoders, std::vector<std::size_t> encoderOfDevice);

    /// As the monitor's: feed each event, tick when none came for a while,
    /// finish at the end of each device's events.
    [[nodiscard]] std::vector<TracedPress> feed(const SourcedEvent& event);
    [[nodiscard]] std::vector<TracedPress> tick(std::int64_t microseconds);
    [[nodiscard]] std::vector<TracedPress> finish();

private:
    std::unique_ptr<MonitorSession> monitor_;
};

/// Hands a traced press to the session.
WiringAnswer applyPress(WiringSession& session, const TracedPress& press);

} // namespace vantrel
