#pragma once

#include "model/ConfigurationLabels.h"
#include "model/DeviceSettings.h"
#include "model/modSettings.h"

#include <string>
#include <string_view>
#include <vector>

// Reads a configuration in the readable format. Everything but "format" and
// "version" may be left out and then keeps its start-up value; anything the
// reader does not understand is refused rather than guessed at.
namespace vantrel {

/// Something a document says that is read as written but may not be what
/// was meant: a code given as a number that has no name.
struct ImportWarning {
    std::string place;
    std::string message;
};

struct ImportedConfiguration {
    Configuration config;
    DeviceSettings settings;
    /// Optional "label" of inputs and rotary switches: kept for check and
    /// card, never written into the device.
    ConfigurationLabels labels;
    std::vector<ImportWarning> warnings;
};

/// Reads a whole document. Field names and every word in it are read without
/// regard to case. A code is a name or the device's raw number for the type
/// (a key's usage ID, a joystick's 0 for Button 1). Throws ImportError naming
/// the place of the first fault: bad JSON, a field given twice, an unknown
/// field, a wrong type, an unknown or ambiguous name, a name of a key the
/// encoder lacks, a number out of range, an input or switch given twice, a
/// key step without a key, or a configuration over the size limit. Places
/// name the input or switch beside its place in the list
/// (`inputs[4] (input 5).single.code`).
[[nodiscard]] ImportedConfiguration importConfiguration(std::string_view text);

} // namespace vantrel
