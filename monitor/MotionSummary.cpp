#include "monitor/MotionSummary.h"

#include "monitor/EventCodes.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

namespace vantrel {
namespace {

constexpr std::int64_t SummaryInterval = 1'000'000;

std::string axisName(const MotionEvent& motion) {
    if (motion.type == evdev::EvRel) {
        switch (motion.code) {
        case evdev::RelX:
            return "X";
        case evdev::RelY:
            return "Y";
        case evdev::RelHWheel:
            return "Horizontal Wheel";
        case evdev::RelDial:
            return "Dial";
        case evdev::RelWheel:
            return "Wheel";
        default:
            return "Axis " + std::to_string(motion.code);
        }
    }
    constexpr std::array<std::string_view, 6> absolute = {"X", "Y", "Z", "Rx", "Ry", "Rz"};
    return motion.code < absolute.size() ? std::string(absolute.at(motion.code)) + " Axis"
                                         : "Axis " + std::to_string(motion.code);
}

} // namespace

std::optional<std::vector<MotionAxis>> MotionSummary::add(const MotionEvent& motion) {
    const std::string name = axisName(motion);
    const bool relative = motion.type == evdev::EvRel;
    auto axis = std::ranges::find_if(gathered_, [&](const MotionAxis& gathered) {
        return gathered.name == name && gathered.relative == relative;
    });
    if (axis == gathered_.end()) {
        gathered_.push_back({name, relative, 0});
        axis = std::prev(gathered_.end());
    }
    axis->amount = relative ? axis->amount + motion.value : motion.value;
    return due(motion.microseconds);
}

std::optional<std::vector<MotionAxis>> MotionSummary::due(std::int64_t microseconds) {
    if (gathered_.empty() || (lastSummary_ && microseconds - *lastSummary_ < SummaryInterval)) {
        return std::nullopt;
    }
    lastSummary_ = microseconds;
    return flush();
}

std::optional<std::vector<MotionAxis>> MotionSummary::flush() {
    if (gathered_.empty()) {
        return std::nullopt;
    }
    return std::exchange(gathered_, {});
}

} // namespace vantrel
