#include "keytext/KeyCodeTable.h"

#include <algorithm>
#include <array>

namespace vantrel {
namespace {

// As drivers/hid/hid-input.c maps page 0x07; usages it leaves unmapped are
// not listed.
constexpr std::array<UsageKeyCode, 170> Table = {{
    // Letters A to Z.
    {0x04, 30},
    {0x05, 48},
    {0x06, 46},
    {0x07, 32},
    {0x08, 18},
    {0x09, 33},
    {0x0a, 34},
    {0x0b, 35},
    {0x0c, 23},
    {0x0d, 36},
    {0x0e, 37},
    {0x0f, 38},
    {0x10, 50},
    {0x11, 49},
    {0x12, 24},
    {0x13, 25},
    {0x14, 16},
    {0x15, 19},
    {0x16, 31},
    {0x17, 20},
    {0x18, 22},
    {0x19, 47},
    {0x1a, 17},
    {0x1b, 45},
    {0x1c, 21},
    {0x1d, 44},
    // Digits 1 to 0.
    {0x1e, 2},
    {0x1f, 3},
    {0x20, 4},
    {0x21, 5},
    {0x22, 6},
    {0x23, 7},
    {0x24, 8},
    {0x25, 9},
    {0x26, 10},
    {0x27, 11},
    // Enter, Esc, Backspace, Tab, Space, punctuation; 0x31 and 0x32 share a key.
    {0x28, 28},
    {0x29, 1},
    {0x2a, 14},
    {0x2b, 15},
    {0x2c, 57},
    {0x2d, 12},
    {0x2e, 13},
    {0x2f, 26},
    {0x30, 27},
    {0x31, 43},
    {0x32, 43},
    {0x33, 39},
    {0x34, 40},
    {0x35, 41},
    {0x36, 51},
    {0x37, 52},
    {0x38, 53},
    {0x39, 58},
    // F1 to F12, then the editing and arrow block.
    {0x3a, 59},
    {0x3b, 60},
    {0x3c, 61},
    {0x3d, 62},
    {0x3e, 63},
    {0x3f, 64},
    {0x40, 65},
    {0x41, 66},
    {0x42, 67},
    {0x43, 68},
    {0x44, 87},
    {0x45, 88},
    {0x46, 99},
    {0x47, 70},
    {0x48, 119},
    {0x49, 110},
    {0x4a, 102},
    {0x4b, 104},
    {0x4c, 111},
    {0x4d, 107},
    {0x4e, 109},
    {0x4f, 106},
    {0x50, 105},
    {0x51, 108},
    {0x52, 103},
    // Keypad.
    {0x53, 69},
    {0x54, 98},
    {0x55, 55},
    {0x56, 74},
    {0x57, 78},
    {0x58, 96},
    {0x59, 79},
    {0x5a, 80},
    {0x5b, 81},
    {0x5c, 75},
    {0x5d, 76},
    {0x5e, 77},
    {0x5f, 71},
    {0x60, 72},
    {0x61, 73},
    {0x62, 82},
    {0x63, 83},
    // Non-US backslash, application (compose), power, keypad =, F13 to F24.
    {0x64, 86},
    {0x65, 127},
    {0x66, 116},
    {0x67, 117},
    {0x68, 183},
    {0x69, 184},
    {0x6a, 185},
    {0x6b, 186},
    {0x6c, 187},
    {0x6d, 188},
    {0x6e, 189},
    {0x6f, 190},
    {0x70, 191},
    {0x71, 192},
    {0x72, 193},
    {0x73, 194},
    // Execute, help, menu, select, stop, again, undo, cut, copy, paste, find,
    // mute, volume up and down.
    {0x74, 134},
    {0x75, 138},
    {0x76, 130},
    {0x77, 132},
    {0x78, 128},
    {0x79, 129},
    {0x7a, 131},
    {0x7b, 137},
    {0x7c, 133},
    {0x7d, 135},
    {0x7e, 136},
    {0x7f, 113},
    {0x80, 115},
    {0x81, 114},
    // Keypad comma, the international and language keys, clear.
    {0x85, 121},
    {0x87, 89},
    {0x88, 93},
    {0x89, 124},
    {0x8a, 92},
    {0x8b, 94},
    {0x8c, 95},
    {0x90, 122},
    {0x91, 123},
    {0x92, 90},
    {0x93, 91},
    {0x94, 85},
    {0x9c, 111},
    // Keypad parentheses, keypad clear.
    {0xb6, 179},
    {0xb7, 180},
    {0xd8, 111},
    // The eight modifiers.
    {0xe0, 29},
    {0xe1, 42},
    {0xe2, 56},
    {0xe3, 125},
    {0xe4, 97},
    {0xe5, 54},
    {0xe6, 100},
    {0xe7, 126},
    // Media keys some keyboards send on this page.
    {0xe8, 164},
    {0xe9, 166},
    {0xea, 165},
    {0xeb, 163},
    {0xec, 161},
    {0xed, 115},
    {0xee, 114},
    {0xef, 113},
    {0xf0, 150},
    {0xf1, 158},
    {0xf2, 159},
    {0xf3, 128},
    {0xf4, 136},
    {0xf5, 177},
    {0xf6, 178},
    {0xf7, 176},
    {0xf8, 142},
    {0xf9, 152},
    {0xfa, 173},
    {0xfb, 140},
}};

} // namespace

std::span<const UsageKeyCode> usageKeyCodes() {
    return Table;
}

std::uint16_t keyCodeOfUsage(std::uint8_t usage) {
    const auto* found = std::ranges::find(Table, usage, &UsageKeyCode::usage);
    return found == Table.end() ? 0 : found->keyCode;
}

std::vector<std::uint8_t> usagesOfKeyCode(std::uint16_t keyCode) {
    std::vector<std::uint8_t> usages;
    for (const UsageKeyCode& entry : Table) {
        if (entry.keyCode == keyCode) {
            usages.push_back(entry.usage);
        }
    }
    return usages;
}

} // namespace vantrel
