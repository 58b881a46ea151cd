#pragma once

#include "model/Result.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A cabinet's layout taken from a front end's own configuration file: one
// control for each bind the front end has a key for (its own default where
// the file leaves a bind out), labelled as a builder names it, in the order
// of a panel: player by player, then the front end's own functions. What
// could not be carried is kept as notes, never dropped silently.
namespace vantrel {

enum class FrontEnd { RetroArch, Mame };

/// How --from names each front end, in FrontEnd order.
constexpr std::array<std::string_view, 2> FrontEndWords = {"retroarch", "mame"};

[[nodiscard]] std::optional<FrontEnd> frontEndNamed(std::string_view word);

/// The players a layout can have: the front ends' defaults go this far.
constexpr int MaximumPlayers = 4;

/// One key of a control, with the name the front end's file gives it.
struct LayoutKey {
    std::uint8_t code = 0; ///< usage ID
    std::string spelling;  ///< "KEYCODE_LCONTROL", "x"

    friend bool operator==(const LayoutKey&, const LayoutKey&) = default;
};

/// One control of the panel and the keys it holds down while pressed.
struct LayoutControl {
    std::string label;           ///< "P1 Button 1"
    std::string bind;            ///< the front end's name of it: "P1_BUTTON1", "input_player1_a"
    int player = 0;              ///< 1 to MaximumPlayers; 0 for the front end's own functions
    std::vector<LayoutKey> keys; ///< held together, in the order they go down
};

/// Why a bind did not come over as the file has it.
enum class NoteKind {
    NotAKey,        ///< item: a joystick, mouse or light gun input
    NoKeyOnEncoder, ///< item: a key the encoder cannot send
    UnknownKey,     ///< item: a name that is no key of the front end's
    TooManyKeys,    ///< item: how many keys the chord holds
    NoInputLeft,    ///< every input went to the controls before it
    NotAControl,    ///< item: the value; the layout has no control for the bind
    OneSystemOnly,  ///< item: the one game (or source file) the setting is for
    IncludeNotRead, ///< item: the file an #include names
    GivenAgain,     ///< the bind is set again here; this last one counts
};

struct LayoutNote {
    NoteKind kind = NoteKind::NotAKey;
    std::string bind;
    std::string label; ///< the control's label; empty for a bind that is no control
    std::string item;
    /// The keys carried instead, from another alternative of the bind, spelt
    /// as the file spells them; empty when the bind was not carried.
    std::string taken;
    int line = 0; ///< where the file says it; 0 for a front end's default

    friend bool operator==(const LayoutNote&, const LayoutNote&) = default;
};

struct FrontEndLayout {
    std::vector<LayoutControl> controls; ///< control k goes to input k + 1
    std::vector<LayoutNote> notes;       ///< in the order of the file, defaults last
};

/// Why a front end's file gave no layout. The kinds of malformed text come
/// with the line they were found on.
enum class LayoutError {
    None,
    CannotOpen,       ///< detail: "<path>: <what the system says>"
    CannotRead,       ///< the stream broke while it was read
    TooLong,          ///< longer than such a file ever is
    NotASetting,      ///< retroarch.cfg: a line that is no NAME = VALUE; detail: the line
    UnclosedQuote,    ///< retroarch.cfg: detail: the setting whose value's quote is open
    XmlEndsEarly,     ///< detail: the element still open, empty before the first
    XmlUnexpected,    ///< detail: what was found where it cannot be
    XmlMismatchedEnd, ///< detail: the end tag's name
    XmlUnknownEntity, ///< detail: the entity's name
    XmlTooDeep,       ///< elements nested deeper than any configuration's
    NotMameConfig,    ///< detail: the root element's name
};

struct LayoutFailure : Result<LayoutError> {
    int line = 0; ///< where a malformed text went wrong, counted from 1; 0 for the others
};

using FrontEndLayoutRead = Expected<FrontEndLayout, LayoutError, LayoutFailure>;

/// Reads a front end's file, keeping the players 1 to `players` (at most
/// MaximumPlayers).
[[nodiscard]] FrontEndLayoutRead readFrontEndLayout(FrontEnd frontEnd,
                                                    const std::filesystem::path& path, int players);

/// The same from a stream read to its end (standard input).
[[nodiscard]] FrontEndLayoutRead readFrontEndLayout(FrontEnd frontEnd, std::istream& in,
                                                    int players);

/// The same from the file's text.
[[nodiscard]] FrontEndLayoutRead frontEndLayoutFromText(FrontEnd frontEnd, std::string_view text,
                                                        int players);

} // namespace vantrel
