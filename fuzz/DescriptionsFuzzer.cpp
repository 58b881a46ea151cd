// Runs the descriptions and display names over arbitrary records: every
// field may hold any byte, as a record read from a damaged device may. None
// may crash, and every text they make must be non-empty.
#include "fuzz/FuzzCheck.h"
#include "keytext/modKeyText.h"
#include "model/CodeNames.h"
#include "model/ConfigurationFindings.h"
#include "model/describeMacro.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace {

using namespace vantrel;

/// Hands out the fuzzer's bytes one at a time, then zeros.
class ByteSource {
public:
    ByteSource(const std::uint8_t* data, std::size_t size)
        : data_(data)
        , size_(size) {}

    std::uint8_t next() { return position_ < size_ ? data_[position_++] : 0; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
};

/// Steps are filled from the bytes in order; the rest of the record stays
/// empty, so short inputs still reach every input's rules.
void fillConfiguration(ByteSource& bytes, Configuration& config) {
    for (RotaryKey& key : config.RotaryKeys) {
        key = RotaryKey{bytes.next(), bytes.next()};
    }
    const int inputs = bytes.next() % 8 + 1;
    for (int i = 0; i < inputs; ++i) {
        InputMacro& macro = config.input(bytes.next() % InputCount);
        macro.RepeatDelay = bytes.next();
        for (int s = 0; s < SequenceCount; ++s) {
            const int steps = bytes.next() % (StepsPerSequence + 1);
            for (int n = 0; n < steps; ++n) {
                const std::uint8_t flags = bytes.next();
                macro.step(n, s) = MacroStep{static_cast<std::uint8_t>(flags >> 1), bytes.next(),
                                             (flags & 1U) != 0};
            }
        }
    }
}

/// A name the readable format writes for a code must read back as that code.
void checkCodeNames(std::uint8_t code) {
    for (const CodeKind kind : {CodeKind::Key, CodeKind::Mouse, CodeKind::Joystick}) {
        const CodeText text = codeText(kind, code);
        if (const auto* name = std::get_if<std::string>(&text)) {
            FUZZ_CHECK(codeNamed(kind, *name) == code);
        }
    }
}

void describeEverything(const Configuration& config) {
    for (const RotaryKey& key : config.RotaryKeys) {
        FUZZ_CHECK(!describeRotaryKey(key).empty());
    }
    // Untouched records are all alike; describing each filled one is enough.
    for (const InputMacro& macro : config.InputMacros) {
        if (macro == InputMacro{}) {
            continue;
        }
        FUZZ_CHECK(!describeMacro(true, macro).empty());
        FUZZ_CHECK(!describeMacro(false, macro).empty());
        for (const auto& sequence : macro.Steps) {
            for (const MacroStep& step : sequence) {
                FUZZ_CHECK(!stepName(step).empty());
            }
        }
    }
    FUZZ_CHECK(!describeMacro(true, InputMacro{}).empty());
    for (const Finding& finding : configurationFindings(config)) {
        FUZZ_CHECK(!describeFinding(finding).empty());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ByteSource bytes(data, size);
    for (int code = 0; code < 4; ++code) {
        const std::uint8_t value = bytes.next();
        FUZZ_CHECK(!keyName(value).empty());
        FUZZ_CHECK(!mouseName(value).empty());
        FUZZ_CHECK(!joystickName(value).empty());
        (void)modifierText(value);
        checkCodeNames(value);
    }
    Configuration config;
    fillConfiguration(bytes, config);
    describeEverything(config);
    for (const CodeKind kind : {CodeKind::Key, CodeKind::Mouse, CodeKind::Joystick}) {
        (void)codeNamed(kind, std::string_view(reinterpret_cast<const char*>(data), size));
    }
    FUZZ_CHECK(!sizeLine(config).empty());
    return 0;
}
