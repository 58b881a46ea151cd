#include "layouts/MameSequence.h"

#include <algorithm>
#include <array>
#include <string>

namespace vantrel {
namespace {

/// The codes of MAME's other devices; anything else is read as a key.
constexpr std::array<std::string_view, 3> OtherDevicePrefixes = {"JOYCODE_", "MOUSECODE_",
                                                                 "GUNCODE_"};

bool isOtherDevice(std::string_view item) {
    return std::any_of(OtherDevicePrefixes.begin(), OtherDevicePrefixes.end(),
                       [item](std::string_view prefix) { return item.starts_with(prefix); });
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

/// The next word of the text, which is left after it; empty at the end.
std::string_view nextWord(std::string_view& text) {
    std::size_t start = 0;
    while (start < text.size() && isBlank(text[start])) {
        ++start;
    }
    std::size_t end = start;
    while (end < text.size() && !isBlank(text[end])) {
        ++end;
    }
    const std::string_view word = text.substr(start, end - start);
    text.remove_prefix(end);
    return word;
}

} // namespace

BindValue mameSequence(std::string_view text) {
    BindValue value;
    BindChord chord;
    const auto endChord = [&] {
        if (!chord.empty()) {
            value.alternatives.push_back(std::move(chord));
        }
        chord.clear();
    };
    for (std::string_view word = nextWord(text); !word.empty(); word = nextWord(text)) {
        if (word == "OR") {
            endChord();
        } else if (word == "NOT") {
            nextWord(text);
        } else if (word != "NONE") {
            chord.push_back({std::string(word), !isOtherDevice(word)});
        }
    }
    endChord();
    return value;
}

} // namespace vantrel
