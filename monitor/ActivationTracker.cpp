#include "monitor/ActivationTracker.h"

#include "model/modSettings.h"

#include <algorithm>

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

std::vector<ControlAction> ActivationTracker::track(const ControlEvent& control) {
    if (isModifierKey(control)) {
        return trackModifier(control);
    }
    if (control.pressed) {
        ControlAction activation = withHeldModifiers(control);
        for (HeldModifier& modifier : held_) {
            modifier.usedWithAKey = true;
        }
        pressed_[controlIdentity(control)] = activation;
        return {activation};
    }
    const auto found = pressed_.find(controlIdentity(control));
    ControlAction release = found != pressed_.end() ? found->second : ControlAction{control, {}, 0};
    if (found != pressed_.end()) {
        pressed_.erase(found);
    }
    release.control.microseconds = control.microseconds;
    release.control.pressed = false;
    return {release};
}

ControlAction ActivationTracker::withHeldModifiers(const ControlEvent& control) const {
    ControlAction activation{control, {}, 0};
    for (const HeldModifier& modifier : held_) {
        activation.modifiers.push_back(modifier.usage);
    }
    std::ranges::sort(activation.modifiers);
    if (!held_.empty()) {
        activation.firstModifier = held_.front().usage;
    }
    return activation;
}

// A modifier's own action is known only when it is released without a key
// having been pressed while it was held.
std::vector<ControlAction> ActivationTracker::trackModifier(const ControlEvent& control) {
    const std::uint8_t usage = control.values.front();
    const auto held = std::ranges::find(held_, usage, &HeldModifier::usage);
    if (control.pressed) {
        if (held == held_.end()) {
            held_.push_back({usage, false, withHeldModifiers(control)});
        }
        return {};
    }
    if (held == held_.end()) {
        return {};
    }
    const HeldModifier modifier = *held;
    held_.erase(held);
    if (modifier.usedWithAKey) {
        return {};
    }
    for (HeldModifier& other : held_) {
        other.usedWithAKey = true;
    }
    ControlAction release = modifier.alone;
    release.control.microseconds = control.microseconds;
    release.control.pressed = false;
    return {modifier.alone, release};
}

} // namespace vantrel
