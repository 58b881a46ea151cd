#pragma once

#include "model/ConfigurationFindings.h"
#include "model/modSettings.h"
#include "monitor/ActivationMatcher.h"

#include <array>
#include <cstddef>
#include <vector>

// Wiring a panel means pressing every control once: which of the controls a
// configuration uses have been seen so far, and which never were.
namespace vantrel {

struct SeenSummary {
    std::size_t seen = 0;
    std::size_t used = 0; ///< inputs not "Not Used", and rotary directions with a key
    bool rotaryDirectionsUsed = false;
    /// Every used control never seen: inputs in order, then rotary directions.
    std::vector<ActionSource> notSeen;

    friend bool operator==(const SeenSummary&, const SeenSummary&) = default;
};

class SeenControls {
public:
    explicit SeenControls(const Configuration& config);

    /// Marks every control that could have sent a press: when several send
    /// the same key, pressing one of them presses them all for a game.
    void markSeen(const std::vector<Candidate>& candidates);
    [[nodiscard]] bool used(const ActionSource& source) const;
    [[nodiscard]] bool seen(const ActionSource& source) const;
    [[nodiscard]] SeenSummary summary() const;

private:
    struct Control {
        bool used = false;
        bool seen = false;
    };
    [[nodiscard]] const Control& control(const ActionSource& source) const;

    std::array<Control, InputCount> inputs_{};
    std::array<Control, RotaryKeyCount> rotaryKeys_{};
};

} // namespace vantrel
