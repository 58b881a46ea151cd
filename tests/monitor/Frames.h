#pragma once

#include "monitor/EventCodes.h"
#include "monitor/InputEvent.h"

#include <cmath>
#include <map>
#include <sstream>
#include <string>
#include <vector>

// Recordings written the short way for the monitor's tests: frames apart by
// ';', each its time in seconds, then its events: a key by name with '+'
// (pressed) or '-' (let go), relative motion as an axis and its change
// ("X-3"). Each frame ends with its SYN_REPORT.
namespace vantrel::testing {

inline std::vector<InputEvent> frames(const std::string& text) {
    static const std::map<std::string, std::uint16_t> keys = {
        {"Ctrl", 0x1d}, {"Shift", 0x2a}, {"Alt", 0x38}, {"A", 0x1e},  {"P", 0x19},  {"Z", 0x2c},
        {"Left", 0x69}, {"1", 0x02},     {"5", 0x06},   {"F7", 0x41}, {"Win", 0x7d}};
    static const std::map<std::string, std::uint16_t> axes = {
        {"X", evdev::RelX}, {"Y", evdev::RelY}, {"Wheel", evdev::RelWheel}};
    std::vector<InputEvent> events;
    std::istringstream in(text);
    for (std::string frame; std::getline(in, frame, ';');) {
        std::istringstream words(frame);
        double seconds = 0;
        words >> seconds;
        const std::int64_t time = std::llround(seconds * 1e6);
        for (std::string word; words >> word;) {
            const std::size_t sign = word.find_first_of("+-", 1);
            const std::string name = word.substr(0, sign);
            if (sign == word.size() - 1) {
                events.push_back({time, evdev::EvKey, keys.at(name), word.back() == '+' ? 1 : 0});
            } else {
                events.push_back({time, evdev::EvRel, axes.at(name), std::stoi(word.substr(sign))});
            }
        }
        events.push_back({time, evdev::EvSyn, evdev::SynReport, 0});
    }
    return events;
}

} // namespace vantrel::testing
