#pragma once

#include "model/ConfigurationLabels.h"
#include "model/modSettings.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Mistakes in a configuration that the device would accept but a cabinet
// would suffer from: two controls that a game cannot tell apart, keys left
// held after a macro, steps the device never plays. Computed as data, so
// that every front end can show them its own way.
namespace vantrel {

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

/// Shared presses are notes, not mistakes: a coin-and-start macro or a dial
/// on the arrow keys is how cabinets are built, so a note only says what a
/// game and the monitor will see. Every other finding is a mistake.
[[nodiscard]] bool isNote(FindingKind kind);

/// Whether the layout declares the finding's share as intended.
[[nodiscard]] bool isIntended(const Finding& finding, const ConfigurationLabels& labels);

/// The word the readable forms give each kind ("same-first-press").
[[nodiscard]] std::string_view findingWord(FindingKind kind);

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
