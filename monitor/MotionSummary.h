#pragma once

#include "monitor/EventDecoder.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Trackball, spinner and joystick-axis motion comes as a stream of small
// events; it is shown as at most one summary a second per device.
namespace vantrel {

struct MotionAxis {
    std::string name;     ///< "X", "Wheel", "Dial"
    bool relative = true; ///< amount is a sum of movements; otherwise the last position
    std::int64_t amount = 0;

    friend bool operator==(const MotionAxis&, const MotionAxis&) = default;
};

class MotionSummary {
public:
    /// Takes in one motion event; the summary when one is due with it.
    [[nodiscard]] std::optional<std::vector<MotionAxis>> add(const MotionEvent& motion);
    /// The summary of what has gathered, when a second has passed since the
    /// last one.
    [[nodiscard]] std::optional<std::vector<MotionAxis>> due(std::int64_t microseconds);
    /// Whatever has gathered, due or not.
    [[nodiscard]] std::optional<std::vector<MotionAxis>> flush();

private:
    std::optional<std::int64_t> lastSummary_;
    std::vector<MotionAxis> gathered_;
};

} // namespace vantrel
