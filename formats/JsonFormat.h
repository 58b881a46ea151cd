#pragma once

#include "model/MacroDelay.h"
#include "model/modSettings.h"

#include <array>
#include <cstdint>
#include <string_view>

// Names and numbers shared by the readable format's writer and reader.
namespace vantrel {

/// The value of "format" that marks a document as a configuration.
constexpr std::string_view FormatName = "vantrel-configuration";
/// The only version written and read.
constexpr int FormatVersion = 1;

struct ModifierWord {
    std::string_view word;
    std::uint8_t bit;
};
/// Modifier words in the order they are written.
constexpr std::array<ModifierWord, 3> ModifierWords = {
    {{"ctrl", OperatorCtrl}, {"shift", OperatorShift}, {"alt", OperatorAlt}}};

} // namespace vantrel
