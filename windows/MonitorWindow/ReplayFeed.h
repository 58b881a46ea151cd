#pragma once

#include "monitor/PacedReplay.h"
#include "windows/MonitorWindow/EventFeed.h"

namespace vantrel {

/// Recordings played one after the other at the pace they were made.
class ReplayFeed final : public EventFeed {
public:
    explicit ReplayFeed(std::vector<NamedRecording> recordings);

    [[nodiscard]] Poll poll(std::int64_t elapsed) override;
    [[nodiscard]] std::string deviceName(std::size_t device) const override;
    [[nodiscard]] std::string description() const override;

private:
    PacedReplay replay_;
};

} // namespace vantrel
