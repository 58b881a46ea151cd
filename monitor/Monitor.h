#pragma once

#include "model/modSettings.h"
#include "monitor/ActivationMatcher.h"
#include "monitor/ActivationTracker.h"
#include "monitor/EventDecoder.h"
#include "monitor/EventSource.h"
#include "monitor/MotionSummary.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

// The monitor's matching: events in, one report per activation of a
// physical control out, each naming what in the configuration sends it.
namespace vantrel {

struct MonitorReport {
    enum class Kind : std::uint8_t { Press, Release, Motion };
    Kind kind = Kind::Press;
    std::int64_t microseconds = 0;
    std::size_t device = 0;
    std::string action; ///< what arrived, as "Ctrl+A" or "Button 3"
    std::vector<Candidate> candidates;
    std::vector<MotionAxis> motion;
};

class Monitor {
public:
    explicit Monitor(const Configuration& config);

    [[nodiscard]] std::vector<MonitorReport> feed(const SourcedEvent& event);
    /// The motion summaries that have become due by this time.
    [[nodiscard]] std::vector<MonitorReport> tick(std::int64_t microseconds);
    /// The motion still gathered, at the end of the events.
    [[nodiscard]] std::vector<MonitorReport> finish();

private:
    /// What belongs to one device: its decoding state and the rest of the
    /// macro it is playing.
    struct Device {
        EventDecoder decoder;
        ActivationTracker tracker;
        MotionSummary motion;
        std::vector<MacroStep> macroSteps;
        std::size_t nextStep = 0;
        int macroInput = -1;
        std::int64_t lastEvent = 0;
        std::map<ControlIdentity, std::vector<Candidate>> pressedCandidates;
    };

    void handleControl(std::size_t index, Device& device, const ControlEvent& control,
                       std::vector<MonitorReport>& out);
    [[nodiscard]] bool continuesMacro(Device& device, const ControlEvent& control) const;
    void report(std::size_t index, Device& device, const ControlAction& activation,
                std::vector<MonitorReport>& out) const;

    ActivationMatcher matcher_;
    std::map<std::size_t, Device> devices_;
};

} // namespace vantrel
