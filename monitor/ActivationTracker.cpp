#include "monitor/ActivationTracker.h"

#include "model/modSettings.h"

#include <algorithm>
#include <utility>

namespace vantrel {
namespace {

constexpr std::uint8_t FirstModifierUsage = 224;
constexpr std::uint8_t LastModifierUsage = 231;

} // namespace

std::uint8_t ControlAction::keyOperator() const {
    std::uint8_t bits = 0;
    for (const std::uint8_t usage : modifiers) {
        bits |= usage == KeyLeftCtrl    ? OperatorCtrl
                : usage == KeyLeftShift ? OperatorShift
                : usage == KeyLeftAlt   ? OperatorAlt
                                        : 0;
    }
    return bits;
}

bool ControlAction::hasOtherModifiers() const {
    return std::ranges::any_of(modifiers, [](std::uint8_t usage) { return usage > KeyLeftAlt; });
}

bool isModifierKey(const ControlEvent& control) {
    return control.keyType == KeyTypeKeyboard && control.values.size() == 1 &&
           control.values.front() >= FirstModifierUsage &&
           control.values.front() <= LastModifierUsage;
}

ActivationTracker::ActivationTracker(ChordTest sendsChord)
    : sendsChord_(std::move(sendsChord)) {}

std::vector<ControlAction> ActivationTracker::track(const ControlEvent& control) {
    std::vector<ControlAction> out;
    if (!group_.empty() && !joinsGroup(control)) {
        out = closeGroup();
    }
    if (!control.pressed) {
        out.push_back(release(control));
        return out;
    }
    if (!group_.empty() || isModifierKey(control)) {
        if (group_.empty()) {
            groupFrame_ = frame_;
        }
        group_.push_back(control);
        // A chord ends with its key: nothing can join it after that.
        if (!isModifierKey(control)) {
            std::ranges::move(closeGroup(), std::back_inserter(out));
        }
        return out;
    }
    out.push_back(alone(control));
    return out;
}

void ActivationTracker::endFrame() {
    ++frame_;
}

std::vector<ControlAction> ActivationTracker::tick(std::int64_t microseconds) {
    if (group_.empty() || frame_ == groupFrame_ ||
        microseconds - group_.front().microseconds <= ChordWindowMicroseconds) {
        return {};
    }
    return closeGroup();
}

std::vector<ControlAction> ActivationTracker::finish() {
    return group_.empty() ? std::vector<ControlAction>{} : closeGroup();
}

bool ActivationTracker::joinsGroup(const ControlEvent& control) const {
    return control.pressed && control.keyType == KeyTypeKeyboard &&
           (frame_ == groupFrame_ ||
            control.microseconds - group_.front().microseconds <= ChordWindowMicroseconds);
}

// The longest run of the last presses that the configuration sends as one
// chord is that chord; the presses before it are presses of their own.
std::vector<ControlAction> ActivationTracker::closeGroup() {
    std::vector<ControlAction> out;
    std::size_t first = 0;
    std::optional<ControlAction> chord;
    while (first + 1 < group_.size() && !(chord = chordOf(first))) {
        ++first;
    }
    const std::size_t aloneCount = chord ? first : group_.size();
    for (std::size_t i = 0; i < aloneCount; ++i) {
        out.push_back(alone(group_[i]));
    }
    if (chord) {
        pressed_[controlIdentity(chord->control)] = *chord;
        for (const ControlEvent& member : chord->events) {
            if (controlIdentity(member) != controlIdentity(chord->control)) {
                chordModifiers_.insert(controlIdentity(member));
            }
        }
        out.push_back(std::move(*chord));
    }
    group_.clear();
    return out;
}

// Which of the presses is the key: the last when it is no modifier; among
// modifiers alone (Ctrl with Left Alt as its key) any of them.
std::optional<ControlAction> ActivationTracker::chordOf(std::size_t first) const {
    const std::vector<ControlEvent> members(group_.begin() + static_cast<std::ptrdiff_t>(first),
                                            group_.end());
    const std::size_t firstKey = isModifierKey(members.back()) ? 0 : members.size() - 1;
    for (std::size_t key = firstKey; key < members.size(); ++key) {
        ControlAction chord{members[key], {}, members};
        for (std::size_t other = 0; other < members.size(); ++other) {
            if (other != key) {
                chord.modifiers.push_back(members[other].values.front());
            }
        }
        std::ranges::sort(chord.modifiers);
        if (sendsChord_(chord)) {
            return chord;
        }
    }
    return std::nullopt;
}

ControlAction ActivationTracker::alone(const ControlEvent& control) {
    ControlAction action{control, {}, {control}};
    pressed_[controlIdentity(control)] = action;
    return action;
}

ControlAction ActivationTracker::release(const ControlEvent& control) {
    const ControlIdentity identity = controlIdentity(control);
    if (chordModifiers_.erase(identity) > 0) {
        return {control, {}, {control}};
    }
    const auto found = pressed_.find(identity);
    ControlAction released =
        found != pressed_.end() ? found->second : ControlAction{control, {}, {}};
    if (found != pressed_.end()) {
        pressed_.erase(found);
    }
    released.control.microseconds = control.microseconds;
    released.control.pressed = false;
    released.events = {control};
    return released;
}

} // namespace vantrel
