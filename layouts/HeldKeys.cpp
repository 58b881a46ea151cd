#include "layouts/HeldKeys.h"

namespace vantrel {
namespace {

/// The single key's modifier bit that presses the key; 0 for any other key.
std::uint8_t modifierBit(std::uint8_t code) {
    switch (code) {
    case KeyLeftCtrl:
        return OperatorCtrl;
    case KeyLeftShift:
        return OperatorShift;
    case KeyLeftAlt:
        return OperatorAlt;
    default:
        return 0;
    }
}

} // namespace

InputMacro heldKeysAssignment(const std::vector<LayoutKey>& keys) {
    InputMacro macro;
    std::uint8_t modifiers = 0;
    std::vector<std::uint8_t> others;
    for (const LayoutKey& key : keys) {
        const std::uint8_t bit = modifierBit(key.code);
        if (bit != 0 && (modifiers & bit) == 0) {
            modifiers |= bit;
        } else {
            others.push_back(key.code);
        }
    }
    if (others.size() == 1 || keys.size() == 1) {
        const std::uint8_t key = others.empty() ? keys.front().code : others.front();
        const auto withKey = static_cast<std::uint8_t>(others.empty() ? 0 : modifiers);
        encodeSingleKey(KeyTypeKeyboard, key,
                        static_cast<std::uint8_t>(withKey | OperatorKeyRepeat), macro);
        return macro;
    }
    const int count = static_cast<int>(keys.size());
    for (int n = 0; n < count; ++n) {
        const auto code = [&keys](int k) {
            return keys.at(static_cast<std::size_t>(k)).code;
        };
        macro.step(n, Activation) = {KeyTypeKeyboard, code(n), true};
        macro.step(n, Deactivation) = {KeyTypeKeyboard, code(count - 1 - n), false};
    }
    return macro;
}

} // namespace vantrel
