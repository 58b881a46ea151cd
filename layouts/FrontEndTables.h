#pragma once

#include "keytext/KeySpellingSources.h"
#include "layouts/BindValue.h"
#include "layouts/FrontEndLayout.h"

#include <array>
#include <span>
#include <string>
#include <string_view>

// What each front end's panel holds: the controls of every player and the
// front end's own functions, in the order a layout numbers them, with the
// front end's default keys written in its own syntax.
namespace vantrel {

/// A control each player has. '#' in the bind and the label stands for
/// the player's number.
struct PlayerRow {
    std::string_view bind;
    std::string_view label;
    std::array<std::string_view, MaximumPlayers> defaults; ///< player by player; empty for none
};

/// A function of the front end itself (its menu, leaving a game).
struct FunctionRow {
    std::string_view bind;
    std::string_view label;
    std::string_view defaultValue;
};

struct FrontEndTable {
    std::span<const PlayerRow> playerRows;
    std::span<const FunctionRow> functionRows;
    /// Whose names the file's keys are looked up by.
    SpellingSource spellings;
    /// A function whose keys every other function needs held down with its
    /// own; empty for none.
    std::string_view functionsHeldWith;
    /// Reads a value as the file writes it.
    BindValue (*valueOf)(std::string_view text);
};

[[nodiscard]] const FrontEndTable& retroArchTable();
[[nodiscard]] const FrontEndTable& mameTable();

/// The row's bind or label for one player: "P#_BUTTON1" for player 2 is
/// "P2_BUTTON1".
[[nodiscard]] std::string forPlayer(std::string_view pattern, int player);

} // namespace vantrel
