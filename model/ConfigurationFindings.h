#pragma once

#include "model/ConfigurationLabels.h"
#include "model/modSettings.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Mistakes in a configuration that the device would accept but a cabinet
// would suffer from: two controls that a game cannot tell apart, keys left
// held after a macro, steps the device never plays. Computed as data, so
// that every front end can show them its own way.
namespace vantrel {

enum class FindingKind : std::uint8_t {
    SameAction,              ///< two or more sources send the same single action
    SameFirstPress,          ///< a macro begins by pressing what another source presses
    StuckKey,                ///< a press that no later step releases
    UnreachableSteps,        ///< steps behind an empty step, never played
    RepeatWithoutActivation, ///< a repeat setting with nothing to repeat
    ReleaseWithoutPress,     ///< a deactivation release of something never pressed
    OverSizeLimit,           ///< more bytes than the device's input table holds
    NoRoomToEdit, ///< fits the device, but the editors' count refuses every new assignment
};

/// Where an action comes from: an input, or one direction of a rotary switch.
struct ActionSource {
    enum class Kind : std::uint8_t { Input, RotaryKey };
    Kind kind = Kind::Input;
    int index = 0; ///< input 0..107, or the RotaryKeys index 0..3

    friend bool operator==(const ActionSource&, const ActionSource&) = default;
};

struct Finding {
    FindingKind kind = FindingKind::SameAction;
    /// SameAction and SameFirstPress: every source, inputs first, in order;
    /// otherwise the one input concerned. Empty for the two size findings.
    std::vector<ActionSource> sources;
    /// SameAction: the shared action, modifiers without Key Repeat.
    /// SameFirstPress: what they all press first, as a single key would send
    /// it. StuckKey and ReleaseWithoutPress: the step's KeyType and KeyValue.
    SingleKey action;
    /// Step positions (as stepPosition numbers them) concerned: the press,
    /// the release, or every unreachable step.
    std::vector<int> steps;
    /// OverSizeLimit: the bytes the device's table would need.
    /// NoRoomToEdit: the bytes the editors count (configurationSize).
    std::int32_t size = 0;

    friend bool operator==(const Finding&, const Finding&) = default;
};

/// Every finding: the duplicates, the macros that begin like another control,
/// then input by input the findings about its macro in the order of
/// FindingKind, then the size. Rules:
/// - Duplicates count inputs whose played macro shows as a single key (what
///   the main window labels "Single Key") and rotary keys; Key Repeat is left
///   out of the comparison, as a game sees the same key either way, and
///   "Not Used" is never a duplicate.
/// - A macro begins like another control when its first press is what a
///   single action or another macro presses first, or when it begins by
///   pressing a single key's modifiers and key (macroStartsWith): what
///   arrives from the two is the same until the macro goes on.
/// - The press and release rules are the macro editor's own, applied to what
///   the device plays: each sequence up to its first empty step.
[[nodiscard]] std::vector<Finding> configurationFindings(const Configuration& config);

/// The size finding alone, when there is one: OverSizeLimit when the
/// device cannot hold the configuration, else NoRoomToEdit when the editors'
/// count (configurationSize) is over the limit.
[[nodiscard]] std::optional<Finding> sizeFinding(const Configuration& config);

/// The finding as one line, naming inputs as the main window does ("Input
/// 3"), with their labels where they have one.
[[nodiscard]] std::string describeFinding(const Finding& finding,
                                          const ConfigurationLabels& labels = {});

/// How full the device's input table is, "2104 of 4032 bytes (52 %)": the
/// one measure (what the encoder stores, encodedTableLength) and the one
/// wording behind every size a front end shows. The share is rounded down,
/// so that 100 % means the table is exactly full and never that a byte is
/// left; past the limit it says by how much ("4034 of 4032 bytes (2 over)").
[[nodiscard]] std::string sizeLine(const Configuration& config);

} // namespace vantrel
