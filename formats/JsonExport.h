#pragma once

#include "model/DeviceSettings.h"
#include "model/modSettings.h"

#include <nlohmann/json.hpp>
#include <string>

// Writes a configuration in the readable format: every code by its display
// name where it has one, every list setting by its entry's text.
namespace vantrel {

/// The configuration as a document, fields in the order they are documented.
[[nodiscard]] nlohmann::ordered_json exportConfiguration(const Configuration& config,
                                                         const DeviceSettings& settings);

/// The document as text: two-space indents, ending with a newline.
[[nodiscard]] std::string exportConfigurationText(const Configuration& config,
                                                  const DeviceSettings& settings);

} // namespace vantrel
