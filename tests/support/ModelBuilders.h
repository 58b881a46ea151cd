#pragma once

#include "model/DeviceImage.h"
#include "model/DeviceSettings.h"
#include "model/modSettings.h"

#include <initializer_list>
#include <random>
#include <stdexcept>

// Small helpers for building records and random configurations in tests.
namespace vantrel::testing {

/// The usages of the keys the tests assign most.
inline constexpr std::uint8_t KeyA = 4;
inline constexpr std::uint8_t KeyB = 5;
inline constexpr std::uint8_t KeyC = 6;

inline MacroStep press(std::uint8_t keyType, std::uint8_t value) {
    return {keyType, value, true};
}
inline MacroStep release(std::uint8_t keyType, std::uint8_t value) {
    return {keyType, value, false};
}
inline MacroStep keyDown(std::uint8_t key) {
    return press(KeyTypeKeyboard, key);
}
inline MacroStep keyUp(std::uint8_t key) {
    return release(KeyTypeKeyboard, key);
}
inline MacroStep delay(std::uint8_t tens) {
    return press(KeyTypeDelay, tens);
}

/// A record whose sequences hold exactly the given steps, in order.
inline InputMacro macroOf(std::initializer_list<MacroStep> activation,
                          std::initializer_list<MacroStep> deactivation = {},
                          std::uint8_t repeatDelay = 0) {
    InputMacro macro;
    int n = 0;
    for (const MacroStep& step : activation) {
        macro.step(n++, Activation) = step;
    }
    n = 0;
    for (const MacroStep& step : deactivation) {
        macro.step(n++, Deactivation) = step;
    }
    macro.RepeatDelay = repeatDelay;
    return macro;
}

/// A record whose every step, in both sequences, is a delay.
inline InputMacro fullMacro() {
    InputMacro macro;
    for (int s = 0; s < SequenceCount; ++s) {
        for (int n = 0; n < StepsPerSequence; ++n) {
            macro.step(n, s) = delay(static_cast<std::uint8_t>(n));
        }
    }
    return macro;
}

/// A number below `bound`, drawn without a distribution so that a seed gives
/// the same configurations with every standard library.
inline std::uint8_t below(std::mt19937& random, unsigned bound) {
    return static_cast<std::uint8_t>(random() % bound);
}

/// A random record with contiguous sequences of at most maxSteps each: no
/// step is empty.
inline InputMacro randomMacro(std::mt19937& random, int maxSteps) {
    InputMacro macro;
    for (int s = 0; s < SequenceCount; ++s) {
        const int steps = below(random, static_cast<unsigned>(maxSteps) + 1);
        for (int n = 0; n < steps; ++n) {
            MacroStep& step = macro.step(n, s);
            step = {below(random, 4), below(random, 256), below(random, 2) == 1};
            if (step.isEmpty()) {
                step.KeyValue = 1;
            }
        }
    }
    if (!macro.step(0, Activation).isEmpty()) {
        macro.RepeatDelay = below(random, 8);
    }
    return macro;
}

inline DeviceSettings randomSettings(std::mt19937& random) {
    DeviceSettings settings{below(random, 2) == 1, below(random, 2) == 1, below(random, 2) == 1,
                            below(random, 3)};
    for (bool& axis : settings.Joystick) {
        axis = below(random, 2) == 1;
    }
    for (RotarySwitchSettings& lists : settings.Rotary) {
        lists = {below(random, 3), below(random, 3), below(random, 2)};
    }
    return settings;
}

/// A random configuration within the size limit: inputs are filled in
/// index order until the next one would not fit.
inline Configuration randomConfiguration(std::mt19937& random) {
    Configuration config;
    const int limit = below(random, 65);
    for (int i = 0; i < InputCount; ++i) {
        const InputMacro before = config.input(i);
        config.input(i) = randomMacro(random, limit);
        if (configurationSize(config) > MaxConfigSize) {
            config.input(i) = before;
            break;
        }
    }
    for (RotaryKey& key : config.RotaryKeys) {
        key.KeyValue = below(random, 256);
        key.KeyOperator = key.KeyValue == 0 ? 0 : below(random, 16);
    }
    return config;
}

/// The image of a configuration the test knows to fit; every byte is
/// written, none left from the 0xEE it starts with.
inline DeviceImage imageOf(const Configuration& config, const DeviceSettings& settings = {}) {
    DeviceImage image;
    image.fill(0xEE);
    if (!buildDeviceImage(image, config, settings)) {
        throw std::length_error("the test's configuration does not fit the image");
    }
    return image;
}

} // namespace vantrel::testing
