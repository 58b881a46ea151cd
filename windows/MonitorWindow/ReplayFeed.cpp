#include "windows/MonitorWindow/ReplayFeed.h"

#include <utility>

namespace vantrel {

ReplayFeed::ReplayFeed(std::vector<NamedRecording> recordings)
    : replay_(std::move(recordings)) {}

EventFeed::Poll ReplayFeed::poll(std::int64_t elapsed) {
    PacedReplay::Due due = replay_.due(elapsed);
    Poll poll;
    poll.events = std::move(due.events);
    poll.deviceEnded = due.ended;
    poll.finished = replay_.finished();
    return poll;
}

std::string ReplayFeed::deviceName(std::size_t device) const {
    return replay_.deviceName(device);
}

std::string ReplayFeed::description() const {
    std::string names;
    for (std::size_t i = 0; i < replay_.deviceCount(); ++i) {
        names += (i == 0 ? "" : ", ") + replay_.deviceName(i);
    }
    return "events replayed from " + names;
}

} // namespace vantrel
