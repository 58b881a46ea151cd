#pragma once

#include "monitor/EventSource.h"
#include "monitor/InputEvent.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Recordings played back at the pace they were made, for a front end that
// shows the events as they come rather than all at once: each recording's
// events keep their distances in time, and the next recording follows
// right after the last event of the one before.
namespace vantrel {

struct NamedRecording {
    std::string name;
    std::vector<InputEvent> events;
};

class PacedReplay {
public:
    /// Recording i plays as device i.
    explicit PacedReplay(std::vector<NamedRecording> recordings);

    struct Due {
        std::vector<SourcedEvent> events;
        /// The device whose recording ended with these events: a front end
        /// ends that device's matching before the next begins.
        std::optional<std::size_t> ended;
    };

    /// The events that have fallen due `elapsed` microseconds after the
    /// replay began, in order, of one recording at most; each is handed out
    /// once. Ask again for those of the next recording.
    [[nodiscard]] Due due(std::int64_t elapsed);
    /// How long after the beginning the next event falls due; nothing when
    /// every event has been handed out.
    [[nodiscard]] std::optional<std::int64_t> nextDue() const;
    [[nodiscard]] bool finished() const { return !nextDue(); }

    [[nodiscard]] std::size_t deviceCount() const { return recordings_.size(); }
    [[nodiscard]] const std::string& deviceName(std::size_t device) const;

private:
    [[nodiscard]] std::int64_t dueTime(std::size_t recording, std::size_t event) const;

    std::vector<NamedRecording> recordings_;
    /// When each recording begins, in microseconds after the replay began.
    std::vector<std::int64_t> starts_;
    std::size_t recording_ = 0;
    std::size_t event_ = 0;
};

} // namespace vantrel
