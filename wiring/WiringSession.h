#pragma once

#include "model/ConfigurationLabels.h"
#include "model/modSettings.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// Learning which input each control of a layout is wired to: the session
// asks for the controls one by one (or takes them in any order, each press
// named by the person), binds each to the input its press came from, and
// gives the layout with its inputs moved to the inputs found.
namespace vantrel {

/// An input of one of the encoders being wired.
struct FoundInput {
    std::size_t encoder = 0;
    int input = 0; ///< 0..107

    friend bool operator==(const FoundInput&, const FoundInput&) = default;
};

/// A control of the layout that the session asks for.
struct WiringControl {
    int layoutInput = 0; ///< where the layout has it
    std::string label;   ///< the layout's label, or "Input N" where it has none
    std::optional<FoundInput> found;
    bool skipped = false;
};

/// What one step of the person did to the session.
enum class WiringStep : std::uint8_t {
    Bound,         ///< `control` is on `input` now
    AlreadyBound,  ///< `input` is `control`'s already: the same control is asked again
    NotAnInput,    ///< a rotary switch turned: asked again
    Skipped,       ///< `control` stays unwired
    WentBack,      ///< `control` is asked again, its input forgotten
    NothingBefore, ///< back at the first control: nothing changed
    LabelNeeded,   ///< any order: the press on `input` waits for its control's label
    UnknownLabel,  ///< no control has the label typed: asked again
    LabelTaken,    ///< `control` has its input already: asked again
    PressDropped,  ///< any order: an empty label lets the press go
    Ignored,       ///< nothing is asked any more, or nothing waits for a label
};

struct WiringAnswer {
    WiringStep step = WiringStep::Ignored;
    std::size_t control = 0;
    FoundInput input;
};

/// One encoder's part of the wired layout.
struct WiredEncoder {
    Configuration config;
    ConfigurationLabels labels;
};

class WiringSession {
public:
    enum class Order : std::uint8_t {
        AsAsked,   ///< the controls are asked in the layout's order
        AsPressed, ///< any order: each press is named by its label
    };

    /// Asks for every input of the layout that sends something or has a
    /// label, in input order.
    WiringSession(const Configuration& layout, const ConfigurationLabels& labels, Order order);

    /// A press traced back to the input or rotary direction it came from.
    WiringAnswer press(std::size_t encoder, const ActionSource& source);
    /// Enter: the control asked for stays unwired.
    WiringAnswer skip();
    /// Backspace: the control before is asked again (any order: the last
    /// one bound is let go).
    WiringAnswer back();
    /// Any order: the label of the control last pressed; empty lets it go.
    WiringAnswer label(const std::string& text);

    [[nodiscard]] const std::vector<WiringControl>& controls() const { return controls_; }
    /// The control asked for now; none once every control was answered
    /// (any order: none).
    [[nodiscard]] std::optional<std::size_t> asked() const;
    /// Any order: the press that waits for its label.
    [[nodiscard]] const std::optional<FoundInput>& waiting() const { return waiting_; }
    /// Every control was answered (any order: every one bound).
    [[nodiscard]] bool finished() const;
    [[nodiscard]] Order order() const { return order_; }

    /// The layout with each control moved to its input, one configuration
    /// per encoder: the controls found on it with their labels, every other
    /// input "Not Used", the layout's rotary keys and names kept.
    [[nodiscard]] std::vector<WiredEncoder> wired(const Configuration& layout,
                                                  const ConfigurationLabels& labels,
                                                  std::size_t encoders) const;

private:
    [[nodiscard]] std::optional<std::size_t> holderOf(const FoundInput& input) const;
    WiringAnswer bind(std::size_t control, const FoundInput& input);

    Order order_;
    std::vector<WiringControl> controls_;
    std::size_t cursor_ = 0;              ///< in the layout's order: the control asked
    std::vector<std::size_t> boundOrder_; ///< any order: the controls as they were bound
    std::optional<FoundInput> waiting_;
};

/// Where the wired layout goes when no name is given: LAYOUT-wired.json
/// beside the layout.
[[nodiscard]] std::filesystem::path wiredLayoutPath(const std::filesystem::path& layout);

/// Labels compare without regard to case or blanks around them.
[[nodiscard]] bool sameLabel(const std::string& a, const std::string& b);

} // namespace vantrel
