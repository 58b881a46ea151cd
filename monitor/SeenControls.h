#pragma once

#include "model/ConfigurationFindings.h"
#include "model/modSettings.h"
#include "monitor/ActivationMatcher.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

// Wiring a panel means pressing every control once: which of the controls a
// configuration uses have been seen so far, and which never were.
namespace vantrel {

/// Controls that each could have sent a press, with nothing after it to say
/// which: none of them counts as seen for it.
struct NotToldApart {
    std::vector<ActionSource> sources;
    std::string action; ///< what they all send, as "Left Arrow"

    friend bool operator==(const NotToldApart&, const NotToldApart&) = default;
};

struct SeenSummary {
    std::size_t seen = 0;
    std::size_t used = 0; ///< inputs not "Not Used", and rotary directions with a key
    bool rotaryDirectionsUsed = false;
    /// Every used control never seen: inputs in order, then rotary directions.
    std::vector<ActionSource> notSeen;
    /// Each press not told apart, once, while one of its controls is unseen.
    std::vector<NotToldApart> notToldApart;

    friend bool operator==(const SeenSummary&, const SeenSummary&) = default;
};

class SeenControls {
public:
    explicit SeenControls(const Configuration& config);

    /// Marks what a press was found to be: its one control is seen; when
    /// several remain, each is only "maybe" and none is counted, since a
    /// miswired control would otherwise pass for working.
    void markPress(const std::vector<Candidate>& candidates, const std::string& action);
    [[nodiscard]] bool used(const ActionSource& source) const;
    [[nodiscard]] bool seen(const ActionSource& source) const;
    /// Not seen, but one of the controls of a press not told apart.
    [[nodiscard]] bool maybe(const ActionSource& source) const;
    [[nodiscard]] SeenSummary summary() const;

private:
    struct Control {
        bool used = false;
        bool seen = false;
        bool maybe = false;
    };
    [[nodiscard]] const Control& control(const ActionSource& source) const;
    [[nodiscard]] Control& control(const ActionSource& source);

    std::array<Control, InputCount> inputs_{};
    std::array<Control, RotaryKeyCount> rotaryKeys_{};
    std::vector<NotToldApart> notToldApart_;
};

} // namespace vantrel
