#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

// The names other programs give the keys, one list per program, so that a
// person can copy a key's name from the program they already use. Each list
// holds what its program calls the keys of a US keyboard, with the usage ID
// (HID usage page 0x07) of the key it means, whether or not the encoder can
// send that key.
namespace vantrel {

enum class SpellingSource {
    DisplayName,  ///< the names this program shows ("Left Ctrl")
    LinuxInput,   ///< the kernel's key names, as evtest prints them ("KEY_LEFTCTRL")
    Mame,         ///< MAME's key codes ("KEYCODE_LCONTROL")
    XKeysym,      ///< X keysyms of the US layout's unshifted keys ("Control_L")
    RetroArch,    ///< RetroArch's configuration names ("ctrl")
    Sdl,          ///< SDL's key names ("Left Ctrl")
    Abbreviation, ///< what people write and keyboards print ("LCtrl", "PgUp")
};

constexpr std::array<SpellingSource, 7> AllSpellingSources = {
    SpellingSource::DisplayName, SpellingSource::LinuxInput, SpellingSource::Mame,
    SpellingSource::XKeysym,     SpellingSource::RetroArch,  SpellingSource::Sdl,
    SpellingSource::Abbreviation};

/// A "usage" above the keyboard page's codes: a key or character a program
/// names that has no usage on the keyboard page at all.
constexpr std::uint16_t NotOnKeyboardPage = 0x100;

struct KeySpelling {
    std::string_view spelling;
    std::uint16_t usage = 0;
};

/// Every spelling of one source. A spelling may appear twice in a list
/// only where it is refused as ambiguous ("Win" is either Win key).
[[nodiscard]] std::span<const KeySpelling> spellingsOf(SpellingSource source);

/// How messages and lists name a source: "Linux input", "MAME", ...
[[nodiscard]] std::string_view sourceName(SpellingSource source);

/// One spelling of the source, to show what its names look like.
[[nodiscard]] std::string_view sourceExample(SpellingSource source);

/// Spellings that mean different keys in different sources (RetroArch's
/// "num5" is the digit row's 5, elsewhere it is the keypad's); they are
/// refused with each meaning, so that nobody gets the other key unawares.
[[nodiscard]] std::span<const std::string_view> refusedSpellings();

/// A spelling that is read as one key although a person may mean another:
/// keypads print "Del", "Ins", "PgUp" and "PgDn" on their digits, and the key
/// picture's "Ent" is the keypad's Enter while most people mean the main one.
struct TwinSpelling {
    std::string_view spelling;
    std::uint8_t meant = 0; ///< the key it is read as
    std::uint8_t other = 0; ///< the key a person may have meant instead
};

/// Every spelling read with a warning that names its twin.
[[nodiscard]] std::span<const TwinSpelling> twinSpellings();

/// Mouse buttons by their Linux input names ("BTN_LEFT"), with their codes.
[[nodiscard]] std::span<const KeySpelling> mouseSpellings();

} // namespace vantrel
