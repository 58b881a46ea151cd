#pragma once

#include "model/ConfigurationLabels.h"
#include "model/DeviceSettings.h"
#include "model/modSettings.h"

#include <string_view>

// Reads a configuration in the readable format. Everything but "format" and
// "version" may be left out and then keeps its start-up value; anything the
// reader does not understand is refused rather than guessed at.
namespace vantrel {

struct ImportedConfiguration {
    Configuration config;
    DeviceSettings settings;
    /// Optional "label" of inputs and rotary switches: kept for check and
    /// card, never written into the device.
    ConfigurationLabels labels;
};

/// Reads a whole document. Throws ImportError naming the place of the first
/// fault: bad JSON, a field given twice, an unknown field, a wrong type, an
/// unknown name, a number out of range, an input or switch given twice, a key
/// step without a key, or a configuration over the size limit.
[[nodiscard]] ImportedConfiguration importConfiguration(std::string_view text);

} // namespace vantrel
