#pragma once

#include "monitor/EventCodes.h"
#include "monitor/InputEvent.h"

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

// A person's presses on a panel that holds the wiring probe, written the
// short way: words apart by blanks, each an input by its number ("5", "70"),
// a rotary direction ("r1" to "r4", the probe's order), or a key of the
// computer's own keyboard ("enter", "bs"). Each press is held 50 ms and the
// next comes 300 ms later.
namespace vantrel::testing {

inline void probePress(std::vector<InputEvent>& events, std::int64_t at,
                       const std::vector<std::uint16_t>& keys) {
    for (const std::int32_t value : {1, 0}) {
        const std::int64_t time = at + (value == 0 ? 50'000 : 0);
        for (const std::uint16_t key : keys) {
            events.push_back({time, evdev::EvKey, key, value});
        }
        events.push_back({time, evdev::EvSyn, evdev::SynReport, 0});
    }
}

/// The kernel's codes that the probe sends for input `number` (1..108) or,
/// past them, rotary direction number - 108.
inline std::vector<std::uint16_t> probeCodes(int number) {
    constexpr std::uint16_t KeyF13 = 183;
    const std::uint16_t modifiers[] = {0, 42, 29, 56}; // none, Shift, Ctrl, Alt
    if (number <= 16) {
        return {static_cast<std::uint16_t>(evdev::BtnJoystick + number - 1)};
    }
    if (number <= 64) {
        return {static_cast<std::uint16_t>(evdev::BtnTriggerHappy + number - 17)};
    }
    const int key = number - 65;
    const auto f = static_cast<std::uint16_t>(KeyF13 + key % 12);
    const std::uint16_t modifier = modifiers[key / 12];
    return modifier == 0 ? std::vector<std::uint16_t>{f} : std::vector<std::uint16_t>{modifier, f};
}

inline std::vector<InputEvent> probePresses(const std::string& script, double startSeconds = 1.0) {
    std::vector<InputEvent> events;
    auto at = static_cast<std::int64_t>(startSeconds * 1e6);
    std::istringstream words(script);
    for (std::string word; words >> word; at += 300'000) {
        if (word == "enter") {
            probePress(events, at, {28});
        } else if (word == "bs") {
            probePress(events, at, {14});
        } else if (word.starts_with('r')) {
            probePress(events, at, probeCodes(108 + std::stoi(word.substr(1))));
        } else {
            probePress(events, at, probeCodes(std::stoi(word)));
        }
    }
    return events;
}

/// The events as evemu-record writes them.
inline std::string evemuText(const std::vector<InputEvent>& events) {
    std::string text = "N: VANTREL\n";
    for (const InputEvent& event : events) {
        char line[64];
        std::snprintf(line, sizeof line, "E: %lld.%06lld %04x %04x %d\n",
                      static_cast<long long>(event.microseconds / 1'000'000),
                      static_cast<long long>(event.microseconds % 1'000'000),
                      static_cast<unsigned>(event.type), static_cast<unsigned>(event.code),
                      static_cast<int>(event.value));
        text += line;
    }
    return text;
}

} // namespace vantrel::testing
