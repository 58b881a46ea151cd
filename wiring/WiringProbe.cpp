#include "wiring/WiringProbe.h"

#include "keytext/JoystickCodes.h"

#include <array>

namespace vantrel {
namespace {

/// F13 to F24 alone, then with each modifier: the keys in the probe's order.
constexpr std::array<std::uint8_t, 4> ProbeModifiers = {0, OperatorShift, OperatorCtrl,
                                                        OperatorAlt};

/// The n-th key of the probe (0 = F13 alone).
RotaryKey probeKey(int n) {
    const auto modifier = static_cast<std::size_t>(n / ProbeKeysPerModifier);
    return {static_cast<std::uint8_t>(ProbeFirstKey + n % ProbeKeysPerModifier),
            ProbeModifiers.at(modifier)};
}

Configuration makeProbe() {
    Configuration probe;
    int key = 0;
    for (int input = 0; input < InputCount; ++input) {
        if (input < JoystickButtonCount) {
            encodeSingleKey(KeyTypeJoystick, static_cast<std::uint8_t>(input), 0,
                            probe.input(input));
        } else {
            const RotaryKey sent = probeKey(key++);
            encodeSingleKey(KeyTypeKeyboard, sent.KeyValue, sent.KeyOperator, probe.input(input));
        }
    }
    for (int direction = 0; direction < RotaryKeyCount; ++direction) {
        probe.rotaryKey(direction) = probeKey(key++);
    }
    return probe;
}

} // namespace

const Configuration& wiringProbe() {
    static const Configuration probe = makeProbe();
    return probe;
}

bool isWiringProbe(const Configuration& config) {
    return config.InputMacros == wiringProbe().InputMacros &&
           config.RotaryKeys == wiringProbe().RotaryKeys;
}

} // namespace vantrel
