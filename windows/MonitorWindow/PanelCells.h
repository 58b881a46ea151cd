#pragma once

#include "model/ConfigurationFindings.h"
#include "model/ConfigurationLabels.h"
#include "model/modSettings.h"
#include "monitor/SeenControls.h"

#include <string>
#include <vector>

// What the input test shows of each control of a configuration: a cell per
// input and rotary-switch direction that sends something, named as the main
// window names them.
namespace vantrel {

struct PanelCell {
    ActionSource source;
    std::string title;      ///< as the cell shows it: "Input 17", "Rotary 1 clockwise"
    std::string name;       ///< as it is spoken: "Input 17", "Rotary Switch 1 clockwise"
    std::string label;      ///< the configuration's label; may be empty
    std::string assignment; ///< as the main window's button shows it

    /// What a screen reader says of the cell, with whether it was seen:
    /// "Input 17, P2 Button 1, A, seen 2 times", "..., not seen", or
    /// "..., maybe" when a press not told apart may have been its; then
    /// ", held" while it is held.
    [[nodiscard]] std::string spoken(int seenCount, bool maybe = false, bool held = false) const;
    /// How a list of controls names it: by its label ("Coin 1", "P1 Dial
    /// clockwise"), by its name where it has none.
    [[nodiscard]] std::string byLabel() const;
};

/// One cell per input the monitor counts as used, in input order.
[[nodiscard]] std::vector<PanelCell> inputCells(const Configuration& config,
                                                const ConfigurationLabels& labels,
                                                const SeenControls& controls);

/// One cell per rotary-switch direction the monitor counts as used,
/// counterclockwise before clockwise, switch 1 first.
[[nodiscard]] std::vector<PanelCell> rotaryCells(const Configuration& config,
                                                 const ConfigurationLabels& labels,
                                                 const SeenControls& controls);

} // namespace vantrel
