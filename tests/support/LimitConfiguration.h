#pragma once

#include "model/modSettings.h"

// The largest configuration the editing commands accept, for the transfer
// tests and the benchmark.
namespace vantrel::testing {

/// 2016 non-empty steps, spread over every input and both sequences: an input
/// table of exactly MaxConfigSize bytes.
inline Configuration configurationAtTheLimit() {
    Configuration config;
    for (int i = 0; i < InputCount; ++i) {
        InputMacro& macro = config.input(i);
        const int steps = i < 72 ? 19 : 18;
        for (int n = 0; n < steps; ++n) {
            const int sequence = n < 10 ? Activation : Deactivation;
            MacroStep& step = macro.step(n % 10, sequence);
            step.KeyType = KeyTypeKeyboard;
            step.KeyValue = static_cast<std::uint8_t>(4 + (i + n) % 90);
            step.PressRelease = sequence == Activation;
        }
        macro.RepeatDelay = static_cast<std::uint8_t>(i % 8);
    }
    return config;
}

} // namespace vantrel::testing
