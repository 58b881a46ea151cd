#include "monitor/EventDecoder.h"

#include "keytext/JoystickCodes.h"
#include "keytext/KeyCodeTable.h"
#include "model/modSettings.h"
#include "monitor/EventCodes.h"

namespace vantrel {
namespace {

constexpr int JoystickButtonsPerBlock = 16;

int sign(std::int32_t value) {
    return (value > 0) - (value < 0);
}

std::optional<std::uint8_t> mouseCode(std::uint16_t code) {
    if (code >= evdev::BtnLeft && code <= evdev::BtnMiddle) {
        return static_cast<std::uint8_t>(code - evdev::BtnLeft);
    }
    return std::nullopt;
}

// The kernel numbers a joystick's or gamepad's first 16 buttons from their own
// base and the rest from BTN_TRIGGER_HAPPY.
std::optional<std::uint8_t> joystickButton(std::uint16_t code) {
    for (const std::uint16_t base : {evdev::BtnJoystick, evdev::BtnGamepad}) {
        if (code >= base && code < base + JoystickButtonsPerBlock) {
            return static_cast<std::uint8_t>(code - base);
        }
    }
    if (code >= evdev::BtnTriggerHappy &&
        code < evdev::BtnTriggerHappy + JoystickButtonCount - JoystickButtonsPerBlock) {
        return static_cast<std::uint8_t>(code - evdev::BtnTriggerHappy + JoystickButtonsPerBlock);
    }
    return std::nullopt;
}

std::optional<int> hatOfAxis(std::uint16_t code) {
    if (code >= evdev::AbsHat0X && code < evdev::AbsHat0X + 2 * evdev::HatAxisPairs) {
        return (code - evdev::AbsHat0X) / 2;
    }
    return std::nullopt;
}

} // namespace

std::optional<std::uint8_t> hatCode(int hat, int x, int y) {
    // Directions N, NE, E, SE, S, SW, W, NW by (x + 1, y + 1); -1 is the centre.
    constexpr std::array<std::array<int, 3>, 3> directionAt = {{
        {7, 6, 5},  // x = -1: NW, W, SW
        {0, -1, 4}, // x = 0: N, centre, S
        {1, 2, 3},  // x = 1: NE, E, SE
    }};
    const int column = x + 1;
    const int row = y + 1;
    const int direction =
        directionAt.at(static_cast<std::size_t>(column)).at(static_cast<std::size_t>(row));
    if (direction < 0) {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(FirstHatCode + HatDirectionCount * hat + direction);
}

ControlIdentity controlIdentity(const ControlEvent& control) {
    const bool hat = control.linuxCode == 0 && !control.values.empty();
    return {control.keyType, hat ? control.values.front() : control.linuxCode};
}

std::vector<DecodedEvent> EventDecoder::decode(const InputEvent& event) {
    std::vector<DecodedEvent> out;
    switch (event.type) {
    case evdev::EvMsc:
        if (event.code == evdev::MscScan &&
            static_cast<std::uint32_t>(event.value) >> 16 == evdev::KeyboardUsagePage) {
            scannedUsage_ = static_cast<std::uint8_t>(event.value & 0xff);
        }
        break;
    case evdev::EvKey:
        if (event.value != evdev::KeyAutorepeat) {
            out.emplace_back(decodeKey(event));
        }
        scannedUsage_.reset();
        break;
    case evdev::EvAbs:
        if (const auto hat = hatOfAxis(event.code)) {
            Hat& state = hats_.at(static_cast<std::size_t>(*hat));
            ((event.code - evdev::AbsHat0X) % 2 == 0 ? state.x : state.y) = sign(event.value);
        } else {
            out.emplace_back(MotionEvent{event.microseconds, event.type, event.code, event.value});
        }
        break;
    case evdev::EvRel:
        out.emplace_back(MotionEvent{event.microseconds, event.type, event.code, event.value});
        break;
    case evdev::EvSyn:
        if (event.code == evdev::SynReport) {
            finishFrame(event.microseconds, out);
            scannedUsage_.reset();
        }
        break;
    default:
        break;
    }
    return out;
}

ControlEvent EventDecoder::decodeKey(const InputEvent& event) {
    ControlEvent control{
        event.microseconds, KeyTypeKeyboard, {}, event.code, event.value == evdev::KeyPressed};
    if (const auto mouse = mouseCode(event.code)) {
        control.keyType = KeyTypeMouse;
        control.values = {*mouse};
    } else if (const auto button = joystickButton(event.code)) {
        control.keyType = KeyTypeJoystick;
        control.values = {*button};
    } else if (scannedUsage_) {
        control.values = {*scannedUsage_};
    } else {
        control.values = usagesOfKeyCode(event.code);
    }
    return control;
}

void EventDecoder::finishFrame(std::int64_t microseconds, std::vector<DecodedEvent>& out) {
    for (std::size_t hat = 0; hat < hats_.size(); ++hat) {
        const Hat now = hats_.at(hat);
        Hat& before = reportedHats_.at(hat);
        if (now.x == before.x && now.y == before.y) {
            continue;
        }
        const int index = static_cast<int>(hat);
        if (const auto code = hatCode(index, before.x, before.y)) {
            out.emplace_back(ControlEvent{microseconds, KeyTypeJoystick, {*code}, 0, false});
        }
        if (const auto code = hatCode(index, now.x, now.y)) {
            out.emplace_back(ControlEvent{microseconds, KeyTypeJoystick, {*code}, 0, true});
        }
        before = now;
    }
}

} // namespace vantrel
