#pragma once

#include "model/modSettings.h"

#include <optional>
#include <vector>

// The rules a macro is held to before it is stored. The macro editor's OK
// and the configuration checks of the command-line tool both apply these,
// so the two can never disagree about a macro.
namespace vantrel {

/// A step position over both sequences: 0..63 activation step n, 64..127
/// deactivation step n - 64.
constexpr int stepPosition(int n, int sequence) {
    return sequence * StepsPerSequence + n;
}

/// How many step positions a macro has.
constexpr int StepPositionCount = SequenceCount * StepsPerSequence;

/// A step position taken apart: step n (0..63) of sequence `sequence`.
struct StepPlace {
    int n = 0;
    int sequence = Activation;
};

/// The step and sequence that stepPosition numbers `position`.
constexpr StepPlace stepPlace(int position) {
    return {position % StepsPerSequence, position / StepsPerSequence};
}

/// The step at `position` (see stepPosition).
[[nodiscard]] const MacroStep& stepAt(const InputMacro& macro, int position);
[[nodiscard]] MacroStep& stepAt(InputMacro& macro, int position);

/// Moves the non-empty steps of each sequence to its start, keeping their
/// order; the steps behind them become empty presses.
void compactSequences(InputMacro& macro);

/// True for a key, mouse or joystick step that presses.
[[nodiscard]] bool isPress(const MacroStep& step);

/// True for a key, mouse or joystick step that releases.
[[nodiscard]] bool isRelease(const MacroStep& step);

/// The position (see stepPosition) of the first press that no later step
/// releases, searching forward from the activation into the deactivation
/// sequence; nothing when every press is released. One release answers every
/// earlier press of the same action.
[[nodiscard]] std::optional<int> findUnmatchedPress(const InputMacro& macro);

/// Every press that no later step releases, by position in order; the first
/// is the one findUnmatchedPress names.
[[nodiscard]] std::vector<int> unmatchedPresses(const InputMacro& macro);

/// Every release in the deactivation sequence of an action that no earlier
/// step presses, by position in order.
[[nodiscard]] std::vector<int> unpressedReleases(const InputMacro& macro);

} // namespace vantrel
