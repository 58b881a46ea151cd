#include "monitor/MotionSummary.h"

#include "monitor/EventCodes.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace vantrel {
namespace {

struct AxisName {
    std::uint16_t code;
    std::string_view name;
};

// The relative axes in the order a summary lists them.
constexpr std::array<AxisName, 5> RelativeAxes = {{
    {evdev::RelX, "X"},
    {evdev::RelY, "Y"},
    {evdev::RelWheel, "Wheel"},
    {evdev::RelHWheel, "Horizontal Wheel"},
    {evdev::RelDial, "Dial"},
}};
constexpr std::array<std::string_view, 6> AbsoluteAxes = {"X", "Y", "Z", "Rx", "Ry", "Rz"};
// Other relative axes come after the known ones, absolute axes after all.
constexpr int OtherRelativeRank = 0x100;
constexpr int AbsoluteRank = 0x200;

std::pair<int, MotionAxis> axisOf(const MotionEvent& motion) {
    if (motion.type == evdev::EvRel) {
        for (std::size_t i = 0; i < RelativeAxes.size(); ++i) {
            if (RelativeAxes.at(i).code == motion.code) {
                return {static_cast<int>(i), {std::string(RelativeAxes.at(i).name), true, 0}};
            }
        }
        return {OtherRelativeRank + motion.code, {"Axis " + std::to_string(motion.code), true, 0}};
    }
    const std::string name = motion.code < AbsoluteAxes.size()
                                 ? std::string(AbsoluteAxes.at(motion.code)) + " Axis"
                                 : "Axis " + std::to_string(motion.code);
    return {AbsoluteRank + motion.code, {name, false, 0}};
}

} // namespace

std::optional<GatheredMotion> MotionSummary::add(const MotionEvent& motion) {
    std::optional<GatheredMotion> before = due(motion.microseconds);
    if (gathered_.empty()) {
        startedAt_ = motion.microseconds;
    }
    frameOpen_ = true;
    auto [rank, axis] = axisOf(motion);
    auto place = std::ranges::lower_bound(gathered_, rank, {}, &std::pair<int, MotionAxis>::first);
    if (place == gathered_.end() || place->first != rank) {
        place = gathered_.insert(place, {rank, std::move(axis)});
    }
    MotionAxis& gathered = place->second;
    gathered.amount = gathered.relative ? gathered.amount + motion.value : motion.value;
    return before;
}

std::optional<GatheredMotion> MotionSummary::due(std::int64_t microseconds) {
    if (frameOpen_ || microseconds - startedAt_ < MotionSummaryMicroseconds) {
        return std::nullopt;
    }
    return flush();
}

std::optional<GatheredMotion> MotionSummary::flush() {
    if (gathered_.empty()) {
        return std::nullopt;
    }
    GatheredMotion motion{startedAt_, {}};
    for (auto& [rank, axis] : gathered_) {
        motion.axes.push_back(std::move(axis));
    }
    gathered_.clear();
    return motion;
}

} // namespace vantrel
