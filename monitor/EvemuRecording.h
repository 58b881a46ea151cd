#pragma once

#include "monitor/EventSource.h"
#include "monitor/InputEvent.h"

#include <cstddef>
#include <istream>
#include <optional>
#include <string>
#include <vector>

// Recordings in the text form evemu-record writes: a header describing the
// device (N:, I:, P:, B:, A:, L:, S: lines, any of which may be missing),
// comments, and one "E: sec.usec type code value" line per event.
namespace vantrel {

struct EvemuRecording {
    std::vector<InputEvent> events;
    /// The absolute axes the header's A: lines describe; nothing when the
    /// recording has no B: lines to say what the device has.
    std::optional<std::vector<std::uint16_t>> absoluteAxes;
    /// Why the recording cannot be replayed; empty when it can.
    std::string error;
    /// The line the error is about, counted from 1; 0 when none.
    std::size_t errorLine = 0;

    [[nodiscard]] bool ok() const { return error.empty(); }
};

/// Reads a whole recording; at the first malformed line it stops, with no
/// events, so that nothing of a damaged recording is replayed.
[[nodiscard]] EvemuRecording readEvemuRecording(std::istream& in);

/// Replays the events of one recording as one device.
class ReplaySource final : public EventSource {
public:
    ReplaySource(std::string name, std::vector<InputEvent> events);

    Status next(SourcedEvent& event) override;
    [[nodiscard]] std::string deviceName(std::size_t device) const override;
    [[nodiscard]] std::string error() const override;

private:
    std::string name_;
    std::vector<InputEvent> events_;
    std::size_t next_ = 0;
};

} // namespace vantrel
