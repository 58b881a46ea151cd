#pragma once

#include "DeviceSettings.h"
#include "modSettings.h"

#include <initializer_list>
#include <random>

// Small helpers for building records and random configurations in tests.
namespace vantrel::testing {

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

/// A random step that is never empty, so sequences built from it stay
/// contiguous.
inline MacroStep randomStep(std::mt19937& random) {
    std::uniform_int_distribution<int> type(0, 3);
    std::uniform_int_distribution<int> value(0, 255);
    std::bernoulli_distribution isPress(0.5);
    MacroStep step{static_cast<std::uint8_t>(type(random)),
                   static_cast<std::uint8_t>(value(random)), isPress(random)};
    if (step.isEmpty()) {
        step.KeyValue = 1;
    }
    return step;
}

/// A random record with contiguous sequences of at most maxSteps each.
inline InputMacro randomMacro(std::mt19937& random, int maxSteps) {
    InputMacro macro;
    std::uniform_int_distribution<int> length(0, maxSteps);
    for (int s = 0; s < SequenceCount; ++s) {
        const int steps = length(random);
        for (int n = 0; n < steps; ++n) {
            macro.step(n, s) = randomStep(random);
        }
    }
    if (!macro.step(0, Activation).isEmpty()) {
        macro.RepeatDelay = static_cast<std::uint8_t>(random() % 8);
    }
    return macro;
}

inline DeviceSettings randomSettings(std::mt19937& random) {
    std::bernoulli_distribution flag(0.5);
    DeviceSettings settings;
    settings.ReverseX = flag(random);
    settings.ReverseY = flag(random);
    settings.ReverseSpinner = flag(random);
    settings.Spinner = static_cast<std::uint8_t>(random() % 3);
    for (bool& axis : settings.Joystick) {
        axis = flag(random);
    }
    for (RotarySwitchSettings& lists : settings.Rotary) {
        lists.MaximumRate = static_cast<std::uint8_t>(random() % 3);
        lists.Divisor = static_cast<std::uint8_t>(random() % 3);
        lists.BufferOverflow = static_cast<std::uint8_t>(random() % 2);
    }
    return settings;
}

/// A random configuration within the size limit: inputs are filled in
/// index order until the next one would not fit.
inline Configuration randomConfiguration(std::mt19937& random) {
    Configuration config;
    std::uniform_int_distribution<int> maxSteps(0, 64);
    const int limit = maxSteps(random);
    for (int i = 0; i < InputCount; ++i) {
        const InputMacro before = config.input(i);
        config.input(i) = randomMacro(random, limit);
        if (configurationSize(config) > MaxConfigSize) {
            config.input(i) = before;
            break;
        }
    }
    for (RotaryKey& key : config.RotaryKeys) {
        key.KeyValue = static_cast<std::uint8_t>(random() % 256);
        key.KeyOperator = key.KeyValue == 0 ? 0 : static_cast<std::uint8_t>(random() % 16);
    }
    return config;
}

} // namespace vantrel::testing
