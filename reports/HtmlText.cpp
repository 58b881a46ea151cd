#include "reports/HtmlText.h"

namespace vantrel {
namespace {

constexpr std::string_view ReplacementCharacter = "\xEF\xBF\xBD";

bool isContinuation(unsigned byte, unsigned low = 0x80, unsigned high = 0xBF) {
    return byte >= low && byte <= high;
}

/// The length of the well-formed UTF-8 sequence at the start of `text`, or
/// 0 when there is none; only the shortest form of a scalar value counts.
std::size_t sequenceLength(std::string_view text) {
    const auto byte = [&text](std::size_t i) {
        return i < text.size() ? unsigned{static_cast<unsigned char>(text[i])} : 0U;
    };
    const unsigned lead = byte(0);
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return isContinuation(byte(1)) ? 2 : 0;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        const unsigned low = lead == 0xE0 ? 0xA0U : 0x80U;
        const unsigned high = lead == 0xED ? 0x9FU : 0xBFU;
        return isContinuation(byte(1), low, high) && isContinuation(byte(2)) ? 3 : 0;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        const unsigned low = lead == 0xF0 ? 0x90U : 0x80U;
        const unsigned high = lead == 0xF4 ? 0x8FU : 0xBFU;
        return isContinuation(byte(1), low, high) && isContinuation(byte(2)) &&
                       isContinuation(byte(3))
                   ? 4
                   : 0;
    }
    return 0;
}

} // namespace

std::string htmlText(std::string_view text) {
    std::string html;
    html.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = sequenceLength(text.substr(at));
        if (length != 1) {
            html += length == 0 ? ReplacementCharacter : text.substr(at, length);
            at += length == 0 ? 1 : length;
            continue;
        }
        const char c = text[at++];
        switch (c) {
        case '&':
            html += "&amp;";
            break;
        case '<':
            html += "&lt;";
            break;
        case '>':
            html += "&gt;";
            break;
        case '"':
            html += "&quot;";
            break;
        case '\'':
            html += "&#39;";
            break;
        default:
            html += c;
        }
    }
    return html;
}

} // namespace vantrel
