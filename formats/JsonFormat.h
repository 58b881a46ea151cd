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

/// Values of a step's "action"; those of "type" are KindWords
/// (model/CodeNames.h), in KeyType order.
constexpr std::array<std::string_view, 3> ActionWords = {"press", "release", "delay"};

struct ModifierWord {
    std::string_view word;
    std::uint8_t bit;
};
/// Modifier words in the order they are written.
constexpr std::array<ModifierWord, 3> ModifierWords = {
    {{"ctrl", OperatorCtrl}, {"shift", OperatorShift}, {"alt", OperatorAlt}}};

} // namespace vantrel
