#pragma once

#include "monitor/EventDecoder.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <vector>

// Groups one device's presses into activations as a person sees them. How
// the encoder sends a key with modifiers is not known for certain (in one
// report, or the modifier a moment before the key), so time and frames
// decide together: a key that goes down in the frame of a modifier, or
// within ChordWindow of it with nothing else between, makes one chord with
// it when the configuration sends that chord; every other key, modifiers
// included, is a press of its own.
namespace vantrel {

/// How long after a modifier key a key may still go down to make one chord
/// with it.
constexpr std::int64_t ChordWindowMicroseconds = 10'000;

struct ControlAction {
    ControlEvent control;
    /// Usage IDs of the modifier keys pressed with it as one chord, in usage
    /// order; empty for a press of its own.
    std::vector<std::uint8_t> modifiers;
    /// What arrived to make this activation, in order: a macro that played
    /// it played these. The release of a chord's modifier is an activation
    /// of this alone, which a macro may play but which reports nothing new.
    std::vector<ControlEvent> events;

    /// Ctrl, Shift and Alt as a single key's KeyOperator holds them, from the
    /// left modifier keys that such a key presses.
    [[nodiscard]] std::uint8_t keyOperator() const;
    /// True when a modifier other than left Ctrl, Shift and Alt is part of
    /// it, which no single key can send.
    [[nodiscard]] bool hasOtherModifiers() const;
};

class ActivationTracker {
public:
    /// Whether some input or rotary direction sends this chord; only then
    /// do presses close together make one.
    using ChordTest = std::function<bool(const ControlAction&)>;

    explicit ActivationTracker(ChordTest sendsChord);

    /// The activations (presses and releases) decided by this event, in
    /// order; presses kept back as a possible chord come out once decided.
    [[nodiscard]] std::vector<ControlAction> track(const ControlEvent& control);
    /// The device's frame (its SYN_REPORT) ended.
    void endFrame();
    /// What was kept back as a possible chord and can no longer become one
    /// by this time.
    [[nodiscard]] std::vector<ControlAction> tick(std::int64_t microseconds);
    /// Everything kept back, at the end of the events.
    [[nodiscard]] std::vector<ControlAction> finish();
    /// True while presses are kept back, waiting for the chord window.
    [[nodiscard]] bool waiting() const { return !group_.empty(); }

private:
    [[nodiscard]] bool joinsGroup(const ControlEvent& control) const;
    [[nodiscard]] std::vector<ControlAction> closeGroup();
    [[nodiscard]] std::optional<ControlAction> chordOf(std::size_t first) const;
    [[nodiscard]] ControlAction alone(const ControlEvent& control);
    [[nodiscard]] ControlAction release(const ControlEvent& control);

    ChordTest sendsChord_;
    std::vector<ControlEvent> group_; ///< presses that may still make a chord
    std::uint64_t groupFrame_ = 0;
    std::uint64_t frame_ = 0;
    std::map<ControlIdentity, ControlAction> pressed_;
    std::set<ControlIdentity> chordModifiers_; ///< held as part of a chord
};

/// True when the event is a modifier key (usage 224 to 231).
[[nodiscard]] bool isModifierKey(const ControlEvent& control);

} // namespace vantrel
