#pragma once

#include "monitor/InputEvent.h"

#include <array>
#include <cstdint>
#include <optional>
#include <utility>
#include <variant>
#include <vector>

// Turns one device's raw events into presses and releases of what the
// encoder can send (keys by usage ID, mouse buttons, joystick buttons and
// hat directions) and into motion.
namespace vantrel {

struct ControlEvent {
    std::int64_t microseconds = 0;
    std::uint8_t keyType = 0; ///< KeyTypeKeyboard, KeyTypeMouse or KeyTypeJoystick
    /// The codes in the configuration's numbering that could have sent it:
    /// for a key every usage the kernel maps to its key code (one when
    /// MSC_SCAN named it); none when the encoder cannot send it.
    std::vector<std::uint8_t> values;
    std::uint16_t linuxCode = 0; ///< the key code, for naming what has no value
    bool pressed = true;

    friend bool operator==(const ControlEvent&, const ControlEvent&) = default;
};

struct MotionEvent {
    std::int64_t microseconds = 0;
    std::uint16_t type = 0; ///< EV_REL or EV_ABS
    std::uint16_t code = 0;
    std::int32_t value = 0;
};

using DecodedEvent = std::variant<ControlEvent, MotionEvent>;

/// What a press and its release have in common: the key code of a key or
/// button (a release may come without the MSC_SCAN its press had), the
/// joystick code of a hat direction.
using ControlIdentity = std::pair<std::uint8_t, std::uint16_t>;
[[nodiscard]] ControlIdentity controlIdentity(const ControlEvent& control);

/// Decodes the events of one device. Key autorepeat is dropped; a hat's new
/// direction is taken at the end of the frame, so that moving from E to N
/// is one change and not a pass through the centre.
class EventDecoder {
public:
    [[nodiscard]] std::vector<DecodedEvent> decode(const InputEvent& event);

private:
    struct Hat {
        int x = 0;
        int y = 0;
    };

    [[nodiscard]] ControlEvent decodeKey(const InputEvent& event);
    void finishFrame(std::int64_t microseconds, std::vector<DecodedEvent>& out);

    std::optional<std::uint8_t> scannedUsage_;
    std::array<Hat, 4> hats_{};
    std::array<Hat, 4> reportedHats_{};
};

/// The joystick code of hat `hat` (0..3) pointing at (x, y) with y negative
/// upwards, or nothing when centred.
[[nodiscard]] std::optional<std::uint8_t> hatCode(int hat, int x, int y);

} // namespace vantrel
