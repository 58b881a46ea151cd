#include "monitor/PacedReplay.h"

#include <utility>

namespace vantrel {

PacedReplay::PacedReplay(std::vector<NamedRecording> recordings)
    : recordings_(std::move(recordings)) {
    std::int64_t start = 0;
    for (const NamedRecording& recording : recordings_) {
        starts_.push_back(start);
        if (!recording.events.empty()) {
            start += recording.events.back().microseconds - recording.events.front().microseconds;
        }
    }
}

std::int64_t PacedReplay::dueTime(std::size_t recording, std::size_t event) const {
    const std::vector<InputEvent>& events = recordings_[recording].events;
    return starts_[recording] + (events[event].microseconds - events.front().microseconds);
}

PacedReplay::Due PacedReplay::due(std::int64_t elapsed) {
    Due due;
    while (recording_ < recordings_.size() && !due.ended) {
        const std::vector<InputEvent>& events = recordings_[recording_].events;
        if (event_ < events.size() && dueTime(recording_, event_) > elapsed) {
            break;
        }
        if (event_ < events.size()) {
            due.events.push_back({recording_, events[event_++]});
        }
        if (event_ >= events.size()) {
            due.ended = recording_++;
            event_ = 0;
        }
    }
    return due;
}

std::optional<std::int64_t> PacedReplay::nextDue() const {
    if (recording_ >= recordings_.size()) {
        return std::nullopt;
    }
    return event_ < recordings_[recording_].events.size() ? dueTime(recording_, event_)
                                                          : starts_[recording_];
}

const std::string& PacedReplay::deviceName(std::size_t device) const {
    return recordings_.at(device).name;
}

} // namespace vantrel
