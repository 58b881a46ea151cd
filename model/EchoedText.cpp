#include "model/EchoedText.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace vantrel {
namespace {

constexpr std::string_view Ellipsis = "\u2026";

/// One character of UTF-8 text: its code point and length in bytes; a
/// length of 0 for a byte that starts no valid character.
struct Decoded {
    char32_t point = 0;
    std::size_t length = 0;
};

Decoded decodeAt(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) {
        return {lead, 1};
    }
    const std::size_t length = lead >= 0xC2 && lead < 0xE0   ? 2
                               : lead >= 0xE0 && lead < 0xF0 ? 3
                               : lead >= 0xF0 && lead < 0xF5 ? 4
                                                             : 0;
    if (length == 0 || at + length > text.size()) {
        return {};
    }
    char32_t point = lead & (0x7FU >> length);
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[at + k]);
        if ((next & 0xC0U) != 0x80U) {
            return {};
        }
        point = (point << 6) | (next & 0x3FU);
    }
    // Overlong forms, surrogates and points past Unicode are not characters.
    constexpr std::array<char32_t, 5> Smallest = {0, 0, 0x80, 0x800, 0x10000};
    if (point < Smallest.at(length) || (point >= 0xD800 && point < 0xE000) || point > 0x10FFFF) {
        return {};
    }
    return {point, length};
}

std::string hexEscape(char prefix, std::uint32_t value, int digits) {
    constexpr std::string_view Hex = "0123456789abcdef";
    std::string escape = {'\\', prefix};
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) {
        escape += Hex[(value >> static_cast<unsigned>(shift)) & 0xFU];
    }
    return escape;
}

/// The two-character escapes JSON has for some controls; empty for others.
std::string_view jsonShortEscape(char32_t c) {
    switch (c) {
    case U'\b':
        return "\\b";
    case U'\f':
        return "\\f";
    case U'\n':
        return "\\n";
    case U'\r':
        return "\\r";
    case U'\t':
        return "\\t";
    default:
        return {};
    }
}

/// Escapes up to `limit` characters of `text`; true when it all fitted.
bool appendEscaped(std::string& out, std::string_view text, bool keepLineFeeds, std::size_t limit) {
    std::size_t characters = 0;
    for (std::size_t at = 0; at < text.size(); ++characters) {
        if (characters == limit) {
            return false;
        }
        const Decoded c = decodeAt(text, at);
        if (c.length == 0) {
            out += hexEscape('x', static_cast<unsigned char>(text[at]), 2);
            ++at;
            continue;
        }
        if (!movesOrReorders(c.point) || (keepLineFeeds && c.point == U'\n')) {
            out.append(text.substr(at, c.length));
        } else if (c.point < 0x80) {
            out += hexEscape('x', c.point, 2);
        } else {
            out += hexEscape('u', c.point, 4);
        }
        at += c.length;
    }
    return true;
}

} // namespace

bool movesOrReorders(char32_t c) {
    // U+061C, U+200E and U+200F are the direction marks.
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x061C || c == 0x200E || c == 0x200F ||
           (c >= 0x2028 && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

std::string escapedText(std::string_view text, bool keepLineFeeds) {
    std::string out;
    appendEscaped(out, text, keepLineFeeds, std::string_view::npos);
    return out;
}

std::string jsonEscapedText(std::string_view text) {
    constexpr std::string_view Replacement = "\uFFFD";
    std::string out;
    for (std::size_t at = 0; at < text.size();) {
        const Decoded c = decodeAt(text, at);
        if (c.length == 0) {
            // Text the program did not make (a device path, a serial number)
            // may hold bytes that are not UTF-8; the document still goes out.
            out += Replacement;
            ++at;
            continue;
        }
        if (c.point == U'"' || c.point == U'\\') {
            out += '\\';
            out += static_cast<char>(c.point);
        } else if (const std::string_view shortForm = jsonShortEscape(c.point);
                   !shortForm.empty()) {
            out += shortForm;
        } else if (movesOrReorders(c.point)) {
            out += hexEscape('u', c.point, 4);
        } else {
            out.append(text.substr(at, c.length));
        }
        at += c.length;
    }
    return out;
}

std::string echoedPath(std::string_view path) {
    std::vector<std::size_t> starts; // where each character begins
    for (std::size_t at = 0; at < path.size();) {
        starts.push_back(at);
        at += std::max<std::size_t>(decodeAt(path, at).length, 1);
    }
    if (starts.size() <= EchoedPathLength) {
        return escapedText(path);
    }
    // The start names where it is, the end the file itself; the ellipsis
    // takes the place of one character.
    constexpr std::size_t Head = EchoedPathLength / 2;
    constexpr std::size_t Tail = EchoedPathLength - Head - 1;
    return escapedText(path.substr(0, starts[Head])) + std::string(Ellipsis) +
           escapedText(path.substr(starts[starts.size() - Tail]));
}

std::string echoedValue(std::string_view text) {
    std::string out;
    if (!appendEscaped(out, text, false, EchoedValueLength)) {
        out += Ellipsis;
    }
    return out;
}

} // namespace vantrel
