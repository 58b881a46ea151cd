#pragma once

#include "monitor/EventDecoder.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// Trackball, spinner and joystick-axis motion comes as a stream of small
// events; it is shown as one summary per second of motion per device, every
// axis that moved in that second on one line, in a fixed order: X, Y, the
// wheels, the dial, then the joystick axes.
namespace vantrel {

struct MotionAxis {
    std::string name;     ///< "X", "Wheel", "Dial"
    bool relative = true; ///< amount is a sum of movements; otherwise the last position
    std::int64_t amount = 0;

    friend bool operator==(const MotionAxis&, const MotionAxis&) = default;
};

struct GatheredMotion {
    std::int64_t microseconds = 0; ///< when the first movement of it came
    std::vector<MotionAxis> axes;
};

/// How long the motion of one summary may span.
constexpr std::int64_t MotionSummaryMicroseconds = 1'000'000;

class MotionSummary {
public:
    /// Takes in one motion event; the summary of the second before it when
    /// this event begins a new one.
    [[nodiscard]] std::optional<GatheredMotion> add(const MotionEvent& motion);
    /// The device's frame ended: a summary is never cut between two axes of
    /// one frame.
    void endFrame() { frameOpen_ = false; }
    /// The summary, when its second is over by this time and its last frame
    /// has ended.
    [[nodiscard]] std::optional<GatheredMotion> due(std::int64_t microseconds);
    /// Whatever has gathered, due or not.
    [[nodiscard]] std::optional<GatheredMotion> flush();

private:
    std::int64_t startedAt_ = 0;
    bool frameOpen_ = false;
    /// Each axis with its place in the fixed order.
    std::vector<std::pair<int, MotionAxis>> gathered_;
};

} // namespace vantrel
