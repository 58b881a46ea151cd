#pragma once

#include "keytext/KeySpellingSources.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// All the programs' names for the keys joined into one: what a name a person
// typed means, and every other name of a key.
namespace vantrel {

/// One key a spelling stands for, and the sources that spell it so.
struct KeyMeaning {
    /// The key's code; empty for a key the encoder cannot send (F13, a
    /// media key, a shifted character). Every such key is one meaning: to
    /// the encoder they are all the same refusal.
    std::optional<std::uint8_t> code;
    std::vector<SpellingSource> sources;
};

/// The spelling in lower case, as names are compared.
[[nodiscard]] std::string foldedSpelling(std::string_view spelling);

/// The fewest single-character insertions, deletions and replacements that
/// turn one spelling into the other, without regard to case.
[[nodiscard]] std::size_t spellingDistance(std::string_view a, std::string_view b);

/// Every meaning of `spelling` in any source, without regard to case, in
/// the order of the sources: empty when no source knows it, more than one
/// when sources disagree.
[[nodiscard]] std::vector<KeyMeaning> meaningsOf(std::string_view spelling);

/// The twin entry of `spelling`, without regard to case, when it is read
/// as one key that a person may not have meant.
[[nodiscard]] std::optional<TwinSpelling> twinOf(std::string_view spelling);

/// The other spellings of a key the encoder has, one per spelling without
/// regard to case, in the order of the sources; neither its display name
/// nor a refused spelling.
[[nodiscard]] std::vector<std::string_view> otherSpellingsOf(std::uint8_t code);

/// Every spelling that means exactly one key the encoder has, display
/// names first: what a mistyped name is compared with.
[[nodiscard]] const std::vector<KeySpelling>& encoderKeySpellings();

} // namespace vantrel
