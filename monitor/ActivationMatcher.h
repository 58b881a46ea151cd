#pragma once

#include "model/ConfigurationFindings.h"
#include "model/modSettings.h"
#include "monitor/ActivationTracker.h"

#include <array>
#include <vector>

// Which inputs and rotary-switch directions of a configuration could have
// sent an activation.
namespace vantrel {

struct Candidate {
    ActionSource source;
    /// The input plays a macro (it does not show as "Single Key"); it was
    /// recognised by its first press step.
    bool macro = false;
    MacroStep firstPress; ///< a macro's first press step
};

/// A step a macro plays, with the delays the macro waits before it.
struct PlayedStep {
    MacroStep step;
    std::int64_t delayBefore = 0; ///< microseconds after the step played before it
};

class ActivationMatcher {
public:
    explicit ActivationMatcher(const Configuration& config);

    /// Every input that could have sent the press, in input order, then the
    /// rotary-switch directions; empty when nothing in the configuration
    /// sends it.
    [[nodiscard]] std::vector<Candidate> candidates(const ControlAction& press) const;

    /// True when an input shown as "Single Key", or a rotary-switch
    /// direction, sends exactly this key with these modifiers.
    [[nodiscard]] bool sendsChord(const ControlAction& press) const;

    /// The steps the macro of `input` plays after the step that made
    /// `press`; the whole sequence again for a repeating macro is the
    /// caller's to ask for through `repeatedSteps`.
    [[nodiscard]] std::vector<PlayedStep> stepsAfter(int input, const ControlAction& press) const;

    /// A repeating macro's activation steps, the first with the repeat's
    /// pause before it; empty when the input does not repeat.
    [[nodiscard]] std::vector<PlayedStep> repeatedSteps(int input) const;

private:
    struct Input {
        InputMacro played;
        bool single = false;
        SingleKey key;
        MacroStep firstPress;
        bool sendsSomething = false;
    };

    std::array<Input, InputCount> inputs_;
    std::array<RotaryKey, RotaryKeyCount> rotaryKeys_;
};

/// True when the step presses or releases what the event pressed or released.
[[nodiscard]] bool stepMatches(const MacroStep& step, const ControlEvent& control);

} // namespace vantrel
